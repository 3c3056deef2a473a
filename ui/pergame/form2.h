// The per-game dialog: asks for the executable name of the one game whose
// level of detail Apply sets, and keeps it in Text1 while hidden.
#pragma once

#include "ui/forms/forms.h"

class Program;

extern const forms::WindowDesign kForm2Design;

class Form2 : public forms::Form {
 public:
  explicit Form2(Program& program);

  forms::Label& Label5() { return Get<forms::Label>("Label5"); }
  forms::TextBox& Text1() { return Get<forms::TextBox>("Text1"); }
  forms::CommandButton& Command1() {
    return Get<forms::CommandButton>("Command1");
  }
  forms::CommandButton& Command4() {
    return Get<forms::CommandButton>("Command4");
  }

  // OK: an empty name is refused with a message box; any other name hides
  // the dialog (ending its modal display) and goes into Option1's caption.
  void Command1_Click();
  // Cancel (and Esc): discards the dialog and clears Option1.
  void Command4_Click();
  // A click clears the untouched placeholder, and nothing else.
  void Text1_Click();

 protected:
  void BindEvents() override;

 private:
  Program& program_;
};
