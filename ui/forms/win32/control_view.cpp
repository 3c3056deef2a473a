#include "ui/forms/win32/control_view.h"

#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

namespace {

// The property under which a child window keeps its wrapper.
constexpr const char* kViewProperty = "Movarin.ControlView";
constexpr const char* kCustomClass = "MovarinControl";

}  // namespace

ControlView::ControlView(ViewResources& resources, Control& control,
                         COLORREF containerBack)
    : resources_(resources), control_(control), containerBack_(containerBack) {}

ControlView::~ControlView() {
  if (hwnd_ && IsWindow(hwnd_)) RemovePropA(hwnd_, kViewProperty);
}

void ControlView::Create(HWND parent, int id) {
  WindowClass window = Class();
  DWORD style = window.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  if (TakesFocus()) style |= WS_TABSTOP;
  if (!control_.Enabled()) style |= WS_DISABLED;
  RECT rect = DesignRect();
  hwnd_ = CreateWindowExA(window.exStyle, window.className, Text().c_str(),
                          style, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          resources_.instance(), this);
  if (!hwnd_) return;
  SetPropA(hwnd_, kViewProperty, this);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  Configure();
}

bool ControlView::Focusable() const {
  return hwnd_ && TakesFocus() && IsWindowEnabled(hwnd_);
}

void ControlView::RestoreFocus() {
  if (hwnd_) SetFocus(hwnd_);
}

COLORREF ControlView::BackColor() const {
  return ResolveColor(control_.design().backColor, DefaultBackColor());
}

COLORREF ControlView::ForeColor() const {
  return ResolveColor(control_.ForeColor(), DefaultForeColor());
}

HFONT ControlView::Font() const {
  return resources_.Font(control_.design().font);
}

void ControlView::ShowText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

void ControlView::Invalidate() const {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT ControlView::DesignRect() const {
  const ControlDesign& design = control_.design();
  RECT rect;
  rect.left = resources_.Px(design.left);
  rect.top = resources_.Px(design.top);
  rect.right = rect.left + resources_.Px(design.width);
  rect.bottom = rect.top + resources_.Px(design.height);
  return rect;
}

void ControlView::Update(Property property) {
  if (!hwnd_) return;
  switch (property) {
    case Property::kCaption:
    case Property::kText:
      ShowText(Text());
      Invalidate();
      break;
    case Property::kEnabled:
      EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
      Invalidate();
      break;
    case Property::kForeColor:
      Invalidate();
      break;
    case Property::kValue:
      break;
  }
}

bool ControlView::OnCommand(int, LRESULT&) { return false; }
bool ControlView::OnHScroll(LRESULT&) { return false; }
bool ControlView::OnDrawItem(const DRAWITEMSTRUCT&, LRESULT&) { return false; }

bool ControlView::OnCtlColor(HDC hdc, LRESULT& result) {
  COLORREF back = BackColor();
  SetTextColor(hdc, ForeColor());
  SetBkColor(hdc, back);
  result = reinterpret_cast<LRESULT>(resources_.Brush(back));
  return true;
}

LRESULT ControlView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT ControlView::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

ControlView* ControlView::FromWindow(HWND hwnd) {
  return hwnd ? static_cast<ControlView*>(GetPropA(hwnd, kViewProperty))
              : nullptr;
}

bool ControlView::Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (ControlView* view = FromWindow(reinterpret_cast<HWND>(lParam)))
        return view->OnCommand(HIWORD(wParam), result);
      return false;
    case WM_HSCROLL:
      if (ControlView* view = FromWindow(reinterpret_cast<HWND>(lParam)))
        return view->OnHScroll(result);
      return false;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (ControlView* view = item ? FromWindow(item->hwndItem) : nullptr)
        return view->OnDrawItem(*item, result);
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      if (ControlView* view = FromWindow(reinterpret_cast<HWND>(lParam)))
        return view->OnCtlColor(reinterpret_cast<HDC>(wParam), result);
      return false;
    default:
      return false;
  }
}

const char* ControlView::RegisterCustomClass(HINSTANCE instance) {
  return RegisterClassOnce(instance, kCustomClass, CustomProc);
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

std::unique_ptr<ControlView> MakeControlView(ViewResources& resources,
                                             Control& control,
                                             COLORREF containerBack) {
  switch (control.kind()) {
    case Kind::kLabel:
      return std::make_unique<LabelView>(resources, control, containerBack);
    case Kind::kFrame:
      return std::make_unique<FrameView>(resources, control, containerBack);
    case Kind::kSlider:
      return std::make_unique<SliderView>(
          resources, static_cast<Slider&>(control), containerBack);
    case Kind::kOption:
      return std::make_unique<OptionView>(
          resources, static_cast<OptionButton&>(control), containerBack);
    case Kind::kButton:
      return std::make_unique<ButtonView>(resources, control, containerBack);
    case Kind::kTextBox:
      return std::make_unique<TextBoxView>(
          resources, static_cast<TextBox&>(control), containerBack);
    case Kind::kPictureBox:
    case Kind::kImage:
      return std::make_unique<PictureView>(resources, control, containerBack);
  }
  return nullptr;
}

}  // namespace forms::win32
