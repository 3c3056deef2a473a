// The About window: name, version, credits, and the maker's homepage and
// e-mail links, which are handed to the shell.
#pragma once

#include <string>
#include <string_view>

#include "ui/about/form4_design.h"
#include "ui/forms/forms.h"

class Program;

class Form4 : public forms::Form {
  // The row of a control of the design, checked while compiling.
  template <class T>
  static consteval forms::Row<T> Named(std::string_view name) {
    return forms::RowOf<T>(form4_design::kControls, name);
  }

 public:
  explicit Form4(Program& program);

  forms::Label& Label1() { return At(Named<forms::Label>("Label1")); }
  forms::Label& Label2() { return At(Named<forms::Label>("Label2")); }
  forms::Label& Label3() { return At(Named<forms::Label>("Label3")); }
  forms::Label& Label4() { return At(Named<forms::Label>("Label4")); }
  forms::Label& Label5() { return At(Named<forms::Label>("Label5")); }
  forms::Label& Label7() { return At(Named<forms::Label>("Label7")); }
  forms::CommandButton& Command3() {
    return At(Named<forms::CommandButton>("Command3"));
  }
  forms::Frame& Frame1() { return At(Named<forms::Frame>("Frame1")); }
  forms::PictureBox& Picture1() {
    return At(Named<forms::PictureBox>("Picture1"));
  }
  forms::Label& Label8() { return At(Named<forms::Label>("Label8")); }
  forms::Label& Label9() { return At(Named<forms::Label>("Label9")); }

  // OK !: unloads the window, which ends its modal display.
  void Command3_Click();
  // The links: hand their URL to the shell, then turn purple whatever the
  // shell answered.
  void Label8_Click();
  void Label9_Click();

 protected:
  void BindEvents() override;

 private:
  // Hands a URL to the shell with this window as parent; the result is not
  // looked at.
  void OpenLink(const std::string& address);
};
