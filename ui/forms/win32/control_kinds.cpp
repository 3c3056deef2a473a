// The wrappers of the control kinds, each with the Win32 messages of its
// kind.
#include <vector>

#include "ui/forms/win32/control_view.h"

namespace forms::win32 {

namespace {

// One line, access-key ampersands processed the way every caption shows
// them: "&&" is one "&".
constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;
constexpr int kCaptionIndent = 8;   // px from a frame's left edge
constexpr int kCaptionPadding = 2;  // px of background either side of it
constexpr int kFocusInset = 3;      // px between a button's edge and its focus

RECT ClientOf(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return client;
}

}  // namespace

// ------------------------------------------------------------ CustomView --

LRESULT CustomView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(hwnd(), &paint);
      Paint(hdc, ClientOf(hwnd()));
      EndPaint(hwnd(), &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam), ClientOf(hwnd()));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        if (HCURSOR cursor = resources().Cursor(control().design().mouseIcon)) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_MOUSEMOVE:
      control().UserMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != hwnd()) return 0;
      ReleaseCapture();
      RECT client = ClientOf(hwnd());
      POINT point = {static_cast<short>(LOWORD(lParam)),
                     static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&client, point)) control().UserClick();
      return 0;
    }
    default:
      break;
  }
  return ControlView::HandleMessage(message, wParam, lParam);
}

// ------------------------------------------------------------- LabelView --

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
  DrawTextA(hdc, control().Caption().c_str(), -1, &text,
            kLabelFormat | DT_CALCRECT);
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
  SetTextColor(hdc, TextColor());
  RECT text = client;
  UINT format = control().design().autoSize ? kLabelFormat
                                            : DT_LEFT | DT_TOP | DT_WORDBREAK;
  DrawTextA(hdc, control().Caption().c_str(), -1, &text, format);
  SelectObject(hdc, old);
}

// ------------------------------------------------------------- FrameView --

ControlView::WindowClass FrameView::Class() const {
  return {nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

LRESULT FrameView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(message, wParam, lParam, result)) return result;
  return CustomView::HandleMessage(message, wParam, lParam);
}

void FrameView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources().Brush(BackColor()));
  HGDIOBJ old = SelectObject(hdc, Font());
  const std::string& caption = control().Caption();
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
    SetTextColor(hdc, TextColor());
    DrawTextA(hdc, caption.c_str(), -1, &text,
              DT_SINGLELINE | DT_LEFT | DT_TOP);
  }
  SelectObject(hdc, old);
}

// ----------------------------------------------------------- PictureView --

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
  RECT client = ClientOf(hwnd());
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

// ------------------------------------------------------------ SliderView --

ControlView::WindowClass SliderView::Class() const {
  DWORD ticks = slider_.design().slider.tickStyle == TickStyle::kNoTicks
                    ? TBS_NOTICKS
                    : TBS_BOTTOM | TBS_AUTOTICKS;
  return {TRACKBAR_CLASSA, TBS_HORZ | ticks, 0, true};
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

void SliderView::AfterShow() {
  const char* tip = slider_.design().toolTip;
  if (!tip || !*tip) return;
  HWND top = GetAncestor(hwnd(), GA_ROOT);
  tooltip_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr,
                      resources().instance(), nullptr);
  if (!tooltip_) return;  // a missing tooltip takes nothing from the user
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
  if (property != Property::kValue) return ControlView::Update(property);
  // The model's echo of a position the trackbar already shows changes nothing.
  if (SendMessageA(hwnd(), TBM_GETPOS, 0, 0) != slider_.Value())
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, slider_.Value());
}

void SliderView::OnNotify(int) {
  auto position =
      static_cast<std::int32_t>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0));
  if (position != slider_.Value()) slider_.UserMoveTo(position);
}

// ------------------------------------------------------------ OptionView --

ControlView::WindowClass OptionView::Class() const {
  // Not an automatic radio button: the model decides what is selected.
  return {"BUTTON", BS_RADIOBUTTON, 0, true};
}

void OptionView::Configure() {
  SendMessageA(hwnd(), BM_SETCHECK,
               option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionView::Update(Property property) {
  if (property == Property::kValue) return Configure();
  ControlView::Update(property);
}

void OptionView::RestoreFocus() {
  restoring_ = true;
  ControlView::RestoreFocus();
  restoring_ = false;
}

void OptionView::OnNotify(int code) {
  if (code == BN_CLICKED && !restoring_) option_.UserClick();
}

// ------------------------------------------------------------ ButtonView --

ControlView::WindowClass ButtonView::Class() const {
  DWORD kind = control().design().graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
  return {"BUTTON", kind, 0, true};
}

void ButtonView::OnNotify(int code) {
  if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control().UserClick();
}

void ButtonView::OnDrawItem(const DRAWITEMSTRUCT& item) {
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
  SetTextColor(hdc, TextColor());
  RECT text = rect;
  if (pressed) OffsetRect(&text, 1, 1);
  DrawTextA(hdc, control().Caption().c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(hdc, old);

  DrawEdge(hdc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -kFocusInset, -kFocusInset);
    DrawFocusRect(hdc, &rect);
  }
}

// ----------------------------------------------------------- TextBoxView --

ControlView::WindowClass TextBoxView::Class() const {
  return {"EDIT", ES_LEFT | ES_AUTOHSCROLL,  WS_EX_CLIENTEDGE,
          true,   SystemColor(COLOR_WINDOW), SystemColor(COLOR_WINDOWTEXT)};
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
  if (property != Property::kText && property != Property::kCaption)
    return ControlView::Update(property);
  if (WindowText() == textBox_.Text()) return;  // the echo of the user's edit
  setting_ = true;
  SetWindowTextA(hwnd(), textBox_.Text().c_str());
  setting_ = false;
}

void TextBoxView::OnNotify(int code) {
  if (code != EN_CHANGE || setting_) return;
  std::string text = WindowText();
  if (text != textBox_.Text()) textBox_.UserEdit(text);
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
