#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

namespace {

constexpr int kFocusInset = 3;  // px between the edge and the focus rectangle

}  // namespace

ControlView::WindowClass ButtonView::Class() const {
  DWORD kind = control().design().graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
  return {"BUTTON", kind, 0};
}

bool ButtonView::OnCommand(int code, LRESULT& result) {
  result = 0;
  // An owner-drawn button reports the second click of a double click as
  // BN_DOUBLECLICKED: it is a press all the same.
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control().UserClick();
  return true;
}

void ButtonView::Press() { control().UserClick(); }

bool ButtonView::OnCtlColor(HDC, LRESULT&) {
  return false;  // a push button keeps the system's look
}

bool ButtonView::OnDrawItem(const DRAWITEMSTRUCT& item, LRESULT& result) {
  result = TRUE;
  HDC hdc = item.hDC;
  RECT rect = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const ControlDesign& design = control().design();

  FillRect(hdc, &rect, resources().Brush(BackColor()));
  int picture =
      pressed && design.downPicture ? design.downPicture : design.picture;
  if (const Picture* face = resources().LoadPicture(picture)) {
    SIZE size = face->Size();
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    face->Draw(hdc, rect.left + (rect.right - rect.left - size.cx) / 2,
               rect.top + (rect.bottom - rect.top - size.cy) / 2);
    RestoreDC(hdc, saved);
  }

  HGDIOBJ old = SelectObject(hdc, Font());
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc,
               control().Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT));
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  std::string caption = Text();
  DrawTextA(hdc, caption.c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(hdc, old);

  DrawEdge(hdc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = rect;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(hdc, &focus);
  }
  return true;
}

}  // namespace forms::win32
