#include "ui/main/program.h"

#include "ui/about/form4.h"
#include "ui/main/form1.h"
#include "ui/pergame/form2.h"

Program::Program(forms::Host& host)
    : app_(host),
      form1_(std::make_unique<Form1>(*this)),
      form2_(std::make_unique<Form2>(app_)),
      form4_(std::make_unique<Form4>(*this)) {}

Program::~Program() = default;

void Program::Start() {
  app_.RaiseEvent([this] { form1().Show(); });
}
