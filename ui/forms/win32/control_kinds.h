// The wrappers of the control kinds. Each keeps the Win32 messages of its
// kind in one place.
#pragma once

#include <string>

#include "ui/forms/win32/control_view.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

// A child of the view's own window class that paints itself: labels,
// frames, picture boxes and images. Raises the control's MouseMove for
// moves over its own surface and Click for a press and release of the left
// button inside it; shows the design's mouse pointer.
class CustomView : public ControlView {
 public:
  using ControlView::ControlView;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  WindowClass Class() const override;
  virtual void Paint(HDC hdc, const RECT& client) = 0;
};

// A label: its caption on one line in its font and colours ("&&" shows one
// "&"). With AutoSize it keeps Left and Top and takes its text's size.
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
  bool OnHScroll(LRESULT& result) override;
  COLORREF BackColor() const override { return containerBack(); }
  void AfterFirstShow() override;  // the tooltip
  HWND tooltip() const { return tooltip_; }

 protected:
  WindowClass Class() const override;
  bool TakesFocus() const override { return true; }
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
  bool OnCommand(int code, LRESULT& result) override;
  // A radio button that gets the focus while unchecked reports a click, as
  // Tab into it does; focus given back on activation must not.
  void RestoreFocus() override;

 protected:
  WindowClass Class() const override;
  bool TakesFocus() const override { return true; }
  void Configure() override;

 private:
  OptionButton& option_;
  bool restoring_ = false;
};

// A push button; a graphical one is owner-drawn: its picture centred and
// clipped (the down picture while held), raised or sunken edges, its
// caption centred over the picture, and the focus rectangle.
class ButtonView : public ControlView {
 public:
  using ControlView::ControlView;
  bool OnCommand(int code, LRESULT& result) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item, LRESULT& result) override;
  bool OnCtlColor(HDC hdc, LRESULT& result) override;
  // Presses the button as Enter on a focused button does.
  void Press();

 protected:
  WindowClass Class() const override;
  bool TakesFocus() const override { return true; }
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
  bool OnCommand(int code, LRESULT& result) override;

 protected:
  WindowClass Class() const override;
  bool TakesFocus() const override { return true; }
  void Configure() override;
  Color DefaultBackColor() const override { return 0x80000005; }  // window
  Color DefaultForeColor() const override { return 0x80000008; }  // window text

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam);
  std::string WindowText() const;

  TextBox& textBox_;
  WNDPROC original_ = nullptr;
  bool setting_ = false;  // the model's own text is being shown
};

}  // namespace forms::win32
