// The Win32 view of the forms runtime, and its host: real windows, message
// boxes, modal loops over the thread's message queue.
#pragma once

#include <memory>
#include <string>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"

namespace forms::win32 {

// The id of a control's child window: kFirstControlId + its design row,
// clear of IDOK and IDCANCEL. The design's cancel button has IDCANCEL, which
// the dialog manager presses for Esc.
inline constexpr int kFirstControlId = 100;
inline int ControlId(const ControlDesign& design, int row) {
  return design.cancel ? IDCANCEL : kFirstControlId + row;
}

// The view of form. While shown it is a top-level window of the program's
// private dialog class, made by the dialog manager from a template (which
// keeps its focus and handles its keys), with a child
// window per control, created in ascending tab index within each container
// so that Tab follows it; hidden, it has no window. Labels are the system's
// STATIC windows; frames, pictures and images paint themselves in the view's
// own class; the rest are the system's controls. A container (the window or a
// frame) reflects its children's messages to their views, which turn them
// into User... calls. A modal window disables the program's other windows
// until its modal state ends, then gives the activation back to the window
// that had it.
std::unique_ptr<FormView> MakeFormView(ViewResources& resources, Form& form);
bool IsFormWindow(HWND hwnd);  // the window of a form's view
void DestroyFormWindows();     // of every form's view

class Win32Host : public Host {
 public:
  explicit Win32Host(HINSTANCE instance) : resources_(instance) {}
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  // MessageBoxA owned by the program's active window (task-modal when there
  // is none); style and answer codes are those of MessageBoxA.
  int ShowMessage(const std::string& text, int style,
                  const std::string& caption) override;
  void RunModal(Form& form) override { Run(&form); }
  // Destroys the program's windows and ends the process with code 0.
  [[noreturn]] void EndProgram() override;
  std::unique_ptr<FormView> CreateView(Form& form) override {
    return MakeFormView(resources_, form);
  }

  // Runs the thread's messages until WM_QUIT, or until modal is no longer
  // shown; a WM_QUIT met then is posted again for the outer loop. Returns
  // WM_QUIT's exit code.
  int Run(const Form* modal = nullptr);
  // Dispatches one message; the keys of the program's windows go through
  // the dialog manager (IsDialogMessage).
  void Dispatch(MSG& message);

  ViewResources& resources() { return resources_; }

 private:
  ViewResources resources_;
};

}  // namespace forms::win32
