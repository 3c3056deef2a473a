// The About window: name, version, credits, and the maker's homepage and
// e-mail links, which are handed to the shell.
#pragma once

#include <string>

#include "ui/forms/forms.h"

class Program;

extern const forms::WindowDesign kForm4Design;

// The maker's addresses: shown by Label8 and Label9, and opened by them.
inline constexpr const char* kHomepageHost = "www.quillbrook.example";
inline constexpr const char* kEmailAddress = "brannoch@quillbrook.example";

class Form4 : public forms::Form {
 public:
  explicit Form4(Program& program);

  forms::Label& Label1() { return Get<forms::Label>("Label1"); }
  forms::Label& Label2() { return Get<forms::Label>("Label2"); }
  forms::Label& Label3() { return Get<forms::Label>("Label3"); }
  forms::Label& Label4() { return Get<forms::Label>("Label4"); }
  forms::Label& Label5() { return Get<forms::Label>("Label5"); }
  forms::Label& Label7() { return Get<forms::Label>("Label7"); }
  forms::CommandButton& Command3() {
    return Get<forms::CommandButton>("Command3");
  }
  forms::Frame& Frame1() { return Get<forms::Frame>("Frame1"); }
  forms::PictureBox& Picture1() { return Get<forms::PictureBox>("Picture1"); }
  forms::Label& Label8() { return Get<forms::Label>("Label8"); }
  forms::Label& Label9() { return Get<forms::Label>("Label9"); }

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
