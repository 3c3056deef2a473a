// The Win32 view: the window of a form and the child window of each control,
// kept in step with the model, their input turned into User... calls.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms/win32/host.h"

namespace forms::win32 {

namespace {

constexpr const char* kFormClass = "MovarinForm";
constexpr const char* kControlClass = "MovarinControl";
// One line, "&&" shown as one "&", as every caption shows it.
constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_SINGLELINE;
constexpr int kCaptionIndent = 8;   // px from a frame's left edge
constexpr int kCaptionPadding = 2;  // px of background either side of it
constexpr int kFocusInset = 3;      // px between a button's edge and its focus

constexpr Color kFace = SystemColor(COLOR_BTNFACE);
constexpr Color kText = SystemColor(COLOR_BTNTEXT);

// While the dialog manager gives the focus back to a window's control: an
// unchecked radio button that gets the focus reports a click, as Tab into it
// does, and a text box would select its text; neither is the user's doing.
bool restoringFocus = false;

// A kind's window class, styles and colours.
struct WindowClass {
  const char* name = nullptr;  // null: the view's own class
  DWORD style = 0;
  DWORD exStyle = 0;
  bool takesFocus = false;
  Color back = kFace;
  Color fore = kText;
  bool transparent = false;   // drawn over the container's background
  bool systemColors = false;  // WM_CTLCOLOR* leaves the system's look
};

// By Kind, in its order. Radio buttons are not automatic: the model selects.
// A label notifies, so that it takes the mouse.
constexpr WindowClass kClasses[] = {
    {"STATIC", SS_NOTIFY},                                      // label
    {nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},            // frame
    {TRACKBAR_CLASSA, TBS_HORZ, 0, true, kFace, kText, true},   // slider
    {"BUTTON", BS_RADIOBUTTON, 0, true},                        // option
    {"BUTTON", 0, 0, true, kFace, kText, false, true},          // button
    {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true,  // text box
     SystemColor(COLOR_WINDOW), SystemColor(COLOR_WINDOWTEXT)},
    {nullptr},                                    // picture box
    {nullptr, 0, 0, false, kFace, kText, true}};  // image
static_assert(std::size(kClasses) == static_cast<int>(Kind::kImage) + 1);

WindowClass ClassOf(const ControlDesign& design) {
  WindowClass window = kClasses[static_cast<int>(design.kind)];
  if (design.kind == Kind::kLabel)
    window.style |= design.autoSize ? SS_LEFTNOWORDWRAP : SS_LEFT;
  if (design.kind == Kind::kSlider)
    window.style |= design.slider.tickStyle == TickStyle::kNoTicks
                        ? TBS_NOTICKS
                        : TBS_BOTTOM | TBS_AUTOTICKS;
  if (design.kind == Kind::kButton)  // a graphical one shows its pictures
    window.style |= design.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON;
  return window;
}

// Window styles of a design's border, buttons and taskbar setting.
struct FormStyle {
  DWORD style;
  DWORD exStyle;
};

FormStyle StyleOf(const WindowDesign& design) {
  FormStyle style = {WS_CLIPCHILDREN | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                     WS_EX_CONTROLPARENT};
  if (design.border == BorderStyle::kSizableToolWindow) {
    // No minimise or maximise box.
    style.style |= WS_THICKFRAME;
    style.exStyle |= WS_EX_TOOLWINDOW;
  } else {
    style.style |= (design.minButton ? WS_MINIMIZEBOX : 0) |
                   (design.maxButton ? WS_MAXIMIZEBOX : 0);
  }
  if (design.showInTaskbar) style.exStyle |= WS_EX_APPWINDOW;
  return style;
}

// Ascending tab index; controls without one after the others.
unsigned TabOrder(const Control& control) {
  return static_cast<unsigned>(control.design().tabIndex);
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

// A window of the runtime: its object in GWLP_USERDATA, its messages
// through Proc to HandleMessage, and what that leaves to the window's own
// procedure (the system class's, or DefWindowProc) through Default.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window() = default;

  HWND hwnd() const { return hwnd_; }
  // The object of a window of the runtime, or null. Every window inside a
  // form's window is one, whoever else subclasses it.
  static Window* FromWindow(HWND hwnd) {
    char name[16] = "";
    HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (!root || !GetClassNameA(root, name, sizeof name) ||
        lstrcmpA(name, kFormClass) != 0)
      return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }

 protected:
  // Takes hwnd's messages from now on: a window of the program's own class
  // (what it leaves goes to fallback), or the system's, subclassed. It lets
  // go at WM_NCDESTROY.
  void Attach(HWND hwnd, WNDPROC fallback = DefWindowProcA) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    const bool ownClass = own == Proc || own == DialogClassProc;
    next_ = ownClass ? fallback : own;
    if (!ownClass)
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
  }
  // The procedure of the program's private dialog class: what no object
  // takes (the messages of its creation, before Attach, and of its
  // destruction) goes to the dialog manager's DefDlgProc, as such a class
  // must pass it.
  static LRESULT CALLBACK DialogClassProc(HWND hwnd, UINT message,
                                          WPARAM wParam, LPARAM lParam) {
    if (!GetWindowLongPtrA(hwnd, GWLP_USERDATA))
      return DefDlgProcA(hwnd, message, wParam, lParam);
    return Proc(hwnd, message, wParam, lParam);
  }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(next_, hwnd_, message, wParam, lParam);
  }
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    auto* window =
        reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message != WM_NCDESTROY)
      return window->HandleMessage(message, wParam, lParam);
    LRESULT result = window->Default(message, wParam, lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->hwnd_ = nullptr;
    return result;
  }

  HWND hwnd_ = nullptr;

 private:
  WNDPROC next_ = DefWindowProcA;
};

