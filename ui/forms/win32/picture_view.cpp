#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

COLORREF PictureView::BackColor() const {
  if (control().kind() == Kind::kImage) return containerBack();
  return ControlView::BackColor();
}

void PictureView::Configure() {
  if (control().kind() != Kind::kImage) return;
  // An image takes exactly the size of its picture.
  if (const Picture* picture =
          resources().LoadPicture(control().design().picture)) {
    SIZE size = picture->Size();
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void PictureView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources().Brush(BackColor()));
  if (const Picture* picture =
          resources().LoadPicture(control().design().picture))
    picture->Draw(hdc, client.left, client.top);
}

}  // namespace forms::win32
