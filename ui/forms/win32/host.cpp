#include "ui/forms/win32/host.h"

#include "ui/forms/win32/form_view.h"

namespace forms::win32 {

std::unique_ptr<FormView> Win32Host::CreateView(Form& form) {
  return std::make_unique<Win32FormView>(*this, form);
}

void Win32Host::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (Win32FormView::FromWindow(root) && IsDialogMessageA(root, &message))
    return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void Win32Host::RunModal(Form& form) {
  MSG message;
  while (form.State() == FormState::kShown) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    Dispatch(message);
  }
}

int Win32Host::Run() {
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    Dispatch(message);
  }
  return static_cast<int>(message.wParam);
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
