// The view of each kind of control: its window class, painting and messages.
#include <iterator>
#include <string>

#include "ui/forms/win32/host.h"

namespace forms::win32 {

namespace {

// The property under which a child window keeps its view.
constexpr const char* kViewProperty = "Movarin.ControlView";
constexpr const char* kCustomClass = "MovarinControl";
// One line, "&&" shown as one "&", as every caption shows it.
constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;
constexpr int kCaptionIndent = 8;   // px from a frame's left edge
constexpr int kCaptionPadding = 2;  // px of background either side of it
constexpr int kFocusInset = 3;      // px between a button's edge and its focus

constexpr Color kFace = SystemColor(COLOR_BTNFACE);
constexpr Color kText = SystemColor(COLOR_BTNTEXT);

// By Kind, in its order. Radio buttons are not automatic: the model selects.
constexpr ControlView::WindowClass kClasses[] = {
    {nullptr},                                                  // label
    {nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},            // frame
    {TRACKBAR_CLASSA, TBS_HORZ, 0, true, kFace, kText, true},   // slider
    {"BUTTON", BS_RADIOBUTTON, 0, true},                        // option
    {"BUTTON", 0, 0, true, kFace, kText, false, true},          // button
    {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true,  // text box
     SystemColor(COLOR_WINDOW), SystemColor(COLOR_WINDOWTEXT)},
    {nullptr},                                    // picture box
    {nullptr, 0, 0, false, kFace, kText, true}};  // image
static_assert(std::size(kClasses) == static_cast<int>(Kind::kImage) + 1);

ControlView::WindowClass ClassOf(const ControlDesign& design) {
  ControlView::WindowClass window = kClasses[static_cast<int>(design.kind)];
  if (design.kind == Kind::kSlider)
    window.style |= design.slider.tickStyle == TickStyle::kNoTicks
                        ? TBS_NOTICKS
                        : TBS_BOTTOM | TBS_AUTOTICKS;
  if (design.kind == Kind::kButton)  // a graphical one shows its pictures
    window.style |= design.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
  return window;
}

RECT ClientOf(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  return client;
}

void FitTo(HWND hwnd, SIZE size) {
  RECT client = ClientOf(hwnd);
  if (client.right != size.cx || client.bottom != size.cy)
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t Position(HWND trackbar) {
  return static_cast<std::int32_t>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1,
                   '\0');
  int copied = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? copied : 0);
  return text;
}

// A frame: an etched border, and its caption over the border's top edge.
void PaintFrame(HDC hdc, const RECT& client, const std::string& caption,
                HBRUSH back) {
  RECT border = client;
  if (!caption.empty()) {
    TEXTMETRICA metrics;
    GetTextMetricsA(hdc, &metrics);
    border.top += metrics.tmHeight / 2;
  }
  DrawEdge(hdc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT text = {0, 0, 0, 0};
  DrawTextA(hdc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
  RECT box = {client.left + kCaptionIndent - kCaptionPadding, client.top,
              client.left + kCaptionIndent + text.right + kCaptionPadding,
              client.top + text.bottom};
  FillRect(hdc, &box, back);
  OffsetRect(&text, client.left + kCaptionIndent, client.top);
  DrawTextA(hdc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

}  // namespace

ControlView::ControlView(ViewResources& resources, Control& control,
                         COLORREF containerBack)
    : resources_(resources),
      control_(control),
      class_(ClassOf(control.design())),
      containerBack_(containerBack) {}

void ControlView::Create(HWND parent, int id) {
  const char* name = class_.name
                         ? class_.name
                         : resources_.WindowClass(kCustomClass, CustomProc);
  DWORD style = class_.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                (class_.takesFocus ? WS_TABSTOP : 0) |
                (control_.Enabled() ? 0 : WS_DISABLED);
  const ControlDesign& design = control_.design();
  hwnd_ =
      CreateWindowExA(class_.exStyle, name, control_.Caption().c_str(), style,
                      resources_.Px(design.left), resources_.Px(design.top),
                      resources_.Px(design.width), resources_.Px(design.height),
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      resources_.instance(), this);
  if (!hwnd_) throw OutOfMemory();
  SetPropA(hwnd_, kViewProperty, this);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  switch (design.kind) {
    case Kind::kLabel:
      if (design.autoSize) FitLabel();
      break;
    case Kind::kImage: {
      // Its picture's size, read before the picture is decoded at first paint.
      SIZE size;
      if (resources_.PictureSize(design.picture, size)) FitTo(hwnd_, size);
      break;
    }
    case Kind::kSlider:
      SendMessageA(hwnd_, TBM_SETRANGEMIN, FALSE, design.slider.min);
      SendMessageA(hwnd_, TBM_SETRANGEMAX, FALSE, design.slider.max);
      SendMessageA(hwnd_, TBM_SETLINESIZE, 0, design.slider.smallChange);
      SendMessageA(hwnd_, TBM_SETPAGESIZE, 0, design.slider.largeChange);
      SendMessageA(hwnd_, TBM_SETTICFREQ, design.slider.tickFrequency, 0);
      [[fallthrough]];
    case Kind::kOption:
      ShowValue();
      break;
    case Kind::kTextBox:
      editProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
          hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
      break;
    default:
      break;
  }
}

// An unchecked radio button that gets the focus reports a click, as Tab
// into it does; focus given back on activation must not.
void ControlView::RestoreFocus() {
  quiet_ = true;
  SetFocus(hwnd_);
  quiet_ = false;
}

// A missing tooltip takes nothing from the user.
void ControlView::AfterShow() {
  const char* tip = control_.design().toolTip;
  if (!tip || !*tip) return;
  HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, GetAncestor(hwnd_, GA_ROOT),
                                 nullptr, resources_.instance(), nullptr);
  if (!tooltip) return;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;  // what comctl32 before 6 knows
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(hwnd_);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.hinst = resources_.instance();
  tool.lpszText = const_cast<char*>(tip);
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlView::Update(Property property) {
  if (!hwnd_) return;
  switch (property) {
    case Property::kValue:
      return ShowValue();
    case Property::kCaption:
    case Property::kText:
      // The model's echo of the user's own edit changes nothing.
      if (WindowText(hwnd_) == control_.Caption()) return;
      quiet_ = true;
      SetWindowTextA(hwnd_, control_.Caption().c_str());
      quiet_ = false;
      if (control_.kind() == Kind::kLabel && control_.design().autoSize)
        FitLabel();
      break;
    case Property::kEnabled:
      EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
      break;
    case Property::kForeColor:
      break;
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// A slider's position, unless the trackbar shows it; an option's check.
void ControlView::ShowValue() {
  if (control_.kind() == Kind::kOption) {
    bool checked = static_cast<OptionButton&>(control_).Value();
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (auto& slider = static_cast<Slider&>(control_);
             Position(hwnd_) != slider.Value()) {
    SendMessageA(hwnd_, TBM_SETPOS, TRUE, slider.Value());
  }
}

// Every position the trackbar reports is Slider::UserMoveTo, and the model
// decides the Change event. An owner-drawn button reports the second click
// of a double click as BN_DOUBLECLICKED: a press all the same.
void ControlView::OnNotify(int code) {
  switch (control_.kind()) {
    case Kind::kSlider:  // the model ignores a position it already holds
      static_cast<Slider&>(control_).UserMoveTo(Position(hwnd_));
      break;
    case Kind::kOption:
      if (code == BN_CLICKED && !quiet_) control_.UserClick();
      break;
    case Kind::kButton:
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control_.UserClick();
      break;
    case Kind::kTextBox:
      if (code == EN_CHANGE && !quiet_)
        static_cast<TextBox&>(control_).UserEdit(WindowText(hwnd_));
      break;
    default:
      break;
  }
}

// A label takes its caption's size on one line, keeping Left and Top; an
// empty caption still takes one line's height.
void ControlView::FitLabel() {
  HDC hdc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(hdc, Font());
  RECT text = {0, 0, 0, 0};
  DrawTextA(hdc, control_.Caption().c_str(), -1, &text,
            kLabelFormat | DT_CALCRECT);
  if (text.bottom == 0) {
    TEXTMETRICA metrics;
    GetTextMetricsA(hdc, &metrics);
    text.bottom = metrics.tmHeight;
  }
  SelectObject(hdc, old);
  ReleaseDC(hwnd_, hdc);
  FitTo(hwnd_, {text.right, text.bottom});
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// A label: its caption in its font and colours. A picture box: its picture
// from the top-left at natural size, clipped, no border. An image: its
// picture over the container's background, exactly the picture's size.
void ControlView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources_.Brush(BackColor()));
  const ControlDesign& design = control_.design();
  if (design.kind == Kind::kPictureBox || design.kind == Kind::kImage) {
    const Picture* picture = resources_.LoadPicture(design.picture);
    if (!picture) return;
    picture->Draw(hdc, client.left, client.top);
    // Where the decoder's size differs from the header's, the decoder wins.
    if (design.kind == Kind::kImage) FitTo(hwnd_, picture->Size());
    return;
  }
  HGDIOBJ old = SelectObject(hdc, Font());
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, TextColor());
  if (design.kind == Kind::kFrame) {
    PaintFrame(hdc, client, control_.Caption(), resources_.Brush(BackColor()));
  } else {
    RECT text = client;
    DrawTextA(hdc, control_.Caption().c_str(), -1, &text,
              design.autoSize ? kLabelFormat : DT_LEFT | DT_TOP | DT_WORDBREAK);
  }
  SelectObject(hdc, old);
}

// A graphical button: its picture centred and clipped (the down picture
// while held), the caption over it, raised or sunken edges, focus rectangle.
void ControlView::DrawButton(const DRAWITEMSTRUCT& item) {
  HDC hdc = item.hDC;
  RECT rect = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const ControlDesign& design = control_.design();
  FillRect(hdc, &rect, resources_.Brush(BackColor()));
  int picture =
      pressed && design.downPicture ? design.downPicture : design.picture;
  if (const Picture* face = resources_.LoadPicture(picture)) {
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
  DrawTextA(hdc, control_.Caption().c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(hdc, old);
  DrawEdge(hdc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&rect, -kFocusInset, -kFocusInset);
    DrawFocusRect(hdc, &rect);
  }
}

ControlView* ControlView::FromWindow(HWND hwnd) {
  return hwnd ? static_cast<ControlView*>(GetPropA(hwnd, kViewProperty))
              : nullptr;
}

bool ControlView::Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  result = 0;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  HWND child = reinterpret_cast<HWND>(lParam);
  if (message == WM_DRAWITEM) child = item ? item->hwndItem : nullptr;
  ControlView* view = FromWindow(child);
  if (!view) return false;
  switch (message) {
    case WM_DRAWITEM:
      view->DrawButton(*item);
      result = TRUE;
      return true;
    case WM_COMMAND:
      view->OnNotify(HIWORD(wParam));
      return true;
    case WM_HSCROLL:
      view->OnNotify(LOWORD(wParam));
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      if (view->class_.systemColors) return false;
      auto hdc = reinterpret_cast<HDC>(wParam);
      SetTextColor(hdc, view->ForeColor());
      SetBkColor(hdc, view->BackColor());
      result =
          reinterpret_cast<LRESULT>(view->resources_.Brush(view->BackColor()));
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK ControlView::CustomProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  ControlView* view = FromWindow(hwnd);
  if (!view && message == WM_NCCREATE) {
    view = static_cast<ControlView*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    view->hwnd_ = hwnd;
    SetPropA(hwnd, kViewProperty, view);
  }
  if (message == WM_NCDESTROY) RemovePropA(hwnd, kViewProperty);
  if (!view || message == WM_NCDESTROY)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return view->HandleMessage(message, wParam, lParam);
}

// A press of the mouse in a text box is a click; focus by keyboard is not.
LRESULT CALLBACK ControlView::EditProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  ControlView* view = FromWindow(hwnd);
  if (!view) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result =
      CallWindowProcA(view->editProc_, hwnd, message, wParam, lParam);
  if (message == WM_LBUTTONDOWN) view->control_.UserClick();
  return result;
}

// The view's own class: Paint draws it whole; a move over it is MouseMove,
// a press and release of the left button inside it Click; it shows the
// design's mouse pointer. A frame also reflects its children's messages.
LRESULT ControlView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (control_.kind() == Kind::kFrame &&
      Reflect(message, wParam, lParam, result))
    return result;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(hwnd_, &paint);
      Paint(hdc, ClientOf(hwnd_));
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam), ClientOf(hwnd_));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      if (HCURSOR cursor = resources_.Cursor(control_.design().mouseIcon)) {
        SetCursor(cursor);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      control_.UserMouseMove();
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd_);
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != hwnd_) return 0;
      ReleaseCapture();
      RECT client = ClientOf(hwnd_);
      POINT point = {static_cast<short>(LOWORD(lParam)),
                     static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&client, point)) control_.UserClick();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace forms::win32
