// The main window as the user first sees it: title, frame, size, every
// control's state, the auto-sized labels' sizes, the sliders and options
// under the keyboard, the tab order, the frame captions' colour drawn on
// the screen, and a screenshot. What the view makes of a slider's or an
// option's design (range, ticks, tooltip, a disabled option) is the view tests'
// concern.

#include <vector>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

constexpr COLORREF kDarkBlue = RGB(0, 0, 128);
constexpr COLORREF kBrightBlue = RGB(0, 0, 255);

void CheckWindowFrame(const MainWindow& main) {
  SetStep("window frame and title");
  EXPECT_EQ(TextOf(main.window), std::string(kMainTitle));
  // A title bar, a minimise button, a system menu and close box; no
  // maximise button, no sizing border; not a tool window.
  CheckFrame(main.window, WS_CAPTION | WS_MINIMIZEBOX | WS_SYSMENU,
             WS_MAXIMIZEBOX | WS_THICKFRAME, WS_EX_TOOLWINDOW, 3375, 4305);
  EXPECT_TRUE((ExStyleOf(main.window) & WS_EX_APPWINDOW) ||
              GetWindow(main.window, GW_OWNER) == nullptr)
      << "a taskbar entry (an unowned or app window)";
  RECT outer = ScreenRect(main.window);
  int screenW = GetSystemMetrics(SM_CXSCREEN);
  int screenH = GetSystemMetrics(SM_CYSCREEN);
  int dx = outer.left - (screenW - (outer.right - outer.left)) / 2;
  int dy = outer.top - (screenH - (outer.bottom - outer.top)) / 2;
  EXPECT_TRUE(dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1)
      << "centred on the screen (off by " + std::to_string(dx) + ", " +
             std::to_string(dy) + ")";
}

// Where the design puts each control is the forms tests' concern. Only the
// real program shows that every control is a window of its own, shown and
// enabled as designed, and that the auto-sized labels take the size of
// their texts in the fonts Wine really draws them with.
void CheckControls(const MainWindow& main) {
  SetStep("controls");
  const std::vector<Child> controls = Descendants(main.window);
  EXPECT_EQ(controls.size(), std::size_t(16));
  for (const Child& c : controls) {
    const bool isOption = c.hwnd == main.option1 || c.hwnd == main.option2;
    const std::string what = c.cls + " " + ::testing::PrintToString(c.text);
    EXPECT_TRUE(c.visible) << what + " visible";
    EXPECT_TRUE(c.enabled == !isOption)
        << what + (isOption ? " disabled at start" : " enabled");
  }
  EXPECT_EQ(TextOf(main.label1), std::string("Level Of Detail  =  0"));
  EXPECT_EQ(TextOf(main.gfx), std::string("175"));
  EXPECT_TRUE(!IsChecked(main.option1) && !IsChecked(main.option2))
      << "neither option selected at start";

  SetStep("auto-sized labels");
  const struct {
    const char* name;
    HWND hwnd;
    int width, height;  // twips
    int heightSlack;    // pixels the height may fall short
  } labels[] = {
      // "&&" shows one "&": the label is as wide as "Memory & Graphics
      // Clock :".
      {"Label3", FindChild(main.window, "", "Memory && Graphics Clock :"), 1905,
       195, 0},
      {"gfx", main.gfx, 270, 195, 0},
      {"Label2", FindChild(main.window, "", "Mhz"), 300, 195, 0},
      {"Label1", main.label1, 1410, 195, 0},
      // Wine has no Arial: its stand-in of like widths, Liberation Sans,
      // is 12 pixels high at 8.25 pt where Arial's line is 14.
      {"Label4", FindChild(main.window, "", "K. Brannoch"), 900, 210, 2},
  };
  for (const auto& l : labels) {
    if (!EXPECTED(l.hwnd != nullptr, std::string(l.name) + " found")) continue;
    const RECT r = RectIn(l.hwnd, main.window);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    EXPECT_TRUE(width == Px(l.width) && height <= Px(l.height) &&
                height >= Px(l.height) - l.heightSlack)
        << std::string(l.name) + " is " + std::to_string(width) + " x " +
               std::to_string(height) + ", want " +
               std::to_string(Px(l.width)) + " x " +
               std::to_string(Px(l.height));
  }
}

void CheckLevelSlider(const MainWindow& main) {
  SetStep("level of detail slider by keyboard");
  RECT before = RectIn(main.label1, main.window);
  PressAll(main.slider2, main.label1, kLodPrefix, {{VK_RIGHT, 1}});
  // The large step is 1.
  PressAll(main.slider2, main.label1, kLodPrefix,
           {{VK_NEXT, 2}, {VK_PRIOR, 1}, {VK_END, 10}});
  RECT wide = RectIn(main.label1, main.window);
  EXPECT_EQ(wide.left, before.left);
  EXPECT_TRUE(wide.right > before.right) << "Label1 grows to the right at 10";
}

void CheckClockSlider(const MainWindow& main) {
  SetStep("clock slider by keyboard");
  PressAll(main.slider1, main.gfx, "",
           {{VK_RIGHT, 176}, {VK_NEXT, 181}, {VK_HOME, 175}});
}