// A control's child window, made once with the form's view; the window
// itself exists while the form is shown.
class ControlView : public Window {
 public:
  ControlView(ViewResources& resources, Control& control)
      : resources_(resources),
        control_(control),
        class_(ClassOf(control.design())) {}

  // The child window at the design position; throws OutOfMemory.
  // containerBack: the colour of the window or frame behind it.
  void Create(HWND parent, int id, COLORREF containerBack);
  Control& control() const { return control_; }
  COLORREF BackColor() const {  // also the background of a frame's children
    return class_.transparent
               ? containerBack_
               : ResolveColor(control_.design().backColor, class_.back);
  }
  void AfterShow();  // the tooltip, which only shows on hovering
  void Sync();       // the window as the model has it

  static ControlView* Of(HWND hwnd) {
    return dynamic_cast<ControlView*>(FromWindow(hwnd));
  }
  // A container's message, to the view of the child it comes from; true
  // when handled.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void OnNotify(int code);  // WM_COMMAND's code, or WM_HSCROLL's
  void Paint(HDC hdc, const RECT& client);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void FitLabel();
  void ShowValue();
  COLORREF ForeColor() const {
    return ResolveColor(control_.ForeColor(), class_.fore);
  }
  COLORREF TextColor() const {  // ForeColor, grey while disabled
    return control_.Enabled() ? ForeColor() : GetSysColor(COLOR_GRAYTEXT);
  }
  HFONT Font() const { return resources_.Font(control_.design().font); }

  ViewResources& resources_;
  Control& control_;
  const WindowClass class_;
  COLORREF containerBack_ = 0;
};

