// The per-game dialog's handlers.
#include "ui/pergame/form2.h"

#include "ui/main/form1.h"
#include "ui/main/program.h"

namespace {

constexpr const char* kPlaceholder = "exemple.exe";
constexpr const char* kEmptyNameMessage = "Enter a Direct3D executable name !";
constexpr const char* kOneGameCaption = "To one game only : ";

}  // namespace

Form2::Form2(Program& program)
    : forms::Form(program.app(), kForm2Design), program_(program) {}

void Form2::BindEvents() {
  Command1().Click = [this] { Command1_Click(); };
  Command4().Click = [this] { Command4_Click(); };
  Text1().Click = [this] { Text1_Click(); };
}

void Form2::Command1_Click() {
  if (Text1().Text() == "") {
    app().MsgBox(kEmptyNameMessage, forms::kVbOKOnly | forms::kVbCritical,
                 forms::kAppTitle);
    return;
  }
  Hide();
  program_.form1().Option1().SetCaption(kOneGameCaption + Text1().Text());
}

void Form2::Command4_Click() {
  Unload();
  program_.form1().Option1().SetValue(false);
}

void Form2::Text1_Click() {
  if (Text1().Text() == kPlaceholder) Text1().SetText("");
}