// With both options disabled the focus runs Slider1 (tab index 4), Apply
// (7), Slider2 (9), About (14), and round again. Enter on a slider presses
// no button, not even Apply that the focus has just left: the window has
// no default button.
void CheckTabOrder(const RunningProgram& program, const MainWindow& main) {
  SetStep("tab order");
  CheckTabWalk(main.window, {{main.slider1, "Slider1"},
                             {main.apply, "Apply"},
                             {main.slider2, "Slider2"},
                             {main.about, "About"}});
  PostKey(main.slider1, VK_RETURN);
  EXPECT_TRUE(!WaitForWindow(
      program.pid(),
      [](HWND w) { return IsAbout(w) || ClassOf(w) == "#32770"; }, 700))
      << "Enter on Slider1 opens nothing";
}

// The options are plain radio buttons, selected by the program on their
// click. The arrow keys move the focus between them. An unchecked one that
// gets the focus from the keyboard may report a click (Windows and Wine 10
// do, Wine 8 does not): then it is selected, the other not, and "To one
// game only" opens the per-game dialog, whose Cancel leaves it unselected.
// Otherwise the selection stays. Tab stops at the selected one only.
void CheckOptionKeys(const RunningProgram& program, const MainWindow& main) {
  SetStep("options under the keyboard");
  if (!EXPECTED(Select(main.option2), "Option2 selected")) return;
  const struct {
    UINT vk;
    HWND to, other;
    const char* name;
  } arrows[] = {{VK_UP, main.option1, main.option2, "Up: Option1"},
                {VK_RIGHT, main.option2, main.option1, "Right: Option2"},
                {VK_LEFT, main.option1, main.option2, "Left: Option1"},
                {VK_DOWN, main.option2, main.option1, "Down: Option2"}};
  for (const auto& a : arrows) {
    const std::string name = a.name;
    const bool otherSelected = IsChecked(a.other);
    PostKey(FocusOf(main.window), a.vk);
    if (!EXPECTED(
            WaitUntil(
                [&] { return FocusOf(main.window) == a.to || IsChecked(a.to); },
                2000),
            name + " has the focus or is selected"))
      return;
    if (!IsChecked(a.to)) {
      EXPECT_EQ(IsChecked(a.other), otherSelected)
          << name + " not selected, the selection stays";
      continue;
    }
    EXPECT_FALSE(IsChecked(a.other)) << name + " selected, the other not";
    if (a.to != main.option1) continue;
    const HWND dialog = WaitForWindow(program.pid(), IsPerGameDialog);
    if (!EXPECTED(dialog != nullptr, name + " opens the per-game dialog"))
      return;
    const HWND cancel = FindChild(dialog, "Button", "Cancel");
    if (!EXPECTED(cancel != nullptr, "the dialog's Cancel found")) return;
    PostClick(cancel);
    EXPECT_TRUE(WaitGone(dialog) &&
                WaitUntil([&] { return FocusOf(main.window) == main.option1; }))
        << "Cancel closes the dialog, the focus back on Option1";
    EXPECT_TRUE(!IsChecked(main.option1) && !IsChecked(main.option2))
        << "after Cancel neither option is selected";
  }
  CheckTabWalk(main.window, {{main.option2, "Option2"},
                             {main.about, "About"},
                             {main.slider1, "Slider1"},
                             {main.apply, "Apply"},
                             {main.slider2, "Slider2"}});
}

// The caption of a frame, its top strip one text line high, in colour and
// not in the other blue.
bool CaptionIs(HWND frame, COLORREF colour) {
  RECT r = ScreenRect(frame);
  r.bottom = r.top + Px(195) + 2;
  return CaptureScreen(r).ShowsOnly(
      colour, colour == kDarkBlue ? kBrightBlue : kDarkBlue);
}

}  // namespace

TEST_F(Scenario, MainWindow) {
  SetStep("start with no driver values");
  CleanDriverKeys();
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  // The display's pointer may rest over a frame when the window appears (in
  // the middle of the screen); a move over the window's own surface, clear
  // of its controls, puts both captions back to their design colour.
  PostMessageA(main.window, WM_MOUSEMOVE, 0, MAKELPARAM(Px(45), Px(45)));
  EXPECT_TRUE(WaitUntil([&] {
    return CaptionIs(main.frame1, kDarkBlue) &&
           CaptionIs(main.frame2, kDarkBlue);
  })) << "both captions dark blue with the pointer over the window";
  // The README's picture.
  TakePicture(main.window, "main_window");
  CheckWindowFrame(main);
  CheckControls(main);
  CheckTabOrder(program, main);
  CheckLevelSlider(main);
  CheckOptionKeys(program, main);
  CheckClockSlider(main);
  CloseMain(program, main);
  EXPECT_TRUE(!fixture::KeyExists(platform::kHkeyLocalMachine, kVendorKey))
      << "start-up, slider moves and keys write nothing";
}

}  // namespace e2e
