// The per-game dialog: asks for the executable name of the one game whose
// level of detail Apply sets, and keeps it in Text1 while hidden. It knows
// nothing of the window that opens it: it records how it was answered, and
// the opener acts on that.
#pragma once

#include <string_view>

#include "ui/forms/forms.h"
#include "ui/pergame/form2_design.h"

class Form2 : public forms::Form {
  // The row of a control of the design, checked while compiling.
  template <class T>
  static consteval forms::Row<T> Named(std::string_view name) {
    return forms::RowOf<T>(form2_design::kControls, name);
  }

 public:
  // How a modal display ended.
  enum class Answer {
    kOk,      // a name was accepted; the dialog is hidden and keeps it
    kCancel,  // Cancel or Esc; the dialog is unloaded
    kClosed,  // the title-bar close box; the dialog is unloaded
  };

  explicit Form2(forms::Application& app);

  // Shows the dialog modally and returns how it ended.
  Answer Ask();

  forms::Label& Label5() { return At(Named<forms::Label>("Label5")); }
  forms::TextBox& Text1() { return At(Named<forms::TextBox>("Text1")); }
  forms::CommandButton& Command1() {
    return At(Named<forms::CommandButton>("Command1"));
  }
  forms::CommandButton& Command4() {
    return At(Named<forms::CommandButton>("Command4"));
  }

  // OK: an empty name is refused with a message box; any other name hides
  // the dialog, ending its modal display with kOk.
  void Command1_Click();
  // Cancel (and Esc): discards the dialog, ending its modal display with
  // kCancel.
  void Command4_Click();
  // A click clears the untouched placeholder, and nothing else.
  void Text1_Click();

 protected:
  void BindEvents() override;

 private:
  Answer answer_ = Answer::kClosed;
};
