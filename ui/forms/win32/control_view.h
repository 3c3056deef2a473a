// One small wrapper per control kind: creates the child window of one
// control from its design, keeps it in step with the control object, and
// turns the window's messages into the control's User... calls. The window
// that contains a control (the form or a frame) reflects WM_COMMAND,
// WM_HSCROLL, WM_DRAWITEM and WM_CTLCOLOR* to the wrapper that owns the
// child they come from.
#pragma once

#include <memory>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

class ControlView {
 public:
  // The window's own colour behind a control: the container's background.
  ControlView(ViewResources& resources, Control& control,
              COLORREF containerBack)
      : resources_(resources),
        control_(control),
        containerBack_(containerBack) {}
  virtual ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // Creates the child window in parent at the design position, with
  // WS_TABSTOP when the kind takes focus; throws OutOfMemory when it cannot
  // be created. The child's id is id.
  void Create(HWND parent, int id);

  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  // True for an enabled control of a kind that takes the keyboard focus.
  bool Focusable() const;
  // Gives the control the focus back, as the window does on activation:
  // not a user action on the control.
  virtual void RestoreFocus() { SetFocus(hwnd_); }
  // The background this control paints with (containers pass it on).
  COLORREF BackColor() const;
  // After its window is shown and painted: what the first frame does not
  // need (a tooltip, which shows only on hovering).
  virtual void AfterShow() {}
  // The model changed property; the window follows.
  virtual void Update(Property property);

  // Messages reflected by the container. A handler that calls a User...
  // method touches nothing of the wrapper after that call.
  virtual void OnNotify(int /*code*/) {}  // WM_COMMAND's code, or WM_HSCROLL
  virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
  // Messages to a window of the view's own class (labels, frames, pictures).
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The wrapper of a child window created by a ControlView, or null.
  static ControlView* FromWindow(HWND hwnd);
  // Passes a container's message on to the wrapper of the child it is from.
  // True when that wrapper handled it.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);

 protected:
  struct WindowClass {
    const char* name;  // null: the view's own class, painted by Paint
    DWORD style = 0;
    DWORD exStyle = 0;
    bool takesFocus = false;
    Color back = SystemColor(COLOR_BTNFACE);  // the kind's default colours
    Color fore = SystemColor(COLOR_BTNTEXT);
    bool transparent = false;   // drawn over the container's background
    bool systemColors = false;  // WM_CTLCOLOR* leaves the system's look
  };
  virtual WindowClass Class() const = 0;
  // After the window exists: ranges, checks, picture sizes.
  virtual void Configure() {}

  COLORREF ForeColor() const;
  // The text colour: ForeColor, grey while disabled.
  COLORREF TextColor() const;
  HFONT Font() const;
  void Invalidate() const;
  ViewResources& resources() const { return resources_; }

 private:
  static LRESULT CALLBACK CustomProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);

  ViewResources& resources_;
  Control& control_;
  COLORREF containerBack_;
  HWND hwnd_ = nullptr;
};

// The wrapper of a control's kind, not yet created.
std::unique_ptr<ControlView> MakeControlView(ViewResources& resources,
                                             Control& control,
                                             COLORREF containerBack);

}  // namespace forms::win32
