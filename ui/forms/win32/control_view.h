// One small wrapper per control kind: creates the child window of one
// control from its design, keeps it in step with the control object, and
// turns the window's messages into the control's User... calls. The window
// that contains a control (the form or a frame) reflects WM_COMMAND,
// WM_HSCROLL, WM_DRAWITEM and WM_CTLCOLOR* to the wrapper that owns the
// child they come from.
#pragma once

#include <memory>
#include <string>

#include "ui/forms/forms.h"
#include "ui/forms/win32/resources.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

class ControlView {
 public:
  // The window's own colour behind a control: the container's background.
  ControlView(ViewResources& resources, Control& control,
              COLORREF containerBack);
  virtual ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  // Creates the child window in parent at the design position, with
  // WS_TABSTOP when the kind takes focus. The child's id is id.
  void Create(HWND parent, int id);

  HWND hwnd() const { return hwnd_; }
  Control& control() const { return control_; }
  // True for an enabled control of a kind that takes the keyboard focus.
  bool Focusable() const;
  // Gives the control the focus back, as the window does on activation:
  // not a user action on the control.
  virtual void RestoreFocus();
  // The background this control paints with (containers pass it on).
  virtual COLORREF BackColor() const;

  // Once per window, after it is shown and painted: what the first frame
  // does not need (a tooltip, which shows only on hovering).
  virtual void AfterFirstShow() {}

  // The model changed property; the window follows.
  virtual void Update(Property property);

  // Messages reflected by the container. Each returns true when it
  // handled the message, with the answer in result. A handler that calls a
  // User... method touches nothing of the wrapper after that call.
  virtual bool OnCommand(int code, LRESULT& result);
  virtual bool OnHScroll(LRESULT& result);
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item, LRESULT& result);
  virtual bool OnCtlColor(HDC hdc, LRESULT& result);

  // Messages to a window of the view's own class (labels, frames, pictures,
  // images).
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The wrapper of a child window created by a ControlView, or null.
  static ControlView* FromWindow(HWND hwnd);
  // Passes a container's message on to the wrapper of the child it is from.
  // True when that wrapper handled it.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);
  // The class of the custom-drawn children; registered once per instance.
  static const char* RegisterCustomClass(HINSTANCE instance);

 protected:
  struct WindowClass {
    const char* className;
    DWORD style;
    DWORD exStyle;
  };
  virtual WindowClass Class() const = 0;
  virtual bool TakesFocus() const { return false; }
  // After the window exists: ranges, fonts, picture sizes.
  virtual void Configure() {}
  // The kind's default colours (design colours, may be system colours).
  virtual Color DefaultBackColor() const { return 0x8000000F; }  // button face
  virtual Color DefaultForeColor() const { return 0x80000012; }  // button text

  COLORREF ForeColor() const;
  HFONT Font() const;
  // The caption as it should be shown on a control that draws access keys:
  // the design's own text.
  std::string Text() const { return control_.Caption(); }
  void ShowText(const std::string& text);
  void Invalidate() const;
  // Left, top, width, height of the design, in pixels.
  RECT DesignRect() const;
  ViewResources& resources() const { return resources_; }
  COLORREF containerBack() const { return containerBack_; }
  // The default handling of a message to a custom-class window.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

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