void ControlView::Create(HWND parent, int id, COLORREF containerBack) {
  containerBack_ = containerBack;
  const char* name =
      class_.name ? class_.name : resources_.WindowClass(kControlClass, Proc);
  DWORD style = class_.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                (class_.takesFocus ? WS_TABSTOP : 0) |
                (control_.Enabled() ? 0 : WS_DISABLED);
  const ControlDesign& design = control_.design();
  HWND hwnd =
      CreateWindowExA(class_.exStyle, name, control_.Caption().c_str(), style,
                      resources_.Px(design.left), resources_.Px(design.top),
                      resources_.Px(design.width), resources_.Px(design.height),
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      resources_.instance(), nullptr);
  if (!hwnd) throw OutOfMemory();
  Attach(hwnd);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  switch (design.kind) {
    case Kind::kLabel:
      if (design.autoSize) FitLabel();
      break;
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
    default:
      break;
  }
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

// The echo of the user's own edit changes no text; a text box reports a
// text set here as an edit to the same text, which changes nothing.
void ControlView::Sync() {
  if (!hwnd_) return;
  if (WindowText(hwnd_) != control_.Caption()) {
    SetWindowTextA(hwnd_, control_.Caption().c_str());
    if (control_.kind() == Kind::kLabel && control_.design().autoSize)
      FitLabel();
  }
  if ((IsWindowEnabled(hwnd_) != FALSE) != control_.Enabled())
    EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
  ShowValue();
  // The trackbar moves its own thumb; the others may show a new colour.
  if (control_.kind() != Kind::kSlider) InvalidateRect(hwnd_, nullptr, TRUE);
}

// A slider's position, unless the trackbar shows it; an option's check.
void ControlView::ShowValue() {
  if (control_.kind() == Kind::kOption) {
    bool checked = static_cast<OptionButton&>(control_).Value();
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (control_.kind() == Kind::kSlider) {
    auto& slider = static_cast<Slider&>(control_);
    if (Position(hwnd_) != slider.Value())
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
      if (code == BN_CLICKED && !restoringFocus) control_.UserClick();
      break;
    case Kind::kButton:
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control_.UserClick();
      break;
    case Kind::kTextBox:
      if (code == EN_CHANGE)
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

// A picture box: its picture from the top-left at natural size, clipped, no
// border. An image: its picture over the container's background, exactly
// the picture's size. A frame: its border and caption.
void ControlView::Paint(HDC hdc, const RECT& client) {
  FillRect(hdc, &client, resources_.Brush(BackColor()));
  const ControlDesign& design = control_.design();
  if (design.kind != Kind::kFrame) {
    const Picture* picture = resources_.LoadPicture(design.picture);
    if (!picture) return;
    picture->Draw(hdc, client.left, client.top);
    // The picture is decoded at the first paint, which start-up does not
    // wait for; until then the image has its design size.
    if (design.kind == Kind::kImage) FitTo(hwnd_, picture->Size());
    return;
  }
  HGDIOBJ old = SelectObject(hdc, Font());
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, TextColor());
  PaintFrame(hdc, client, control_.Caption(), resources_.Brush(BackColor()));
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

bool ControlView::Reflect(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  result = 0;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  HWND child = reinterpret_cast<HWND>(lParam);
  if (message == WM_DRAWITEM) child = item ? item->hwndItem : nullptr;
  ControlView* view = Of(child);
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
      SetTextColor(hdc, view->TextColor());
      SetBkColor(hdc, view->BackColor());
      if (view->control_.kind() == Kind::kLabel) SetBkMode(hdc, TRANSPARENT);
      result =
          reinterpret_cast<LRESULT>(view->resources_.Brush(view->BackColor()));
      return true;
    }
    default:
      return false;
  }
}

// A text box: a press of the mouse in it is a click (focus by keyboard is
// not). Labels and the view's own class: a move over them is MouseMove, a
// press and release of the left button inside Click, and they show the
// design's mouse pointer. The own class paints itself whole; a frame also
// reflects its children's messages.
LRESULT ControlView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const Kind kind = control_.kind();
  if (kind == Kind::kTextBox) {
    LRESULT result = Default(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN) control_.UserClick();
    // Tab into it selects the text; the focus given back does not.
    if (message == WM_GETDLGCODE && restoringFocus) result &= ~DLGC_HASSETSEL;
    return result;
  }
  if (kind == Kind::kLabel || !class_.name)
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
        message == WM_SETCURSOR)
      return HandleMouse(message, wParam, lParam);
  if (class_.name) return Default(message, wParam, lParam);
  LRESULT result = 0;
  if (kind == Kind::kFrame && Reflect(message, wParam, lParam, result))
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
    default:
      return Default(message, wParam, lParam);
  }
}

