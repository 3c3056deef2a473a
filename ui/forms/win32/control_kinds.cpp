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

void Resize(HWND hwnd, int width, int height) {
  SetWindowPos(hwnd, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A child of the view's own window class that paints itself: labels,
// frames, picture boxes and images. Raises the control's MouseMove for
// moves over its own surface and Click for a press and release of the left
// button inside it; shows the design's mouse pointer.
class CustomView : public ControlView {
 public:
  using ControlView::ControlView;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
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
        if (LOWORD(lParam) != HTCLIENT) break;
        if (HCURSOR cursor = resources().Cursor(control().design().mouseIcon)) {
          SetCursor(cursor);
          return TRUE;
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

 protected:
  WindowClass Class() const override { return {nullptr}; }
  virtual void Paint(HDC hdc, const RECT& client) = 0;
};

// A label: its caption in its font and colours. With AutoSize it is one
// line, keeps Left and Top and takes its text's size.
class LabelView : public CustomView {
 public:
  using CustomView::CustomView;

  void Update(Property property) override {
    ControlView::Update(property);
    if (property == Property::kCaption) Configure();
  }

 protected:
  void Configure() override {
    if (!control().design().autoSize) return;
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
    Resize(hwnd(), text.right, text.bottom);
    Invalidate();
  }

  void Paint(HDC hdc, const RECT& client) override {
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
};

// A frame: a container that draws an etched border and its caption in its
// ForeColor over its background. Its children are the controls inside it,
// whose messages it reflects.
class FrameView : public CustomView {
 public:
  using CustomView::CustomView;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (Reflect(message, wParam, lParam, result)) return result;
    return CustomView::HandleMessage(message, wParam, lParam);
  }

 protected:
  WindowClass Class() const override {
    return {nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
  }

  void Paint(HDC hdc, const RECT& client) override {
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
};

// A picture box (its background, then its picture from the top-left at
// natural size, clipped; no border) or an image (transparent over its
// container, exactly the size of its picture).
class PictureView : public CustomView {
 public:
  using CustomView::CustomView;

 protected:
  bool IsImage() const { return control().kind() == Kind::kImage; }

  WindowClass Class() const override {
    WindowClass window = {nullptr};
    window.transparent = IsImage();
    return window;
  }

  void Configure() override {
    // An image takes exactly the size of its picture, known before the
    // picture is decoded at the first paint.
    SIZE size;
    if (IsImage() && resources().PictureSize(control().design().picture, size))
      FitTo(size);
  }

  void Paint(HDC hdc, const RECT& client) override {
    FillRect(hdc, &client, resources().Brush(BackColor()));
    const Picture* picture =
        resources().LoadPicture(control().design().picture);
    if (!picture) return;
    picture->Draw(hdc, client.left, client.top);
    // Where the decoder's size differs from the header's, the decoder wins.
    if (IsImage()) FitTo(picture->Size());
  }

  void FitTo(SIZE size) {
    RECT client = ClientOf(hwnd());
    if (client.right != size.cx || client.bottom != size.cy)
      Resize(hwnd(), size.cx, size.cy);
  }
};

// The common-controls trackbar: range, steps, tick marks, tooltip. Every
// position it reports becomes Slider::UserMoveTo; the model decides the
// Change event.
class SliderView : public ControlView {
 public:
  SliderView(ViewResources& resources, Slider& slider, COLORREF containerBack)
      : ControlView(resources, slider, containerBack), slider_(slider) {}

  void Update(Property property) override {
    if (property != Property::kValue) return ControlView::Update(property);
    // The model's echo of a position the trackbar already shows changes
    // nothing.
    if (Position() != slider_.Value())
      SendMessageA(hwnd(), TBM_SETPOS, TRUE, slider_.Value());
  }

  void OnNotify(int) override {
    if (Position() != slider_.Value()) slider_.UserMoveTo(Position());
  }

  // The tooltip; a missing one takes nothing from the user.
  void AfterShow() override {
    const char* tip = slider_.design().toolTip;
    if (!tip || !*tip) return;
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, GetAncestor(hwnd(), GA_ROOT),
                                   nullptr, resources().instance(), nullptr);
    if (!tooltip) return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // what comctl32 before 6 knows
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.hinst = resources().instance();
    tool.lpszText = const_cast<char*>(tip);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }

 protected:
  WindowClass Class() const override {
    DWORD ticks = slider_.design().slider.tickStyle == TickStyle::kNoTicks
                      ? TBS_NOTICKS
                      : TBS_BOTTOM | TBS_AUTOTICKS;
    WindowClass window = {TRACKBAR_CLASSA, TBS_HORZ | ticks, 0, true};
    window.transparent = true;
    return window;
  }

  void Configure() override {
    const SliderDesign& design = slider_.design().slider;
    SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, design.min);
    SendMessageA(hwnd(), TBM_SETRANGEMAX, FALSE, design.max);
    SendMessageA(hwnd(), TBM_SETLINESIZE, 0, design.smallChange);
    SendMessageA(hwnd(), TBM_SETPAGESIZE, 0, design.largeChange);
    SendMessageA(hwnd(), TBM_SETTICFREQ, design.tickFrequency, 0);
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, slider_.Value());
  }

 private:
  std::int32_t Position() const {
    return static_cast<std::int32_t>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0));
  }

  Slider& slider_;
};

