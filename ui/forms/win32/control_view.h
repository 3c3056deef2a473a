// The child window of one control: created from the control's design, kept
// in step with the control object, and turning the window's messages into
// the control's User... calls. Labels, frames, picture boxes and images are
// windows of the view's own class that paint themselves; sliders, option
// buttons, buttons and text boxes are the system's own controls. The window
// containing a control (the form or a frame) reflects WM_COMMAND, WM_HSCROLL,
// WM_DRAWITEM and WM_CTLCOLOR* to the view of the child they come from.
#pragma once

#include <cstdint>
#include <string>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"
#include "ui/forms/win32/win32.h"

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

  // containerBack: the colour of the window or frame behind the control.
  ControlView(ViewResources& resources, Control& control,
              COLORREF containerBack);
  ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // Creates the child window, with that id, in parent at the design
  // position; throws OutOfMemory when it cannot be created.
  void Create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  // An enabled control of a kind that takes the keyboard focus.
  bool Focusable() const;
  // Gives the control the focus back, as the window does on activation:
  // not a user action on the control.
  void RestoreFocus();
  // The background this control paints with (a frame passes it on).
  COLORREF BackColor() const;
  // After the window is shown and painted: the tooltip, which only shows
  // on hovering.
  void AfterShow();
  // The model changed property; the window follows.
  void Update(Property property);

  static ControlView* FromWindow(HWND hwnd);  // null: no control's window
  // Passes a container's message to the view of the child it comes from;
  // true when that view handled it. A view that calls a User... method
  // touches nothing of itself after that call.
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
  void PaintFrame(HDC hdc, const RECT& client);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void FitLabel();
  void FitTo(SIZE size);
  void ShowValue();
  COLORREF ForeColor() const;
  COLORREF TextColor() const;  // ForeColor, grey while disabled
  HFONT Font() const { return resources_.Font(control_.design().font); }
  std::int32_t Position() const;
  std::string WindowText() const;

  ViewResources& resources_;
  Control& control_;
  const WindowClass class_;
  COLORREF containerBack_;
  HWND hwnd_ = nullptr;
  WNDPROC editProc_ = nullptr;  // a text box's own window procedure
  bool quiet_ = false;  // the view itself is changing the window's state
};

}  // namespace forms::win32
