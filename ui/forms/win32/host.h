// The Win32 host of the forms runtime: real windows, real message boxes,
// modal loops over the thread's message queue.
#pragma once

#include <memory>
#include <string>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

class Win32Host : public Host {
 public:
  explicit Win32Host(HINSTANCE instance) : resources_(instance) {}
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // MessageBoxA owned by the program's active window (task-modal when there
  // is none); style and answer codes are those of MessageBoxA.
  int ShowMessage(const std::string& text, int style,
                  const std::string& caption) override;
  // Runs the thread's messages until form is no longer shown. A WM_QUIT
  // met meanwhile ends the loop and is posted again for the outer loop.
  void RunModal(Form& form) override;
  // Destroys the program's windows and ends the process with code 0.
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<FormView> CreateView(Form& form) override;

  // The program's message loop: returns WM_QUIT's exit code.
  int Run();
  // Dispatches one message; Tab, Esc and Enter act on the program's windows
  // as in a dialog.
  void Dispatch(MSG& message);

  ViewResources& resources() { return resources_; }

 private:
  ViewResources resources_;
};

}  // namespace forms::win32
