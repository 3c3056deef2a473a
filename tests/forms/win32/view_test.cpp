// The Win32 view against real windows (on Windows, or under Wine): what the
// user sees of a design, and what the user's input does to the model.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/forms/test_window.h"
#include "ui/forms/forms.h"
#include "ui/forms/win32/host.h"
#include "ui/resource_ids.h"

namespace {

using forms::BorderStyle;
using forms::ControlDesign;
using forms::Kind;
using forms::win32::Win32Host;
using movarin_test::TestWindow;
using Events = std::vector<std::string>;

constexpr forms::FontDesign kBold = {nullptr, 8.25, 700};
constexpr forms::FontDesign kLink = {"MS Sans Serif", 8.25, 400, true};

// Every kind of control, in a design order that is not the tab order.
// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "Command2", .kind = Kind::kButton, .container = "", .text = "Cancel",
     .left = 1470, .top = 3885, .width = 870, .height = 330, .tabIndex = 8,
     .cancel = true},
    {"Frame1", Kind::kFrame, "", "Overclocking", 105, 105, 3165, 1695, 0,
     0x800000, 0x8000000B, kBold},
    {.name = "Label1", .kind = Kind::kLabel, .container = "Frame1",
     .text = "Memory && Graphics Clock :",
     .left = 840, .top = 315, .width = 1905, .height = 195, .tabIndex = 2,
     .autoSize = true},
    // Slider settings: min, max, value, small and large change, tick
    // frequency and style.
    {.name = "Slider1", .kind = Kind::kSlider, .container = "Frame1", .text = "",
     .left = 105, .top = 840, .width = 2970, .height = 375, .tabIndex = 1,
     .slider = {175, 210, 175, 1, 5, 1, forms::TickStyle::kNoTicks}},
    {.name = "Image1", .kind = Kind::kImage, .container = "Frame1", .text = "",
     .left = 120, .top = 270, .width = 600, .height = 600,
     .picture = IDP_GAUGE},
    {.name = "Picture1", .kind = Kind::kPictureBox, .container = "Frame1", .text = "",
     .left = 210, .top = 1260, .width = 1365, .height = 150, .tabIndex = 3,
     .picture = IDP_BAND_LEFT},
    {.name = "Slider2", .kind = Kind::kSlider, .container = "", .text = "",
     .left = 105, .top = 1995, .width = 2970, .height = 300, .tabIndex = 4,
     .toolTip = "Click on me to enable this setting !",
     .slider = {0, 10, 0, 1, 1, 1, forms::TickStyle::kBottomRight}},
    {.name = "Option1", .kind = Kind::kOption, .container = "", .text = "One",
     .left = 105, .top = 2400, .width = 1500, .height = 195, .tabIndex = 5,
     .foreColor = 0x000000, .enabled = false},
    {.name = "Option2", .kind = Kind::kOption, .container = "", .text = "Two",
     .left = 105, .top = 2610, .width = 1500, .height = 195, .tabIndex = 6,
     .foreColor = 0x000000, .enabled = false},
    {"Text1", Kind::kTextBox, "", "exemple.exe", 105, 2900, 2535, 285, 7},
    {.name = "Command1", .kind = Kind::kButton, .container = "", .text = "Apply",
     .left = 2415, .top = 3885, .width = 870, .height = 330, .tabIndex = 9,
     .font = kBold, .graphical = true,
     .picture = IDP_BUTTON_FACE, .downPicture = IDP_BUTTON_DOWN},
    {.name = "Label2", .kind = Kind::kLabel, .container = "", .text = "link",
     .left = 1755, .top = 3400, .width = 600, .height = 195, .tabIndex = 10,
     .foreColor = 0xFF0000, .font = kLink, .autoSize = true,
     .mouseIcon = IDC_HAND_POINTER},
};
// clang-format on

constexpr const char* kCaption = "Movarin         v0.3";
constexpr forms::WindowDesign kDesign = {
    "FormT",  kCaption, 3375, 4305,        BorderStyle::kFixedSingle,
    true,     false,    true, IDI_MOVARIN, 0x8000000A,
    kControls};
