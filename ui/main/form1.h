// The main window: the clock and level-of-detail sliders with their
// readouts, the two level-of-detail targets, "Apply" and "About".
#pragma once

#include "ui/forms/forms.h"

class Program;

extern const forms::WindowDesign kForm1Design;

class Form1 : public forms::Form {
 public:
  explicit Form1(Program& program);

  forms::Frame& Frame1() { return Get<forms::Frame>("Frame1"); }
  forms::Image& Image1() { return Get<forms::Image>("Image1"); }
  forms::Label& Label3() { return Get<forms::Label>("Label3"); }
  forms::Label& gfx() { return Get<forms::Label>("gfx"); }
  forms::Label& Label2() { return Get<forms::Label>("Label2"); }
  forms::Slider& Slider1() { return Get<forms::Slider>("Slider1"); }
  forms::PictureBox& Picture4() { return Get<forms::PictureBox>("Picture4"); }
  forms::PictureBox& Picture5() { return Get<forms::PictureBox>("Picture5"); }
  forms::Frame& Frame2() { return Get<forms::Frame>("Frame2"); }
  forms::Label& Label1() { return Get<forms::Label>("Label1"); }
  forms::Slider& Slider2() { return Get<forms::Slider>("Slider2"); }
  forms::OptionButton& Option2() { return Get<forms::OptionButton>("Option2"); }
  forms::OptionButton& Option1() { return Get<forms::OptionButton>("Option1"); }
  forms::Label& Label4() { return Get<forms::Label>("Label4"); }
  forms::CommandButton& Command2() {
    return Get<forms::CommandButton>("Command2");
  }
  forms::CommandButton& Command1() {
    return Get<forms::CommandButton>("Command1");
  }

  // Reads the stored level of detail and clock into the sliders. A stored
  // text that does not read as a number is an unhandled error.
  void Form_Load() override;
  void Slider1_Change();
  void Slider2_Change();
  void Form_MouseMove();
  void Frame1_MouseMove();
  void Frame2_MouseMove();
  // Opens the per-game dialog once "To one game only" is selected.
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