LRESULT ControlView::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
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
    case WM_LBUTTONDBLCLK:  // a second press, to a class that has them
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
  return Default(message, wParam, lParam);
}

BOOL CALLBACK AddFormWindow(HWND hwnd, LPARAM windows) {
  if (IsFormWindow(hwnd))
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

// The program's windows that are shown.
std::vector<HWND> FormWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), AddFormWindow,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Appends text, converted from the ANSI code page, and its terminator.
void AppendWide(std::vector<WCHAR>& words, const char* text) {
  const std::size_t at = words.size();
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  words.resize(at + static_cast<std::size_t>(std::max(length, 1)), L'\0');
  if (length > 0)
    MultiByteToWideChar(CP_ACP, 0, text, -1, words.data() + at, length);
}

// The dialog template of a form's window: a DLGTEMPLATE naming the
// program's dialog class, with no controls, placed and sized in pixels
// once created. Its strings are wide for CreateDialogIndirectParamA too,
// each WORD-aligned after the header; the vector's storage starts on a
// DWORD boundary, as the template must. No DS_SETFONT: the dialog units
// stay the system font's, no WM_SETFONT reaches the window, and each
// control gets its own font. No WS_VISIBLE: Show shows the window once it
// is placed and filled.
std::vector<WCHAR> DialogTemplate(const FormStyle& style, const char* className,
                                  const char* caption) {
  DLGTEMPLATE header = {};
  header.style = style.style;
  header.dwExtendedStyle = style.exStyle;
  std::vector<WCHAR> words(sizeof header / sizeof(WCHAR));
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // no menu
  AppendWide(words, className);
  AppendWide(words, caption);
  return words;
}