// clang-format off
constexpr ControlDesign kDialogControls[] = {
    {.name = "Command4", .kind = Kind::kButton, .container = "", .text = "Cancel",
     .left = 945, .top = 735, .width = 825, .height = 285, .tabIndex = 0,
     .cancel = true},
};
// clang-format on
constexpr forms::WindowDesign kDialogDesign = {
    "FormD",        "Movarin", 2745,  1095, BorderStyle::kSizableToolWindow,
    false,          false,     false, 0,    0x8000000F,
    kDialogControls};

class ViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    SetCursorPos(0, 0);  // off the windows: only the tests move the mouse
  }

  Win32Host host{GetModuleHandleA(nullptr)};
  forms::Application app{host};
  TestWindow form{app, kDesign, false};

  void SetUp() override {
    form.Show();
    form.events.clear();
  }
  void TearDown() override {
    if (form.IsLoaded()) form.Unload();
  }

  HWND Window() { return reinterpret_cast<HWND>(form.hWnd()); }
  // The window of the control of that name, by its design row's id.
  HWND Child(const std::string& name) {
    const auto& controls = form.Controls();
    auto row = std::find_if(controls.begin(), controls.end(),
                            [&](const auto& c) { return c->Name() == name; });
    const char* container = (*row)->design().container;
    return GetDlgItem(
        *container ? Child(container) : Window(),
        forms::win32::ControlId((*row)->design(),
                                static_cast<int>(row - controls.begin())));
  }
  // The child's rectangle in its parent's client coordinates.
  static RECT Placement(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect),
                    2);
    return rect;
  }
  static std::string TextOf(HWND hwnd) {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
  }
  // The events of the test's own input. Windows also sends a window a mouse
  // move, unasked, when a window appears or moves under the pointer.
  Events Asked() const {
    Events asked;
    for (const std::string& event : form.events)
      if (event.find("_MouseMove") == std::string::npos) asked.push_back(event);
    return asked;
  }
  // Runs the messages already queued (posted clicks, paints).
  void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      host.Dispatch(message);
  }
  void Key(HWND target, WPARAM key) {
    MSG message = {target, WM_KEYDOWN, key, 1, 0, {0, 0}};
    host.Dispatch(message);
    message.message = WM_KEYUP;
    message.lParam = static_cast<LPARAM>(0xC0000001u);
    host.Dispatch(message);
    Pump();
  }
};

// A bitmap of the screen's format to draw into, selected into a memory
// device context for the object's life.
struct Canvas {
  Canvas(int width, int height)
      : screen(GetDC(nullptr)),
        dc(CreateCompatibleDC(screen)),
        bitmap(CreateCompatibleBitmap(screen, width, height)),
        old(SelectObject(dc, bitmap)) {}
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  const HDC screen, dc;
  const HBITMAP bitmap;
  const HGDIOBJ old;
};

// ------------------------------------------------------------ conversions --

TEST(ViewUnits, FontHeightsAreNegativeCharacterHeights) {
  EXPECT_EQ(forms::win32::FontHeight(8.25, 96), -11);
  EXPECT_EQ(forms::win32::FontHeight(8.25, 120), -14);
  EXPECT_EQ(forms::win32::FontHeight(12, 96), -16);
}

TEST(ViewUnits, SystemColoursAreLookedUpAndDefaultsFallBack) {
  using forms::win32::ResolveColor;
  EXPECT_EQ(ResolveColor(0x8000000A, 0), GetSysColor(10));
  EXPECT_EQ(ResolveColor(0x8000000B, 0), GetSysColor(11));
  EXPECT_EQ(ResolveColor(forms::kDefaultColor, 0x8000000F),
            GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ResolveColor(forms::kDefaultColor, 0x123456), 0x123456u);
  EXPECT_EQ(ResolveColor(0xFF0000, 0), 0xFF0000u);
  EXPECT_EQ(ResolveColor(0x800000, 0), 0x800000u);
}

// -------------------------------------------------------------- pictures --

