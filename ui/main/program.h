// The program: owns its three windows for the whole run, so they can reach
// each other without globals.
#pragma once

#include <memory>

#include "ui/forms/forms.h"

class Form1;
class Form2;
class Form4;

class Program {
 public:
  explicit Program(forms::Host& host);
  ~Program();

  forms::Application& app() { return app_; }
  Form1& form1() { return *form1_; }
  Form2& form2() { return *form2_; }
  Form4& form4() { return *form4_; }

  // Loads and shows the main window under the error policy: when its
  // Form_Load or its window fails, the program ends with the report.
  void Start();

 private:
  forms::Application app_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form4> form4_;
};
