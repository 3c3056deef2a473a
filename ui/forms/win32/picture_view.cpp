#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

COLORREF PictureView::BackColor() const {
  if (control().kind() == Kind::kImage) return containerBack();
  return ControlView::BackColor();
}

void PictureView::Configure() {
  if (control().kind() != Kind::kImage) return;
  // An image takes exactly the size of its picture, known before the
  // picture is decoded at the first paint.
  SIZE size;
  if (resources().PictureSize(control().design().picture, size)) FitTo(size);
}

void PictureView::FitTo(SIZE size) {
  RECT client;
  GetClientRect(hwnd(), &client);
  if (client.right == size.cx && client.bottom == size.cy) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources().Brush(BackColor()));
  const Picture* picture = resources().LoadPicture(control().design().picture);
  if (!picture) return;
  picture->Draw(hdc, client.left, client.top);
  // Where the decoder's size differs from the header's, the decoder wins.
  if (control().kind() == Kind::kImage) FitTo(picture->Size());
}

}  // namespace forms::win32
