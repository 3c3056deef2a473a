#include "ui/forms/win32/control_view.h"

namespace forms::win32 {

namespace {

// The property under which a child window keeps its wrapper.
constexpr const char* kViewProperty = "Movarin.ControlView";
constexpr const char* kCustomClass = "MovarinControl";

}  // namespace

ControlView::~ControlView() {
  if (hwnd_ && IsWindow(hwnd_)) RemovePropA(hwnd_, kViewProperty);
}

void ControlView::Create(HWND parent, int id) {
  WindowClass window = Class();
  if (!window.name)
    window.name =
        RegisterClassOnce(resources_.instance(), kCustomClass, CustomProc);
  DWORD style = window.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (window.takesFocus) style |= WS_TABSTOP;
  if (!control_.Enabled()) style |= WS_DISABLED;
  const ControlDesign& design = control_.design();
  hwnd_ = CreateWindowExA(
      window.exStyle, window.name, control_.Caption().c_str(), style,
      resources_.Px(design.left), resources_.Px(design.top),
      resources_.Px(design.width), resources_.Px(design.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), resources_.instance(),
      this);
  if (!hwnd_) throw OutOfMemory();
  SetPropA(hwnd_, kViewProperty, this);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  Configure();
}

bool ControlView::Focusable() const {
  return hwnd_ && Class().takesFocus && IsWindowEnabled(hwnd_);
}

COLORREF ControlView::BackColor() const {
  WindowClass window = Class();
  if (window.transparent) return containerBack_;
  return ResolveColor(control_.design().backColor, window.back);
}

COLORREF ControlView::ForeColor() const {
  return ResolveColor(control_.ForeColor(), Class().fore);
}

COLORREF ControlView::TextColor() const {
  return control_.Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT);
}

HFONT ControlView::Font() const {
  return resources_.Font(control_.design().font);
}

void ControlView::Invalidate() const {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void ControlView::Update(Property property) {
  if (!hwnd_) return;
  if (property == Property::kCaption || property == Property::kText)
    SetWindowTextA(hwnd_, control_.Caption().c_str());
  else if (property == Property::kEnabled)
    EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
  if (property != Property::kValue) Invalidate();
}

LRESULT ControlView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

ControlView* ControlView::FromWindow(HWND hwnd) {
  return hwnd ? static_cast<ControlView*>(GetPropA(hwnd, kViewProperty))
              : nullptr;
}

bool ControlView::Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  result = 0;
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    ControlView* view = item ? FromWindow(item->hwndItem) : nullptr;
    if (!view) return false;
    view->OnDrawItem(*item);
    result = TRUE;
    return true;
  }
  ControlView* view = FromWindow(reinterpret_cast<HWND>(lParam));
  if (!view) return false;
  switch (message) {
    case WM_COMMAND:
      view->OnNotify(HIWORD(wParam));
      return true;
    case WM_HSCROLL:
      view->OnNotify(LOWORD(wParam));
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      if (view->Class().systemColors) return false;
      auto hdc = reinterpret_cast<HDC>(wParam);
      SetTextColor(hdc, view->ForeColor());
      SetBkColor(hdc, view->BackColor());
      result =
          reinterpret_cast<LRESULT>(view->resources_.Brush(view->BackColor()));
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK ControlView::CustomProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  ControlView* view = FromWindow(hwnd);
  if (!view && message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    view = static_cast<ControlView*>(create->lpCreateParams);
    view->hwnd_ = hwnd;
    SetPropA(hwnd, kViewProperty, view);
  }
  if (message == WM_NCDESTROY) RemovePropA(hwnd, kViewProperty);
  if (!view || message == WM_NCDESTROY)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return view->HandleMessage(message, wParam, lParam);
}

}  // namespace forms::win32
