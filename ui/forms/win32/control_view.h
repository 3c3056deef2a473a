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
  // WS_TABSTOP when the kind takes focus; throws OutOfMemory when it cannot
  // be created. The child's id is id.
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
  // After its window is shown and painted: what the first frame does not
  // need (a tooltip, which shows only on hovering).
  virtual void AfterShow() {}
  // The model changed property; the window follows.
  virtual void Update(Property property);

  // Messages reflected by the container. A handler that calls a User...
  // method touches nothing of the wrapper after that call.
  virtual void OnNotify(int /*code*/) {}  // WM_COMMAND's code, or WM_HSCROLL
  virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
  // True when it chose the colours, with the brush in result.
  virtual bool OnCtlColor(HDC hdc, LRESULT& result);
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
  COLORREF containerBack() const { return containerBack_; }

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

// ------------------------------------------------------------- the kinds --

// A child of the view's own window class that paints itself: labels,
// frames, picture boxes and images. Raises the control's MouseMove for
// moves over its own surface and Click for a press and release of the left
// button inside it; shows the design's mouse pointer.
class CustomView : public ControlView {
 public:
  using ControlView::ControlView;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  WindowClass Class() const override { return {nullptr}; }
  virtual void Paint(HDC hdc, const RECT& client) = 0;
};

// A label: its caption in its font and colours ("&&" shows one "&"). With
// AutoSize it is one line, keeps Left and Top and takes its text's size.
class LabelView : public CustomView {
 public:
  using CustomView::CustomView;
  void Update(Property property) override;

 protected:
  void Configure() override;
  void Paint(HDC hdc, const RECT& client) override;

 private:
  void FitToText();
};

// A frame: a container that draws an etched border and its caption in its
// ForeColor over its background. Its children are the controls inside it,
// whose messages it reflects.
class FrameView : public CustomView {
 public:
  using CustomView::CustomView;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  WindowClass Class() const override;
  void Paint(HDC hdc, const RECT& client) override;
};

// A picture box (its background, then its picture from the top-left at
// natural size, clipped; no border) or an image (transparent over its
// container, exactly the size of its picture).
class PictureView : public CustomView {
 public:
  using CustomView::CustomView;
  COLORREF BackColor() const override;

 protected:
  void Configure() override;
  void Paint(HDC hdc, const RECT& client) override;

 private:
  void FitTo(SIZE size);  // an image's size
};

// The common-controls trackbar: range, steps, tick marks, tooltip. Every
// position it reports becomes Slider::UserMoveTo; the model decides the
// Change event.
class SliderView : public ControlView {
 public:
  SliderView(ViewResources& resources, Slider& slider, COLORREF containerBack)
      : ControlView(resources, slider, containerBack), slider_(slider) {}
  void Update(Property property) override;
  void OnNotify(int code) override;
  COLORREF BackColor() const override { return containerBack(); }
  void AfterShow() override;  // the tooltip
  HWND tooltip() const { return tooltip_; }

 protected:
  WindowClass Class() const override;
  void Configure() override;

 private:
  Slider& slider_;
  HWND tooltip_ = nullptr;
};

// An option button the model checks: a click only reports itself.
class OptionView : public ControlView {
 public:
  OptionView(ViewResources& resources, OptionButton& option,
             COLORREF containerBack)
      : ControlView(resources, option, containerBack), option_(option) {}
  void Update(Property property) override;
  void OnNotify(int code) override;
  // A radio button that gets the focus while unchecked reports a click, as
  // Tab into it does; focus given back on activation must not.
  void RestoreFocus() override;

 protected:
  WindowClass Class() const override;
  void Configure() override;

 private:
  OptionButton& option_;
  bool restoring_ = false;
};

// A push button; a graphical one is owner-drawn: its picture centred and
// clipped (the down picture while held), raised or sunken edges, its
// caption centred over the picture, and the focus rectangle. An owner-drawn
// button reports the second click of a double click as BN_DOUBLECLICKED: a
// press all the same.
class ButtonView : public ControlView {
 public:
  using ControlView::ControlView;
  void OnNotify(int code) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
  // A push button keeps the system's look.
  bool OnCtlColor(HDC, LRESULT&) override { return false; }

 protected:
  WindowClass Class() const override;
};

// A single-line text box. The user's edits become TextBox::UserEdit; a
// mouse press in it raises Click (reaching it by keyboard does not).
class TextBoxView : public ControlView {
 public:
  TextBoxView(ViewResources& resources, TextBox& textBox,
              COLORREF containerBack)
      : ControlView(resources, textBox, containerBack), textBox_(textBox) {}
  ~TextBoxView() override;
  void Update(Property property) override;
  void OnNotify(int code) override;

 protected:
  WindowClass Class() const override;
  void Configure() override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam);
  std::string WindowText() const;

  TextBox& textBox_;
  WNDPROC original_ = nullptr;
  bool setting_ = false;  // the model's own text is being shown
};

}  // namespace forms::win32
