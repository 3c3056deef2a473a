#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

namespace {

// One line, access-key ampersands processed the way every caption shows
// them: "&&" is one "&".
constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;

}  // namespace

void LabelView::Configure() {
  if (control().design().autoSize) FitToText();
}

void LabelView::Update(Property property) {
  ControlView::Update(property);
  if (property == Property::kCaption && control().design().autoSize)
    FitToText();
}

void LabelView::FitToText() {
  HDC hdc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(hdc, Font());
  RECT text = {0, 0, 0, 0};
  std::string caption = Text();
  DrawTextA(hdc, caption.c_str(), -1, &text, kLabelFormat | DT_CALCRECT);
  if (text.bottom == 0) {
    // An empty caption still takes one line's height.
    TEXTMETRICA metrics;
    GetTextMetricsA(hdc, &metrics);
    text.bottom = metrics.tmHeight;
  }
  SelectObject(hdc, old);
  ReleaseDC(hwnd(), hdc);
  SetWindowPos(hwnd(), nullptr, 0, 0, text.right, text.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
}

void LabelView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources().Brush(BackColor()));
  HGDIOBJ old = SelectObject(hdc, Font());
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc,
               control().Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT));
  RECT text = client;
  std::string caption = Text();
  UINT format = control().design().autoSize ? kLabelFormat
                                            : DT_LEFT | DT_TOP | DT_WORDBREAK;
  DrawTextA(hdc, caption.c_str(), -1, &text, format);
  SelectObject(hdc, old);
}

}  // namespace forms::win32
