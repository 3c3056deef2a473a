// The per-game dialog's handlers.
#include "ui/pergame/form2.h"

namespace {

constexpr const char* kPlaceholder = "exemple.exe";
constexpr const char* kEmptyNameMessage = "Enter a Direct3D executable name !";

}  // namespace

Form2::Form2(forms::Application& app) : forms::Form(app, kForm2Design) {}

Form2::Answer Form2::Ask() {
  answer_ = Answer::kClosed;  // unless a button says otherwise
  ShowModal();
  return answer_;
}

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
  answer_ = Answer::kOk;
  Hide();
}

void Form2::Command4_Click() {
  answer_ = Answer::kCancel;
  Unload();
}

void Form2::Text1_Click() {
  if (Text1().Text() == kPlaceholder) Text1().SetText("");
}
