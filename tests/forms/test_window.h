// A small window for the runtime's tests: every handler records its name in
// the window's event log, then runs the hook a test put under that name.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/forms/forms.h"

namespace movarin_test {

using forms::Kind;

// clang-format off
inline constexpr forms::ControlDesign kTestControls[] = {
    {"Label1", Kind::kLabel, "", "Label", 0, 0, 900, 195},
    {"Frame1", Kind::kFrame, "", "Targets", 0, 300, 3000, 900, 0, 0x800000},
    {"Option1", Kind::kOption, "Frame1", "One", 100, 200, 1000, 200, 1},
    {.name = "Option2", .kind = Kind::kOption, .container = "Frame1", .text = "Two",
     .left = 100, .top = 500, .width = 1000, .height = 200, .tabIndex = 2,
     .enabled = false},
    {"Option3", Kind::kOption, "Frame1", "Three", 100, 700, 1000, 200, 3},
    {"Option4", Kind::kOption, "", "Elsewhere", 0, 1300, 1000, 200, 4},
    // Slider settings: min, max, value, small and large change.
    {.name = "Slider1", .kind = Kind::kSlider, .container = "", .text = "",
     .left = 0, .top = 1600, .width = 3000, .height = 400, .tabIndex = 5,
     .slider = {175, 210, 175, 1, 5}},
    {"Text1", Kind::kTextBox, "", "exemple.exe", 0, 2400, 2500, 285, 7},
    {"Command1", Kind::kButton, "", "OK", 0, 2800, 800, 285, 8},
    {.name = "Command4", .kind = Kind::kButton, .container = "", .text = "Cancel",
     .left = 900, .top = 2800, .width = 800, .height = 285, .tabIndex = 9,
     .cancel = true},
    {.name = "Command5", .kind = Kind::kButton, .container = "", .text = "Off",
     .left = 1800, .top = 2800, .width = 800, .height = 285, .tabIndex = 10,
     .enabled = false},
};
// clang-format on

inline constexpr forms::WindowDesign kMainDesign = {
    "Main",       "Main", 3200, 3200, forms::BorderStyle::kFixedSingle,
    true,         false,  true, 0,    0x8000000F,
    kTestControls};
inline constexpr forms::WindowDesign kDialogDesign = {
    "Dialog",     "Dialog", 3200,  3200, forms::BorderStyle::kSizableToolWindow,
    false,        false,    false, 0,    0x8000000F,
    kTestControls};

class TestWindow : public forms::Form {
 public:
  TestWindow(forms::Application& app, const forms::WindowDesign& design,
             bool endsProgramOnClose)
      : Form(app, design) {
    endsProgramOnClose_ = endsProgramOnClose;
  }

  // Handler name ("Command1_Click", "Slider1_Change", "Form_Load",
  // "Form_MouseMove", ...) -> what it does after recording itself.
  std::map<std::string, std::function<void()>> hooks;
  std::vector<std::string> events;

  // The control of that name, loading the window first.
  template <class T = forms::Control>
  T& Get(const std::string& name) {
    Load();
    for (const auto& control : Controls())
      if (control->Name() == name) return dynamic_cast<T&>(*control);
    throw std::out_of_range("no control " + name);
  }
  forms::Label& Label1() { return Get("Label1"); }
  forms::Frame& Frame1() { return Get("Frame1"); }
  forms::Slider& Slider1() { return Get<forms::Slider>("Slider1"); }
  forms::OptionButton& Option(int n) {
    return Get<forms::OptionButton>("Option" + std::to_string(n));
  }
  forms::TextBox& Text1() { return Get<forms::TextBox>("Text1"); }
  forms::CommandButton& Command(int n) {
    return Get("Command" + std::to_string(n));
  }

  int Count(const std::string& event) const {
    int n = 0;
    for (const auto& e : events) n += e == event;
    return n;
  }

 protected:
  void BindEvents() override {
    for (const auto& control : Controls()) {
      const std::string name = control->Name();
      control->Click = [this, name] { Record(name + "_Click"); };
      control->MouseMove = [this, name] { Record(name + "_MouseMove"); };
      if (auto* slider = dynamic_cast<forms::Slider*>(control.get()))
        slider->Change = [this, name] { Record(name + "_Change"); };
    }
    MouseMove = [this] { Record("Form_MouseMove"); };
  }
  void Form_Load() override { Record("Form_Load"); }

 private:
  void Record(const std::string& event) {
    events.push_back(event);
    if (auto hook = hooks.find(event); hook != hooks.end()) hook->second();
  }
};

}  // namespace movarin_test