TEST(ViewPictures, PicturesDecodeAtTheirNaturalSize) {
  OleInitialize(nullptr);
  forms::win32::ViewResources resources(GetModuleHandleA(nullptr));
  struct Case {
    int id;
    LONG width, height;
  } cases[] = {
      {IDP_BUTTON_FACE, 93, 32}, {IDP_BUTTON_DOWN, 94, 32},
      {IDP_BAND_LEFT, 90, 32},   {IDP_BAND_RIGHT, 90, 32},
      {IDP_GAUGE, 34, 34},       {IDP_BOARD, 32, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const forms::win32::Picture* picture = resources.LoadPicture(c.id);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(resources.LoadPicture(c.id), picture) << "decoded once";
    if (resources.dpi() != 96) continue;
    EXPECT_EQ(picture->Size().cx, c.width);
    EXPECT_EQ(picture->Size().cy, c.height);
  }
  EXPECT_EQ(resources.LoadPicture(0), nullptr);
  EXPECT_EQ(resources.LoadPicture(999), nullptr);
  EXPECT_NE(resources.Cursor(IDC_HAND_POINTER), nullptr);
  EXPECT_NE(resources.Icon(IDI_MOVARIN, 16, 16), nullptr);
}

TEST(ViewPictures, TheGaugesTransparentEntryShowsWhatIsBehind) {
  OleInitialize(nullptr);
  forms::win32::ViewResources resources(GetModuleHandleA(nullptr));
  const forms::win32::Picture* gauge = resources.LoadPicture(IDP_GAUGE);
  ASSERT_NE(gauge, nullptr);
  Canvas canvas(40, 40);
  const COLORREF kBehind = RGB(12, 200, 34);
  RECT all = {0, 0, 40, 40};
  HBRUSH brush = CreateSolidBrush(kBehind);
  FillRect(canvas.dc, &all, brush);
  DeleteObject(brush);
  gauge->Draw(canvas.dc, 0, 0);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), kBehind) << "corner of the dial";
  EXPECT_NE(GetPixel(canvas.dc, 17, 17), kBehind) << "centre of the dial";
  EXPECT_EQ(GetPixel(canvas.dc, 36, 36), kBehind) << "outside the picture";
}

// ---------------------------------------------------------------- window --

// The window's title, frame, size and centring are the main-window
// scenario's to check, on the program's own design.
TEST_F(ViewTest, ControlsSitAtTheirDesignPlacesInTheirContainers) {
  if (host.resources().dpi() != 96)
    GTEST_SKIP() << "pixels below are at 96 DPI";
  EXPECT_NE(SendMessageA(Window(), WM_GETICON, ICON_SMALL, 0), 0);
  struct Case {
    const char* name;
    const char* parent;  // "" for the window
    RECT rect;
  } cases[] = {
      {"Frame1", "", {7, 7, 218, 120}},
      {"Slider1", "Frame1", {7, 56, 205, 81}},
      {"Picture1", "Frame1", {14, 84, 105, 94}},
      {"Image1", "Frame1", {8, 18, 42, 52}},  // its picture's 34 x 34
      {"Slider2", "", {7, 133, 205, 153}},
      {"Text1", "", {7, 193, 176, 212}},
      {"Command1", "", {161, 259, 219, 281}},
      {"Command2", "", {98, 259, 156, 281}},
  };
  for (const Case& c : cases) {
    HWND child = Child(c.name);
    HWND parent = *c.parent ? Child(c.parent) : Window();
    EXPECT_EQ(GetParent(child), parent) << c.name;
    RECT rect = Placement(child);
    EXPECT_TRUE(EqualRect(&rect, &c.rect))
        << c.name << " at " << rect.left << "," << rect.top << " " << rect.right
        << "," << rect.bottom;
  }
}

