// The Win32 view of the forms runtime, and its host: real windows, message
// boxes, modal loops over the thread's message queue. A shown window is a
// top-level window with a child window per control, created in ascending
// tab index within each container so that Tab follows it. A control's view
// keeps its child in step with the control and turns its messages into
// User... calls. Labels, frames and pictures paint themselves in the view's
// own class; the other kinds are the system's controls, whose container
// (the window or a frame) reflects their messages to their view.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"

namespace forms::win32 {

class ControlView {
 public:
  // A kind's window class, styles and colours.
  struct WindowClass {
    const char* name = nullptr;  // null: the view's own class
    DWORD style = 0;
    DWORD exStyle = 0;
    bool takesFocus = false;
    Color back = SystemColor(COLOR_BTNFACE);
    Color fore = SystemColor(COLOR_BTNTEXT);
    bool transparent = false;   // drawn over the container's background
    bool systemColors = false;  // WM_CTLCOLOR* leaves the system's look
  };

  // containerBack: the colour of the window or frame behind it.
  // It outlives its window: the form's view destroys the window first.
  ControlView(ViewResources& resources, Control& control,
              COLORREF containerBack);
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // The child window at the design position; throws OutOfMemory.
  void Create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  bool Focusable() const {  // enabled, of a kind that takes the focus
    return hwnd_ && class_.takesFocus && IsWindowEnabled(hwnd_);
  }
  // The focus given back on activation: not a user action on the control.
  void RestoreFocus();
  COLORREF BackColor() const {  // also the background of a frame's children
    return class_.transparent
               ? containerBack_
               : ResolveColor(control_.design().backColor, class_.back);
  }
  void AfterShow();                // the tooltip, which only shows on hovering
  void Update(Property property);  // the model changed property

  static ControlView* FromWindow(HWND hwnd);  // null: no control's window
  // A container's message, to the view of the child it comes from; true
  // when handled. A view touches nothing of itself after a User... call.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);

 private:
  static LRESULT CALLBACK CustomProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnNotify(int code);  // WM_COMMAND's code, or WM_HSCROLL's
  void Paint(HDC hdc, const RECT& client);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void FitLabel();
  void ShowValue();
  COLORREF ForeColor() const {
    return ResolveColor(control_.ForeColor(), class_.fore);
  }
  COLORREF TextColor() const {  // ForeColor, grey while disabled
    return control_.Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT);
  }
  HFONT Font() const { return resources_.Font(control_.design().font); }

  ViewResources& resources_;
  Control& control_;
  const WindowClass class_;
  COLORREF containerBack_;
  HWND hwnd_ = nullptr;
  WNDPROC editProc_ = nullptr;  // a text box's own window procedure
  bool quiet_ = false;  // the view itself is changing the window's state
};

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
  void Changed(Control& control, Property property) override {
    if (ControlView* view = ViewOf(control)) view->Update(property);
  }
  std::uintptr_t Handle() const override {
    return reinterpret_cast<std::uintptr_t>(hwnd_);
  }

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
