#include "ui/forms/win32/control_kinds.h"

namespace forms::win32 {

namespace {

constexpr int kCaptionIndent = 8;   // px from the frame's left edge
constexpr int kCaptionPadding = 2;  // px of background either side of it

}  // namespace

ControlView::WindowClass FrameView::Class() const {
  return {RegisterCustomClass(resources().instance()), WS_CLIPCHILDREN,
          WS_EX_CONTROLPARENT};
}

LRESULT FrameView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(message, wParam, lParam, result)) return result;
  return CustomView::HandleMessage(message, wParam, lParam);
}

void FrameView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources().Brush(BackColor()));
  HGDIOBJ old = SelectObject(hdc, Font());
  std::string caption = Text();
  RECT border = client;
  if (!caption.empty()) {
    TEXTMETRICA metrics;
    GetTextMetricsA(hdc, &metrics);
    border.top += metrics.tmHeight / 2;
  }
  DrawEdge(hdc, &border, EDGE_ETCHED, BF_RECT);
  if (!caption.empty()) {
    RECT text = {0, 0, 0, 0};
    DrawTextA(hdc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    RECT box = {client.left + kCaptionIndent - kCaptionPadding, client.top,
                client.left + kCaptionIndent + text.right + kCaptionPadding,
                client.top + text.bottom};
    FillRect(hdc, &box, resources().Brush(BackColor()));
    OffsetRect(&text, client.left + kCaptionIndent, client.top);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(
        hdc, control().Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(hdc, caption.c_str(), -1, &text,
              DT_SINGLELINE | DT_LEFT | DT_TOP);
  }
  SelectObject(hdc, old);
}

}  // namespace forms::win32
