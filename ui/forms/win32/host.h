// The Win32 host of the forms runtime: real windows, real message boxes,
// modal loops over the thread's message queue. The view of a loaded window
// is, while the window is shown, a top-level window with a child window for
// every control of the design, created in ascending tab index within each
// container so that Tab follows it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/forms/forms.h"
#include "ui/forms/win32/control_view.h"
#include "ui/forms/win32/resources.h"

namespace forms::win32 {

// Window styles of a design's border, buttons and taskbar setting.
struct FormStyle {
  DWORD style;
  DWORD exStyle;
};
FormStyle StyleOf(const WindowDesign& design);

class Win32FormView : public FormView {
 public:
  Win32FormView(ViewResources& resources, Form& form);
  ~Win32FormView() override { Hide(); }

  // Creates the window, centred on the screen, from the current values of
  // the form's controls (throwing OutOfMemory when it cannot). A modal
  // window disables the program's other windows until its modal state
  // ends, then gives the activation back to the window that had it.
  void Show(bool modal) override;
  void EndModal() override;
  // Destroys the window; the next Show builds it again.
  void Hide() override;
  void Changed(Control& control, Property property) override;
  std::uintptr_t Handle() const override;

  HWND hwnd() const { return hwnd_; }
  // The view of a control of this window, or null.
  ControlView* ViewOf(const Control& control) const;
  // The view showing a window of the program, or null.
  static Win32FormView* FromWindow(HWND hwnd);
  // The program's windows that are shown.
  static std::vector<HWND> ProgramWindows();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  void CreateControls(HWND parent, const std::string& container, COLORREF back);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FocusChild();

  ViewResources& resources_;
  Form& form_;
  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;  // the child that had the focus when deactivated
  COLORREF back_;
  std::vector<std::unique_ptr<ControlView>> views_;  // while shown
  // While shown modally: the windows it disabled, the one active before.
  std::vector<HWND> disabled_;
  HWND previous_ = nullptr;
};

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
    return std::make_unique<Win32FormView>(resources_, form);
  }

  // Runs the thread's messages until WM_QUIT, or until modal is no longer
  // shown; a WM_QUIT met then is posted again for the outer loop. Returns
  // WM_QUIT's exit code.
  int Run(const Form* modal = nullptr);
  // Dispatches one message; Tab, Esc and Enter act on the program's windows
  // as in a dialog.
  void Dispatch(MSG& message);

  ViewResources& resources() { return resources_; }

 private:
  ViewResources resources_;
};

}  // namespace forms::win32
