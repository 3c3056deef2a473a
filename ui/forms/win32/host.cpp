#include "ui/forms/win32/host.h"

namespace forms::win32 {

void Win32Host::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (IsFormWindow(root) && IsDialogMessageA(root, &message)) return;
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
  if (!IsFormWindow(owner)) {
    owner = nullptr;
    flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  }
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Host::EndProgram() {
  DestroyFormWindows();
  ExitProcess(0);
}

}  // namespace forms::win32
