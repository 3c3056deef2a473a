#include "ui/forms/win32/host.h"

#include <algorithm>

#include "ui/forms/win32/form_view.h"

namespace forms::win32 {

Win32Host::Win32Host(HINSTANCE instance) : resources_(instance) {}

Win32Host::~Win32Host() = default;

std::unique_ptr<FormView> Win32Host::CreateView(Form& form) {
  return std::make_unique<Win32FormView>(*this, form);
}

void Win32Host::Attach(Win32FormView& view) { views_.push_back(&view); }

void Win32Host::Detach(Win32FormView& view) {
  views_.erase(std::remove(views_.begin(), views_.end(), &view), views_.end());
}

Win32FormView* Win32Host::ViewOf(const Form& form) const {
  for (Win32FormView* view : views_)
    if (&view->form() == &form) return view;
  return nullptr;
}

bool Win32Host::IsProgramWindow(HWND hwnd) const {
  for (Win32FormView* view : views_)
    if (view->hwnd() == hwnd) return true;
  return false;
}

void Win32Host::BeginModal(Win32FormView& view) {
  for (const Modal& modal : modal_)
    if (modal.view == &view) return;
  Modal modal{&view, GetActiveWindow(), {}};
  for (Win32FormView* other : views_) {
    HWND hwnd = other->hwnd();
    if (other == &view || !hwnd || !IsWindowEnabled(hwnd)) continue;
    EnableWindow(hwnd, FALSE);
    modal.disabled.push_back(hwnd);
  }
  modal_.push_back(std::move(modal));
}

HWND Win32Host::EndModal(Win32FormView& view) {
  auto found =
      std::find_if(modal_.begin(), modal_.end(),
                   [&](const Modal& modal) { return modal.view == &view; });
  if (found == modal_.end()) return nullptr;
  // Enabled again before the modal window goes, so that activation returns
  // to them rather than to another program.
  for (HWND hwnd : found->disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  HWND previous = found->previous;
  modal_.erase(found);
  return previous;
}

void Win32Host::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && IsProgramWindow(root) && IsDialogMessageA(root, &message)) return;
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
  if (Win32FormView* view = ViewOf(form)) EndModal(*view);
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

int Win32Host::MessageBox(const std::string& text, int style,
                          const std::string& caption) {
  HWND owner = GetActiveWindow();
  UINT flags = static_cast<UINT>(style);
  if (!owner || !IsProgramWindow(owner)) {
    owner = nullptr;
    flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  }
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Host::EndProgram() {
  for (Win32FormView* view : std::vector<Win32FormView*>(views_)) view->Hide();
  ExitProcess(0);
}

}  // namespace forms::win32
