// The main window: the clock and level-of-detail sliders with their
// readouts, the two level-of-detail targets, "Apply" and "About".
#pragma once

#include <string_view>

#include "ui/forms/forms.h"
#include "ui/main/form1_design.h"

class Program;

class Form1 : public forms::Form {
  // The row of a control of the design, checked while compiling.
  template <class T>
  static consteval forms::Row<T> Named(std::string_view name) {
    return forms::RowOf<T>(form1_design::kControls, name);
  }

 public:
  explicit Form1(Program& program);

  forms::Frame& Frame1() { return At(Named<forms::Frame>("Frame1")); }
  forms::Image& Image1() { return At(Named<forms::Image>("Image1")); }
  forms::Label& Label3() { return At(Named<forms::Label>("Label3")); }
  forms::Label& gfx() { return At(Named<forms::Label>("gfx")); }
  forms::Label& Label2() { return At(Named<forms::Label>("Label2")); }
  forms::Slider& Slider1() { return At(Named<forms::Slider>("Slider1")); }
  forms::PictureBox& Picture4() {
    return At(Named<forms::PictureBox>("Picture4"));
  }
  forms::PictureBox& Picture5() {
    return At(Named<forms::PictureBox>("Picture5"));
  }
  forms::Frame& Frame2() { return At(Named<forms::Frame>("Frame2")); }
  forms::Label& Label1() { return At(Named<forms::Label>("Label1")); }
  forms::Slider& Slider2() { return At(Named<forms::Slider>("Slider2")); }
  forms::OptionButton& Option2() {
    return At(Named<forms::OptionButton>("Option2"));
  }
  forms::OptionButton& Option1() {
    return At(Named<forms::OptionButton>("Option1"));
  }
  forms::Label& Label4() { return At(Named<forms::Label>("Label4")); }
  forms::CommandButton& Command2() {
    return At(Named<forms::CommandButton>("Command2"));
  }
  forms::CommandButton& Command1() {
    return At(Named<forms::CommandButton>("Command1"));
  }

  // Reads the stored level of detail and clock into the sliders. A stored
  // text that does not read as a number is an unhandled error.
  void Form_Load() override;
  void Slider1_Change();
  void Slider2_Change();
  void Form_MouseMove();
  void Frame1_MouseMove();
  void Frame2_MouseMove();
  // Opens the per-game dialog once "To one game only" is selected; OK puts
  // the name into the option's caption, Cancel clears the option, the close
  // box leaves it selected.
  void Option1_Click();
  // Apply: writes (or, at level 0, deletes) the level of detail at the
  // selected target, writes the clock, and offers a restart when the clock
  // differs from the stored one. Store statuses are not looked at.
  void Command1_Click();
  // About.
  void Command2_Click();

 protected:
  void BindEvents() override;

 private:
  // Writes the slider's level at the key, or deletes it at level 0. The key
  // is asked for only after the zero test.
  template <class KeyOf>
  void StoreLevelOfDetail(KeyOf keyOf);

  Program& program_;
};
