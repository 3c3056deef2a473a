#include "ui/forms/win32/host.h"

#include <algorithm>
#include <utility>

namespace forms::win32 {

namespace {

constexpr const char* kFormClass = "MovarinForm";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

// Ascending tab index; controls without one after the others.
unsigned TabOrder(const Control& control) {
  return static_cast<unsigned>(control.design().tabIndex);
}

BOOL CALLBACK AddProgramWindow(HWND hwnd, LPARAM windows) {
  if (Win32FormView::FromWindow(hwnd))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

}  // namespace

FormStyle StyleOf(const WindowDesign& design) {
  constexpr DWORD kTitled =
      WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  // By BorderStyle, in its order.
  constexpr FormStyle kBorders[] = {
      {WS_CLIPCHILDREN | WS_POPUP, 0},
      {kTitled, 0},
      {kTitled | WS_THICKFRAME, 0},
      {kTitled, WS_EX_DLGMODALFRAME},
      {kTitled, WS_EX_TOOLWINDOW},
      {kTitled | WS_THICKFRAME, WS_EX_TOOLWINDOW}};
  FormStyle style = kBorders[static_cast<int>(design.border)];
  style.exStyle |=
      WS_EX_CONTROLPARENT | (design.showInTaskbar ? WS_EX_APPWINDOW : 0);
  // A tool window has no minimise or maximise box.
  if ((style.style & WS_CAPTION) && !(style.exStyle & WS_EX_TOOLWINDOW))
    style.style |= (design.minButton ? WS_MINIMIZEBOX : 0) |
                   (design.maxButton ? WS_MAXIMIZEBOX : 0);
  return style;
}

Win32FormView::Win32FormView(ViewResources& resources, Form& form)
    : resources_(resources),
      form_(form),
      back_(ResolveColor(form.design().backColor, SystemColor(COLOR_BTNFACE))) {
}

void Win32FormView::Show(bool modal) {
  const bool created = !hwnd_;
  if (created) {
    const WindowDesign& design = form_.design();
    FormStyle style = StyleOf(design);
    RECT frame = {0, 0, resources_.Px(design.clientWidth),
                  resources_.Px(design.clientHeight)};
    AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    hwnd_ = CreateWindowExA(
        style.exStyle, resources_.WindowClass(kFormClass, WindowProc),
        design.caption, style.style,
        (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
        nullptr, resources_.instance(), this);
    if (!hwnd_) throw OutOfMemory();
    const int icons[][3] = {{ICON_SMALL, SM_CXSMICON, SM_CYSMICON},
                            {ICON_BIG, SM_CXICON, SM_CYICON}};
    for (auto [which, cx, cy] : icons)
      if (HICON icon = resources_.Icon(design.icon, GetSystemMetrics(cx),
                                       GetSystemMetrics(cy)))
        SendMessageA(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    CreateControls(hwnd_, "", back_);
  }
  if (modal && disabled_.empty()) {
    previous_ = GetActiveWindow();
    for (HWND other : ProgramWindows()) {
      if (other == hwnd_ || !IsWindowEnabled(other)) continue;
      EnableWindow(other, FALSE);
      disabled_.push_back(other);
    }
  }
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  FocusChild();
  UpdateWindow(hwnd_);
  if (created)
    for (const auto& view : views_) view->AfterShow();
}

void Win32FormView::CreateControls(HWND parent, const std::string& container,
                                   COLORREF back) {
  std::vector<Control*> children;
  for (const auto& control : form_.Controls())
    if (control->design().container == container)
      children.push_back(control.get());
  std::stable_sort(
      children.begin(), children.end(),
      [](Control* a, Control* b) { return TabOrder(*a) < TabOrder(*b); });
  for (Control* control : children) {
    views_.push_back(std::make_unique<ControlView>(resources_, *control, back));
    ControlView& view = *views_.back();
    auto row = &control->design() - form_.design().controls.data();
    view.Create(parent, kFirstControlId + static_cast<int>(row));
    if (control->kind() == Kind::kFrame)
      CreateControls(view.hwnd(), control->Name(), view.BackColor());
  }
}

// Before the modal window goes, so that the activation returns to the
// windows it disabled rather than to another program.
void Win32FormView::EndModal() {
  for (HWND hwnd : disabled_)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  disabled_.clear();
}

// Destroyed without hiding it first: Wine waits up to two seconds for a
// window manager to confirm a top-level window's hiding, and a bare X
// display has none. What it covered is repainted.
void Win32FormView::Hide() {
  HWND previous = std::exchange(previous_, nullptr);
  if (!hwnd_) return;
  RECT covered;
  GetWindowRect(hwnd_, &covered);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  SetWindowLongA(hwnd_, GWL_STYLE,
                 GetWindowLongA(hwnd_, GWL_STYLE) & ~WS_VISIBLE);
  DestroyWindow(std::exchange(hwnd_, nullptr));
  // A view whose handler hid the window touches nothing of itself after.
  views_.clear();
  focus_ = nullptr;
  RedrawWindow(nullptr, &covered, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (previous && IsWindow(previous) && IsWindowVisible(previous))
    SetActiveWindow(previous);
}

ControlView* Win32FormView::ViewOf(const Control& control) const {
  for (const auto& view : views_)
    if (&view->control() == &control) return view.get();
  return nullptr;
}

Win32FormView* Win32FormView::FromWindow(HWND hwnd) {
  char name[16] = "";
  if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) ||
      lstrcmpA(name, kFormClass) != 0)
    return nullptr;
  return reinterpret_cast<Win32FormView*>(
      GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

std::vector<HWND> Win32FormView::ProgramWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), AddProgramWindow,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
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
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, resources_.Brush(back_));
      return 1;
    }
    case WM_MOUSEMOVE:
      form_.UserMouseMove();
      return 0;
    case WM_CLOSE:
      form_.UserClose();  // the model decides: hide, unload or end
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE)
        FocusChild();
      else if (HWND focus = GetFocus(); focus && IsChild(hwnd_, focus))
        focus_ = focus;
      return 0;
    case WM_SETFOCUS:
      FocusChild();
      return 0;
    case WM_COMMAND: {
      // IsDialogMessage turns Esc into IDCANCEL and Enter into IDOK (the
      // window has no default button): Esc presses the design's cancel
      // button, Enter the button that has the focus and nothing else.
      if (lParam != 0) break;
      if (LOWORD(wParam) == IDCANCEL) {
        form_.UserEscape();
        return 0;
      }
      if (LOWORD(wParam) != IDOK) break;
      ControlView* focused = ControlView::FromWindow(GetFocus());
      if (focused && focused->control().kind() == Kind::kButton &&
          IsChild(hwnd_, focused->hwnd()))
        focused->control().UserClick();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// The child that had the focus, else the first that takes it.
void Win32FormView::FocusChild() {
  if (!focus_ || !IsWindow(focus_) || !IsWindowEnabled(focus_)) {
    const ControlView* first = nullptr;
    for (const auto& view : views_)
      if (view->Focusable() &&
          (!first || TabOrder(view->control()) < TabOrder(first->control())))
        first = view.get();
    focus_ = first ? first->hwnd() : nullptr;
  }
  if (ControlView* view = ControlView::FromWindow(focus_)) view->RestoreFocus();
}

void Win32Host::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (Win32FormView::FromWindow(root) && IsDialogMessageA(root, &message))
    return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int Win32Host::Run(const Form* modal) {
  MSG message;
  while (!modal || modal->State() == FormState::kShown) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) return 1;
    if (got == 0) {
      if (modal) PostQuitMessage(static_cast<int>(message.wParam));
      return static_cast<int>(message.wParam);
    }
    Dispatch(message);
  }
  return 0;
}

int Win32Host::ShowMessage(const std::string& text, int style,
                           const std::string& caption) {
  HWND owner = GetActiveWindow();
  UINT flags = static_cast<UINT>(style);
  if (!Win32FormView::FromWindow(owner)) {
    owner = nullptr;
    flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  }
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Host::EndProgram() {
  for (HWND hwnd : Win32FormView::ProgramWindows())
    if (Win32FormView* view = Win32FormView::FromWindow(hwnd)) view->Hide();
  ExitProcess(0);
}

}  // namespace forms::win32