// An option button the model checks: a click only reports itself.
class OptionView : public ControlView {
 public:
  OptionView(ViewResources& resources, OptionButton& option,
             COLORREF containerBack)
      : ControlView(resources, option, containerBack), option_(option) {}

  void Update(Property property) override {
    if (property == Property::kValue) return Configure();
    ControlView::Update(property);
  }

  // A radio button that gets the focus while unchecked reports a click, as
  // Tab into it does; focus given back on activation must not.
  void RestoreFocus() override {
    restoring_ = true;
    ControlView::RestoreFocus();
    restoring_ = false;
  }

  void OnNotify(int code) override {
    if (code == BN_CLICKED && !restoring_) option_.UserClick();
  }

 protected:
  // Not an automatic radio button: the model decides what is selected.
  WindowClass Class() const override {
    return {"BUTTON", BS_RADIOBUTTON, 0, true};
  }

  void Configure() override {
    SendMessageA(hwnd(), BM_SETCHECK,
                 option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
  }

 private:
  OptionButton& option_;
  bool restoring_ = false;
};

// A push button, in the system's colours; a graphical one is owner-drawn:
// its picture centred and clipped (the down picture while held), raised or
// sunken edges, its caption centred over the picture, and the focus
// rectangle. An owner-drawn button reports the second click of a double
// click as BN_DOUBLECLICKED: a press all the same.
class ButtonView : public ControlView {
 public:
  using ControlView::ControlView;

  void OnNotify(int code) override {
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control().UserClick();
  }

  void OnDrawItem(const DRAWITEMSTRUCT& item) override {
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

 protected:
  WindowClass Class() const override {
    DWORD kind = control().design().graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
    WindowClass window = {"BUTTON", kind, 0, true};
    window.systemColors = true;
    return window;
  }
};

// A single-line text box. The user's edits become TextBox::UserEdit; a
// mouse press in it raises Click (reaching it by keyboard does not).
class TextBoxView : public ControlView {
 public:
  TextBoxView(ViewResources& resources, TextBox& textBox,
              COLORREF containerBack)
      : ControlView(resources, textBox, containerBack), textBox_(textBox) {}

  ~TextBoxView() override {
    if (original_ && hwnd() && IsWindow(hwnd()))
      SetWindowLongPtrA(hwnd(), GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(original_));
  }

  void Update(Property property) override {
    if (property != Property::kText) return ControlView::Update(property);
    if (WindowText() == textBox_.Text()) return;  // the echo of the user's edit
    setting_ = true;
    SetWindowTextA(hwnd(), textBox_.Text().c_str());
    setting_ = false;
  }

  void OnNotify(int code) override {
    if (code != EN_CHANGE || setting_) return;
    std::string text = WindowText();
    if (text != textBox_.Text()) textBox_.UserEdit(text);
  }

 protected:
  WindowClass Class() const override {
    return {"EDIT", ES_LEFT | ES_AUTOHSCROLL,  WS_EX_CLIENTEDGE,
            true,   SystemColor(COLOR_WINDOW), SystemColor(COLOR_WINDOWTEXT)};
  }

  void Configure() override {
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    auto* view = static_cast<TextBoxView*>(FromWindow(hwnd));
    if (!view) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result =
        CallWindowProcA(view->original_, hwnd, message, wParam, lParam);
    // A press of the mouse in the box is a click; focus by keyboard is not.
    if (message == WM_LBUTTONDOWN) view->textBox_.UserClick();
    return result;
  }

  std::string WindowText() const {
    std::vector<char> buffer(
        static_cast<std::size_t>(GetWindowTextLengthA(hwnd())) + 1, '\0');
    int copied =
        GetWindowTextA(hwnd(), buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(),
                       static_cast<std::size_t>(copied > 0 ? copied : 0));
  }

  TextBox& textBox_;
  WNDPROC original_ = nullptr;
  bool setting_ = false;  // the model's own text is being shown
};

}  // namespace

std::unique_ptr<ControlView> MakeControlView(ViewResources& resources,
                                             Control& control,
                                             COLORREF containerBack) {
  switch (control.kind()) {
    case Kind::kLabel:
      return std::make_unique<LabelView>(resources, control, containerBack);
    case Kind::kFrame:
      return std::make_unique<FrameView>(resources, control, containerBack);
    case Kind::kSlider:
      return std::make_unique<SliderView>(
          resources, static_cast<Slider&>(control), containerBack);
    case Kind::kOption:
      return std::make_unique<OptionView>(
          resources, static_cast<OptionButton&>(control), containerBack);
    case Kind::kButton:
      return std::make_unique<ButtonView>(resources, control, containerBack);
    case Kind::kTextBox:
      return std::make_unique<TextBoxView>(
          resources, static_cast<TextBox&>(control), containerBack);
    case Kind::kPictureBox:
    case Kind::kImage:
      return std::make_unique<PictureView>(resources, control, containerBack);
  }
  return nullptr;
}

}  // namespace forms::win32
