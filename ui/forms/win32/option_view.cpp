#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

ControlView::WindowClass OptionView::Class() const {
  // Not an automatic radio button: the model decides what is selected.
  return {"BUTTON", BS_RADIOBUTTON, 0};
}

void OptionView::Configure() {
  SendMessageA(hwnd(), BM_SETCHECK,
               option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionView::Update(Property property) {
  if (property == Property::kValue) {
    Configure();
    return;
  }
  ControlView::Update(property);
}

void OptionView::RestoreFocus() {
  restoring_ = true;
  ControlView::RestoreFocus();
  restoring_ = false;
}

bool OptionView::OnCommand(int code, LRESULT& result) {
  result = 0;
  if (code == BN_CLICKED && !restoring_) option_.UserClick();
  return true;
}

}  // namespace forms::win32
