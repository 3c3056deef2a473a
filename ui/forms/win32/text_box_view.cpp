#include <vector>

#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

ControlView::WindowClass TextBoxView::Class() const {
  return {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
}

TextBoxView::~TextBoxView() {
  if (original_ && hwnd() && IsWindow(hwnd()))
    SetWindowLongPtrA(hwnd(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(original_));
}

void TextBoxView::Configure() {
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

std::string TextBoxView::WindowText() const {
  int length = GetWindowTextLengthA(hwnd());
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(hwnd(), buffer.data(), length + 1);
  return std::string(buffer.data(),
                     static_cast<size_t>(copied > 0 ? copied : 0));
}

void TextBoxView::Update(Property property) {
  if (property != Property::kText && property != Property::kCaption) {
    ControlView::Update(property);
    return;
  }
  if (WindowText() == textBox_.Text()) return;  // the echo of the user's edit
  setting_ = true;
  ShowText(textBox_.Text());
  setting_ = false;
}

bool TextBoxView::OnCommand(int code, LRESULT& result) {
  result = 0;
  if (code != EN_CHANGE || setting_) return true;
  std::string text = WindowText();
  if (text != textBox_.Text()) textBox_.UserEdit(text);
  return true;
}

LRESULT CALLBACK TextBoxView::SubclassProc(HWND hwnd, UINT message,
                                           WPARAM wParam, LPARAM lParam) {
  auto* view = static_cast<TextBoxView*>(FromWindow(hwnd));
  if (!view) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result =
      CallWindowProcA(view->original_, hwnd, message, wParam, lParam);
  // A press of the mouse in the box is a click; focus by keyboard is not.
  if (message == WM_LBUTTONDOWN) view->textBox_.UserClick();
  return result;
}

}  // namespace forms::win32
