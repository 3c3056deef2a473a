// The child window of one control: made from its design, kept in step with
// the control, its messages turned into the control's User... calls.
// Labels, frames and pictures are of the view's own class and paint
// themselves; the other kinds are the system's controls, whose container
// (the window or a frame) reflects their messages to their view.
#pragma once

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
  ControlView(ViewResources& resources, Control& control,
              COLORREF containerBack);
  ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // The child window at the design position; throws OutOfMemory.
  void Create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  bool Focusable() const;  // enabled, of a kind that takes the focus
  // The focus given back on activation: not a user action on the control.
  void RestoreFocus();
  COLORREF BackColor() const;      // also the background of a frame's children
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
  COLORREF ForeColor() const;
  COLORREF TextColor() const;  // ForeColor, grey while disabled
  HFONT Font() const { return resources_.Font(control_.design().font); }

  ViewResources& resources_;
  Control& control_;
  const WindowClass class_;
  COLORREF containerBack_;
  HWND hwnd_ = nullptr;
  WNDPROC editProc_ = nullptr;  // a text box's own window procedure
  bool quiet_ = false;  // the view itself is changing the window's state
};

}  // namespace forms::win32