TEST_F(ViewTest, AutoSizedLabelsKeepTheirCornerAndFollowTheirText) {
  HWND label = Child("Label1");
  char kind[16] = {};
  GetClassNameA(label, kind, sizeof kind);
  EXPECT_EQ(lstrcmpiA(kind, "Static"), 0) << "the system's static text";
  RECT before = Placement(label);
  EXPECT_EQ(before.left, host.resources().Px(840));
  EXPECT_EQ(before.top, host.resources().Px(315));

  // One line of the window's font, "&&" shown as one "&".
  HDC hdc = GetDC(label);
  HGDIOBJ old = SelectObject(hdc, host.resources().Font({}));
  SIZE text;
  GetTextExtentPoint32A(hdc, "Memory & Graphics Clock :", 25, &text);
  SelectObject(hdc, old);
  ReleaseDC(label, hdc);
  EXPECT_EQ(before.right - before.left, text.cx);
  EXPECT_EQ(before.bottom - before.top, text.cy);

  form.Label1().SetCaption("Memory && Graphics Clock : and more");
  RECT after = Placement(label);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_GT(after.right, before.right);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

// ---------------------------------------------------------------- sliders --

// Adds a tooltip window to the std::vector<HWND> at found.
BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM found) {
  char name[32] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

TEST_F(ViewTest, SlidersCarryTheirDesignsRangeStepsTicksAndTooltip) {
  struct Case {
    const char* name;
    LRESULT min, max, line, page, pos;
    bool ticks;
  } cases[] = {
      {"Slider1", 175, 210, 1, 5, 175, false},
      {"Slider2", 0, 10, 1, 1, 0, true},
  };
  for (const Case& c : cases) {
    HWND slider = Child(c.name);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), c.min) << c.name;
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), c.max) << c.name;
    EXPECT_EQ(SendMessageA(slider, TBM_GETLINESIZE, 0, 0), c.line) << c.name;
    EXPECT_EQ(SendMessageA(slider, TBM_GETPAGESIZE, 0, 0), c.page) << c.name;
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), c.pos) << c.name;
    LONG style = GetWindowLongA(slider, GWL_STYLE);
    EXPECT_EQ((style & TBS_NOTICKS) == 0, c.ticks) << c.name;
  }
  EXPECT_EQ(SendMessageA(Child("Slider2"), TBM_GETNUMTICS, 0, 0), 11);

  // One tooltip, owned by the window, with one tool: Slider2 (Slider1 has
  // no tip).
  std::vector<HWND> tooltips;
  EnumThreadWindows(GetCurrentThreadId(), CollectTooltip,
                    reinterpret_cast<LPARAM>(&tooltips));
  ASSERT_EQ(tooltips.size(), 1u);
  EXPECT_EQ(GetWindow(tooltips[0], GW_OWNER), Window());
  EXPECT_EQ(SendMessageA(tooltips[0], TTM_GETTOOLCOUNT, 0, 0), 1);
  char text[128] = {};
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = GetParent(Child("Slider2"));
  tool.uId = reinterpret_cast<UINT_PTR>(Child("Slider2"));
  tool.lpszText = text;
  SendMessageA(tooltips[0], TTM_GETTEXTA, sizeof text,
               reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Click on me to enable this setting !");
}

// ---------------------------------------------------------------- options --

