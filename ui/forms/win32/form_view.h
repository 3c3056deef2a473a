// The Win32 view of one loaded window: a top-level window with a child
// window for every control of the design, created in ascending tab index
// within each container so that Tab follows it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/forms/forms.h"
#include "ui/forms/win32/control_view.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

class Win32Host;

// Window styles of a design's border, buttons and taskbar setting.
struct FormStyle {
  DWORD style;
  DWORD exStyle;
};
FormStyle StyleOf(const WindowDesign& design);

class Win32FormView : public FormView {
 public:
  // The window exists only while the form is shown: Show creates it,
  // centred on the screen, from the current values of form's controls
  // (throwing OutOfMemory when it cannot), and Hide destroys it.
  Win32FormView(Win32Host& host, Form& form);
  ~Win32FormView() override;

  // A modal window disables the program's other windows until it hides,
  // then gives the activation back to the window that had it.
  void Show(bool modal) override;
  void EndModal() override;
  void Hide() override;
  void Changed(Control& control, Property property) override;
  std::uintptr_t Handle() const override;

  HWND hwnd() const { return hwnd_; }
  // The wrapper of a control of this window, or null.
  ControlView* ViewOf(const Control& control) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  void CreateWindows();
  void CreateControls(HWND parent, const std::string& container, COLORREF back);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnActivate(WPARAM wParam);
  void OnSetFocus();
  bool OnDialogCommand(int id);

  Win32Host& host_;
  Form& form_;
  HWND hwnd_ = nullptr;
  HWND focus_ = nullptr;  // the child that had the focus when deactivated
  COLORREF back_;
  std::vector<std::unique_ptr<ControlView>> views_;  // while shown
  // While shown modally: the windows it disabled, the one active before.
  std::vector<HWND> disabled_;
  HWND previous_ = nullptr;
};

}  // namespace forms::win32