// The dialog procedure of every form's window: it takes no message, so each
// gets the dialog manager's default; WM_INITDIALOG sets no focus (the
// window's first activation gives it to its first control).
INT_PTR CALLBACK LeaveToDefault(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class Win32FormView : public FormView, public Window {
 public:
  Win32FormView(ViewResources& resources, Form& form);
  ~Win32FormView() override { Hide(); }

  // Creates the window, centred on the screen, from the current values of
  // the form's controls (throwing OutOfMemory when it cannot).
  void Show(bool modal) override;
  void EndModal() override;
  // Destroys the window; the next Show builds it again.
  void Hide() override;
  void Sync(Control& control) override {
    views_[&control.design() - form_.design().controls.data()]->Sync();
  }
  std::uintptr_t Handle() const override {
    return reinterpret_cast<std::uintptr_t>(hwnd_);
  }

 private:
  void CreateControls(HWND parent, const std::string& container, COLORREF back);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  ViewResources& resources_;
  Form& form_;
  COLORREF back_;
  std::vector<std::unique_ptr<ControlView>> views_;  // by design row
  // While shown modally: the windows it disabled, the one active before.
  std::vector<HWND> disabled_;
  HWND previous_ = nullptr;
};

Win32FormView::Win32FormView(ViewResources& resources, Form& form)
    : resources_(resources),
      form_(form),
      back_(ResolveColor(form.design().backColor, kFace)) {
  for (const auto& control : form.Controls())
    views_.push_back(std::make_unique<ControlView>(resources, *control));
}

void Win32FormView::Show(bool modal) {
  const bool created = !hwnd_;
  if (created) {
    const WindowDesign& design = form_.design();
    FormStyle style = StyleOf(design);
    RECT frame = {0, 0, resources_.Px(design.clientWidth),
                  resources_.Px(design.clientHeight)};
    AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    const std::vector<WCHAR> dialog = DialogTemplate(
        style,
        resources_.WindowClass(kFormClass, DialogClassProc, DLGWINDOWEXTRA),
        design.caption);
    HWND hwnd = CreateDialogIndirectParamA(
        resources_.instance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()),
        nullptr, LeaveToDefault, 0);
    if (!hwnd) throw OutOfMemory();
    Attach(hwnd, DefDlgProcA);
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const int icons[][3] = {{ICON_SMALL, SM_CXSMICON, SM_CYSMICON},
                            {ICON_BIG, SM_CXICON, SM_CYICON}};
    for (auto [which, cx, cy] : icons)
      if (HICON icon = resources_.Icon(design.icon, GetSystemMetrics(cx),
                                       GetSystemMetrics(cy)))
        SendMessageA(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    CreateControls(hwnd_, "", back_);
  }
  if (modal && disabled_.empty()) {
    previous_ = GetActiveWindow();
    for (HWND other : FormWindows()) {
      if (other == hwnd_ || !IsWindowEnabled(other)) continue;
      EnableWindow(other, FALSE);
      disabled_.push_back(other);
    }
  }
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  if (created)
    for (const auto& view : views_) view->AfterShow();
}

void Win32FormView::CreateControls(HWND parent, const std::string& container,
                                   COLORREF back) {
  std::vector<ControlView*> children;
  for (const auto& view : views_)
    if (view->control().design().container == container)
      children.push_back(view.get());
  std::stable_sort(children.begin(), children.end(),
                   [](ControlView* a, ControlView* b) {
                     return TabOrder(a->control()) < TabOrder(b->control());
                   });
  for (ControlView* view : children) {
    const Control& control = view->control();
    auto row = &control.design() - form_.design().controls.data();
    view->Create(parent, ControlId(control.design(), static_cast<int>(row)),
                 back);
    if (control.kind() == Kind::kFrame)
      CreateControls(view->hwnd(), control.Name(), view->BackColor());
  }
}

// Before the modal window goes, so that the activation returns to the
// windows it disabled rather than to another program.
void Win32FormView::EndModal() {
  for (HWND hwnd : disabled_)
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  disabled_.clear();
}

// DestroyWindow hides the window and repaints what it covered. The model
// hears nothing of the destruction: the window's messages from here on go
// straight to the dialog manager.
void Win32FormView::Hide() {
  HWND previous = std::exchange(previous_, nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(std::exchange(hwnd_, nullptr));
  if (previous && IsWindow(previous) && IsWindowVisible(previous))
    SetActiveWindow(previous);
}

LRESULT Win32FormView::HandleMessage(UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  LRESULT result = 0;
  if (ControlView::Reflect(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client = ClientOf(hwnd_);
      FillRect(reinterpret_cast<HDC>(wParam), &client, resources_.Brush(back_));
      return 1;
    }
    case WM_MOUSEMOVE:
      form_.UserMouseMove();
      return 0;
    case WM_CLOSE:
      form_.UserClose();  // the model decides: hide, unload or end
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      restoringFocus = true;
      result = Default(message, wParam, lParam);
      restoringFocus = false;
      return result;
    case DM_GETDEFID: {
      // Enter presses the button that has the focus, and nothing else.
      ControlView* focused = ControlView::Of(GetFocus());
      if (!focused || focused->control().kind() != Kind::kButton ||
          !IsChild(hwnd_, focused->hwnd()))
        return 0;
      return MAKELRESULT(GetDlgCtrlID(focused->hwnd()), DC_HASDEFID);
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace

std::unique_ptr<FormView> MakeFormView(ViewResources& resources, Form& form) {
  return std::make_unique<Win32FormView>(resources, form);
}

bool IsFormWindow(HWND hwnd) {
  return dynamic_cast<Win32FormView*>(Window::FromWindow(hwnd)) != nullptr;
}

void DestroyFormWindows() {
  for (HWND hwnd : FormWindows())
    dynamic_cast<Win32FormView*>(Window::FromWindow(hwnd))->Hide();
}

}  // namespace forms::win32
