#include "ui/forms/win32/form_view.h"

#include <algorithm>

#include "ui/forms/win32/control_kinds.h"
#include "ui/forms/win32/host.h"

namespace forms::win32 {

namespace {

constexpr const char* kFormClass = "MovarinForm";
constexpr int kFirstControlId = 100;            // clear of IDOK and IDCANCEL
constexpr Color kDefaultFormBack = 0x8000000F;  // button face

}  // namespace

FormStyle StyleOf(const WindowDesign& design) {
  DWORD buttons = (design.minButton ? WS_MINIMIZEBOX : 0) |
                  (design.maxButton ? WS_MAXIMIZEBOX : 0);
  DWORD style = WS_CLIPCHILDREN;
  DWORD exStyle =
      WS_EX_CONTROLPARENT | (design.showInTaskbar ? WS_EX_APPWINDOW : 0);
  switch (design.border) {
    case BorderStyle::kNone:
      style |= WS_POPUP;
      break;
    case BorderStyle::kFixedSingle:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | buttons;
      break;
    case BorderStyle::kSizable:
      style |=
          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | buttons;
      break;
    case BorderStyle::kFixedDialog:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | buttons;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::kFixedToolWindow:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::kSizableToolWindow:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  return {style, exStyle};
}

Win32FormView::Win32FormView(Win32Host& host, Form& form)
    : host_(host),
      form_(form),
      back_(ResolveColor(form.design().backColor, kDefaultFormBack)) {
  host_.Attach(*this);
}

Win32FormView::~Win32FormView() {
  host_.EndModal(*this);
  host_.Detach(*this);
  DestroyWindows();
  views_.clear();
}

void Win32FormView::CreateWindows() {
  ViewResources& resources = host_.resources();
  const WindowDesign& design = form_.design();
  FormStyle style = StyleOf(design);
  RECT frame = {0, 0, resources.Px(design.clientWidth),
                resources.Px(design.clientHeight)};
  AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  hwnd_ =
      CreateWindowExA(style.exStyle, RegisterWindowClass(resources.instance()),
                      design.caption, style.style, left, top, width, height,
                      nullptr, nullptr, resources.instance(), this);
  if (!hwnd_) return;
  if (design.icon) {
    HICON smallIcon = resources.Icon(design.icon, GetSystemMetrics(SM_CXSMICON),
                                     GetSystemMetrics(SM_CYSMICON));
    HICON bigIcon = resources.Icon(design.icon, GetSystemMetrics(SM_CXICON),
                                   GetSystemMetrics(SM_CYICON));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(bigIcon));
  }
  CreateControls(hwnd_, "", back_);
}

// Destroyed without being hidden first: Wine waits up to two seconds for a
// window manager to confirm that a top-level window was hidden, and a bare X
// display has none to answer, so every closing of a dialog stalled the
// program. What the window covered is repainted.
void Win32FormView::DestroyWindows() {
  if (!hwnd_) return;
  RECT covered;
  GetWindowRect(hwnd_, &covered);
  bool shown = IsWindowVisible(hwnd_) != 0;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  SetWindowLongA(hwnd_, GWL_STYLE,
                 GetWindowLongA(hwnd_, GWL_STYLE) & ~WS_VISIBLE);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  focus_ = nullptr;
  if (shown)
    RedrawWindow(nullptr, &covered, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32FormView::CreateControls(HWND parent, const std::string& container,
                                   COLORREF back) {
  std::vector<Control*> children;
  for (const auto& control : form_.Controls())
    if (control->design().container == container)
      children.push_back(control.get());
  // Ascending tab index; controls without one after the others.
  std::stable_sort(
      children.begin(), children.end(), [](Control* a, Control* b) {
        unsigned left = static_cast<unsigned>(a->design().tabIndex);
        unsigned right = static_cast<unsigned>(b->design().tabIndex);
        return left < right;
      });
  for (Control* control : children) {
    ControlView*& created = byControl_[control];
    if (!created) {
      views_.push_back(MakeControlView(host_.resources(), *control, back));
      created = views_.back().get();
    }
    int index = 0;
    for (const auto& each : form_.Controls()) {
      if (each.get() == control) break;
      ++index;
    }
    created->Create(parent, kFirstControlId + index);
    if (control->kind() == Kind::kFrame && created->hwnd())
      CreateControls(created->hwnd(), control->Name(), created->BackColor());
  }
}

void Win32FormView::Show(bool modal) {
  bool created = !hwnd_;
  if (created) CreateWindows();
  if (!hwnd_) return;
  if (modal) host_.BeginModal(*this);
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  OnSetFocus();
  UpdateWindow(hwnd_);
  if (!created) return;
  for (const auto& view : views_) view->AfterFirstShow();
}

void Win32FormView::Hide() {
  HWND previous = host_.EndModal(*this);
  DestroyWindows();
  if (previous && IsWindow(previous) && IsWindowVisible(previous))
    SetActiveWindow(previous);
}

void Win32FormView::Changed(Control& control, Property property) {
  if (ControlView* view = ViewOf(control)) view->Update(property);
}

std::uintptr_t Win32FormView::Handle() const {
  return reinterpret_cast<std::uintptr_t>(hwnd_);
}

ControlView* Win32FormView::ViewOf(const Control& control) const {
  auto found = byControl_.find(&control);
  return found == byControl_.end() ? nullptr : found->second;
}

void Win32FormView::FocusFirst() {
  const ControlView* first = nullptr;
  for (const auto& view : views_) {
    if (!view->Focusable()) continue;
    if (!first || static_cast<unsigned>(view->control().design().tabIndex) <
                      static_cast<unsigned>(first->control().design().tabIndex))
      first = view.get();
  }
  if (first) focus_ = first->hwnd();
}

// ------------------------------------------------------------- messages --

const char* Win32FormView::RegisterWindowClass(HINSTANCE instance) {
  return RegisterClassOnce(instance, kFormClass, WindowProc);
}

LRESULT CALLBACK Win32FormView::WindowProc(HWND hwnd, UINT message,
                                           WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* view = static_cast<Win32FormView*>(create->lpCreateParams);
    view->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
  }
  auto* view =
      reinterpret_cast<Win32FormView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!view) return DefWindowProcA(hwnd, message, wParam, lParam);
  return view->HandleMessage(message, wParam, lParam);
}

LRESULT Win32FormView::HandleMessage(UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  LRESULT result = 0;
  if (ControlView::Reflect(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_MOUSEMOVE:
      form_.UserMouseMove();
      return 0;
    case WM_CLOSE:
      form_.UserClose();  // the model decides: hide, unload or end
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && OnDialogCommand(LOWORD(wParam))) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Win32FormView::OnEraseBackground(HDC hdc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(hdc, &client,
           host_.resources().Brush(
               ResolveColor(form_.design().backColor, kDefaultFormBack)));
}

void Win32FormView::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
    return;
  }
  OnSetFocus();
}

void Win32FormView::OnSetFocus() {
  if (!focus_ || !IsWindow(focus_) || !IsWindowEnabled(focus_)) FocusFirst();
  if (ControlView* view = ControlView::FromWindow(focus_)) view->RestoreFocus();
}

// IsDialogMessage turns Esc into IDCANCEL and Enter into IDOK (this window
// has no default button): Esc presses the design's cancel button, Enter
// presses the button that has the focus and nothing else.
bool Win32FormView::OnDialogCommand(int id) {
  if (id == IDCANCEL) {
    form_.UserEscape();
    return true;
  }
  if (id == IDOK) {
    ControlView* focused = ControlView::FromWindow(GetFocus());
    if (focused && focused->control().kind() == Kind::kButton &&
        IsChild(hwnd_, focused->hwnd()))
      static_cast<ButtonView*>(focused)->Press();
    return true;
  }
  return false;
}

}  // namespace forms::win32