TEST_F(ViewTest, OptionsFollowTheModelAndADisabledOneSelectsNothing) {
  HWND one = Child("Option1"), two = Child("Option2");
  EXPECT_FALSE(IsWindowEnabled(one));
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(one), BN_CLICKED),
               reinterpret_cast<LPARAM>(one));
  EXPECT_FALSE(form.Option(1).Value());
  EXPECT_TRUE(form.events.empty());

  form.Option(1).SetEnabled(true);
  form.Option(2).SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(one));
  SendMessageA(one, BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(form.Option(1).Value());
  EXPECT_EQ(SendMessageA(one, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Asked(), Events{"Option1_Click"});

  SendMessageA(two, BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(SendMessageA(one, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);

  form.Option(2).SetValue(false);
  EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form.Option(1).SetCaption("To one game only : x.exe");
  EXPECT_EQ(TextOf(one), "To one game only : x.exe");
}

// A radio button as older user32 has it: getting the focus from anything
// but the mouse while unchecked reports a click.
struct OlderRadioButton {
  static inline WNDPROC original = nullptr;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
    if (message == WM_SETFOCUS && GetCapture() != hwnd &&
        SendMessageA(hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED)
      SendMessageA(GetParent(hwnd), WM_COMMAND,
                   MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
    return result;
  }
};

TEST_F(ViewTest, FocusGivenBackOnActivationClicksNoOption) {
  form.Option(1).SetEnabled(true);
  HWND one = Child("Option1");
  OlderRadioButton::original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      one, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OlderRadioButton::Proc)));
  SetFocus(one);  // as Tab into it
  EXPECT_EQ(form.events, Events{"Option1_Click"});
  form.Option(1).SetValue(false);
  form.events.clear();

  SendMessageA(Window(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(nullptr);  // another program has the focus
  SendMessageA(Window(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), one);
  EXPECT_TRUE(form.events.empty());
  EXPECT_FALSE(form.Option(1).Value());
  SetWindowLongPtrA(one, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(OlderRadioButton::original));
}

// --------------------------------------------------------------- text box --

TEST_F(ViewTest, TheTextBoxTakesTypingAndOnlyAMouseClickInItIsAClick) {
  HWND edit = Child("Text1");
  EXPECT_EQ(TextOf(edit), "exemple.exe");
  SetFocus(Child("Slider2"));
  Key(Child("Slider2"), VK_TAB);
  EXPECT_EQ(GetFocus(), edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  for (char c : std::string("game.exe")) SendMessageA(edit, WM_CHAR, c, 1);
  EXPECT_EQ(form.Text1().Text(), "game.exe");
  form.Text1().SetText("");
  EXPECT_EQ(TextOf(edit), "");
  EXPECT_EQ(form.Text1().Text(), "");
  EXPECT_TRUE(Asked().empty()) << "tabbing in and editing raise no event";
  SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Asked(), Events{"Text1_Click"});
}

// ---------------------------------------------------------------- buttons --

TEST_F(ViewTest, AGraphicalButtonShowsTheDarkerPictureWhileHeldDown) {
  HWND button = Child("Command1");
  Canvas canvas(58, 22);
  struct Look {
    long brightness = 0;  // left of the caption
    int black = 0;        // the caption's pixels
  };
  auto draw = [&](UINT state) {
    DRAWITEMSTRUCT item = {ODT_BUTTON, 0,      0,         ODA_DRAWENTIRE,
                           state,      button, canvas.dc, {0, 0, 58, 22},
                           0};
    SendMessageA(GetParent(button), WM_DRAWITEM, 0,
                 reinterpret_cast<LPARAM>(&item));
    Look look;
    for (int y = 4; y < 18; ++y) {
      for (int x = 4; x < 10; ++x) {
        COLORREF c = GetPixel(canvas.dc, x, y);
        look.brightness += GetRValue(c) + GetGValue(c) + GetBValue(c);
      }
      for (int x = 12; x < 46; ++x)
        look.black += GetPixel(canvas.dc, x, y) == RGB(0, 0, 0);
    }
    return look;
  };
  const Look up = draw(0), down = draw(ODS_SELECTED);
  EXPECT_LT(down.brightness, up.brightness);
  EXPECT_GT(up.black, 20) << "the caption over the picture";
  EXPECT_GT(down.black, 20);
}

// ------------------------------------------------------------ mouse moves --

TEST_F(ViewTest, MouseMovesReachTheControlUnderThePointer) {
  SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(Child("Frame1"), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(Child("Label1"), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(form.events,
            (Events{"Form_MouseMove", "Frame1_MouseMove", "Label1_MouseMove"}));
}

TEST_F(ViewTest, FrameCaptionsAreDrawnInTheirForeColor) {
  auto& frame = form.Frame1();
  HWND hwnd = Child("Frame1");
  auto countColour = [&](COLORREF colour) {
    // Paint the frame into a bitmap and count the caption's pixels.
    RECT client;
    GetClientRect(hwnd, &client);
    Canvas canvas(client.right, client.bottom);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc),
                 PRF_CLIENT);
    int count = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < client.right; ++x)
        if (GetPixel(canvas.dc, x, y) == colour) ++count;
    return count;
  };
  EXPECT_GT(countColour(0x800000), 20);
  EXPECT_EQ(countColour(0xFF0000), 0);
  frame.SetForeColor(0xFF0000);
  EXPECT_EQ(countColour(0x800000), 0);
  EXPECT_GT(countColour(0xFF0000), 20);
}

// ---------------------------------------------------------- window events --

TEST_F(ViewTest, TheCloseBoxIsTheModelsToDecide) {
  HWND window = Window();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(form.State(), forms::FormState::kNotLoaded);
  EXPECT_FALSE(IsWindow(window)) << "released once the event returned";
}

// The main window disabled while a modal one is shown, and enabled again
// when it is hidden, are the dialog scenarios' to check.
struct ModalScript {
  static inline int quitCode = -1;
  static void CALLBACK Quit(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(quitCode);
  }
};

TEST_F(ViewTest, AQuitDuringAModalLoopEndsItAndIsPostedAgain) {
  TestWindow dialog(app, kDialogDesign, false);
  ModalScript::quitCode = 7;
  SetTimer(nullptr, 0, 20, ModalScript::Quit);
  dialog.ShowModal();
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_TRUE(IsWindowEnabled(Window()));
  dialog.Unload();
}

}  // namespace
