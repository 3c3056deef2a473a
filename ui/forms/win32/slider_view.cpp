
#include "ui/forms/win32/control_kinds.h"
#include "ui/forms/win32/win32.h"

namespace forms::win32 {

ControlView::WindowClass SliderView::Class() const {
  DWORD ticks = slider_.design().slider.tickStyle == TickStyle::kNoTicks
                    ? TBS_NOTICKS
                    : TBS_BOTTOM | TBS_AUTOTICKS;
  return {TRACKBAR_CLASSA, TBS_HORZ | ticks, 0};
}

void SliderView::Configure() {
  const SliderDesign& design = slider_.design().slider;
  SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, design.min);
  SendMessageA(hwnd(), TBM_SETRANGEMAX, FALSE, design.max);
  SendMessageA(hwnd(), TBM_SETLINESIZE, 0, design.smallChange);
  SendMessageA(hwnd(), TBM_SETPAGESIZE, 0, design.largeChange);
  SendMessageA(hwnd(), TBM_SETTICFREQ, design.tickFrequency, 0);
  SendMessageA(hwnd(), TBM_SETPOS, TRUE, slider_.Value());
}

void SliderView::AfterFirstShow() {
  const char* tip = slider_.design().toolTip;
  if (!tip || !*tip) return;
  HWND top = GetAncestor(hwnd(), GA_ROOT);
  tooltip_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr,
                      resources().instance(), nullptr);
  if (!tooltip_) return;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;  // what comctl32 before 6 knows
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd());
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.hinst = resources().instance();
  tool.lpszText = const_cast<char*>(tip);
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void SliderView::Update(Property property) {
  if (property != Property::kValue) {
    ControlView::Update(property);
    return;
  }
  // The model's echo of a position the trackbar already shows changes nothing.
  LRESULT shown = SendMessageA(hwnd(), TBM_GETPOS, 0, 0);
  if (shown != slider_.Value())
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, slider_.Value());
}

bool SliderView::OnHScroll(LRESULT& result) {
  result = 0;
  auto position =
      static_cast<std::int32_t>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0));
  if (position != slider_.Value()) slider_.UserMoveTo(position);
  return true;
}

}  // namespace forms::win32
