#include "tests/e2e/app.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/registry_fixture.h"

namespace e2e {

int Px(int twips) {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value;
  }();
  return MulDiv(twips, dpi, 1440);
}

void CloseMain(RunningProgram& program, const MainWindow& main) {
  SetStep("closing");
  EXPECT_TRUE(program.Close(main.window))
      << "closing the window ends the program";
}

bool Alive(const RunningProgram& program, const MainWindow& main) {
  return program.Running() && Ask(main.window, WM_NULL) == 0;
}

void CheckFrame(HWND window, LONG has, LONG lacks, LONG exLacks, int widthTwips,
                int heightTwips) {
  const LONG style = StyleOf(window);
  EXPECT_EQ(style & has, has);
  EXPECT_EQ(style & lacks, 0L);
  EXPECT_EQ(ExStyleOf(window) & exLacks, 0L);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right - client.left, Px(widthTwips));
  EXPECT_EQ(client.bottom - client.top, Px(heightTwips));
}

bool Press(HWND slider, UINT vk, int expected) {
  PostKey(slider, vk);
  return WaitUntil([&] { return SliderPos(slider) == expected; }, 3000);
}

void PressAll(HWND slider, HWND readout, const std::string& prefix,
              std::initializer_list<KeyStep> steps) {
  int n = 0;
  for (const KeyStep& s : steps) {
    std::string step = "key " + std::to_string(++n) + " (vk " +
                       std::to_string(s.vk) + ") lands on " +
                       std::to_string(s.lands);
    if (EXPECTED(Press(slider, s.vk, s.lands), step)) {
      EXPECT_TRUE(WaitText(readout, prefix + std::to_string(s.lands)))
          << step + ", readout " + ::testing::PrintToString(TextOf(readout));
    }
  }
}

void CheckTabWalk(HWND window, std::initializer_list<Stop> order) {
  const std::vector<Stop> stops(order);
  const std::size_t n = stops.size();
  if (!EXPECTED(FocusOf(window) == stops[0].hwnd,
                std::string(stops[0].name) + " has the focus"))
    return;
  for (bool back : {false, true}) {
    for (std::size_t i = 1; i <= n; ++i) {
      const Stop& to = stops[back ? n - i : i % n];
      if (back)
        SendShiftTab();
      else
        PostKey(FocusOf(window), VK_TAB);
      if (!EXPECTED(WaitUntil([&] { return FocusOf(window) == to.hwnd; }, 2000),
                    std::string(back ? "Shift+Tab" : "Tab") +
                        " moves the focus to " + to.name))
        return;
    }
  }
}

bool PressByKey(HWND window, HWND button, UINT vk) {
  for (int i = 0; i < 8 && FocusOf(window) != button; ++i) {
    HWND from = FocusOf(window);
    PostKey(from ? from : window, VK_TAB);
    WaitUntil([&] { return FocusOf(window) != from; }, 2000);
  }
  if (FocusOf(window) != button) return false;
  PostKey(button, vk);
  return true;
}

bool IsChecked(HWND button) { return Ask(button, BM_GETCHECK) == BST_CHECKED; }

bool Select(HWND option) {
  PostClick(option);
  return WaitUntil([&] { return IsChecked(option); });
}

HWND ClickForMessageBox(HWND button, DWORD pid) {
  PostClick(button);
  return WaitForMessageBox(pid, kAppTitle);
}

bool Answer(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (!button) return false;
  PostClick(button);
  return WaitGone(box);
}

void ApplyWithoutMessage(const RunningProgram& program, const MainWindow& main,
                         const std::string& what, int waitMs) {
  PostClick(main.apply);
  HWND box = WaitForMessageBox(program.pid(), kAppTitle, waitMs);
  EXPECT_TRUE(box == nullptr) << what;
  if (box && !Answer(box, IDNO)) Answer(box, IDOK);
}

namespace {
// A message box shows an icon when one of its icon statics holds one.
bool ShowsIcon(HWND box) {
  for (const Child& c : Descendants(box)) {
    if (c.cls != "Static" || (c.style & SS_TYPEMASK) != SS_ICON || !c.visible)
      continue;
    const LRESULT icon = Ask(c.hwnd, STM_GETICON);
    if (icon != 0 && icon != -1) return true;
  }
  return false;
}
}  // namespace

void CheckMessageBox(HWND box, const std::string& text, bool icon,
                     std::initializer_list<int> buttons) {
  EXPECT_EQ(MessageBoxText(box), text);
  EXPECT_EQ(ShowsIcon(box), icon);
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
    EXPECT_TRUE((GetDlgItem(box, id) != nullptr) ==
                (std::count(buttons.begin(), buttons.end(), id) > 0))
        << "button id " + std::to_string(id) + " present as designed";
}

void CheckReportAndEnd(RunningProgram& program, HWND box,
                       const std::string& report) {
  std::string flat;
  for (char c : MessageBoxText(box))
    if (c != '\r') flat += c;
  EXPECT_EQ(flat, report);
  EXPECT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(program.WaitExit(5000)) << "after OK the program ends";
}

int OpenAndClose(const RunningProgram& program, const MainWindow& main,
                 HWND opener, const std::function<bool(HWND)>& match,
                 const char* closer, int times, int timeoutMs,
                 std::vector<DWORD>* shownMs) {
  for (int i = 0; i < times; ++i) {
    // Timed here: a program that is stalled answers the window search late
    // rather than not at all.
    const DWORD start = GetTickCount();
    PostClick(opener);
    HWND dialog = WaitForWindow(program.pid(), match, timeoutMs);
    if (!dialog) return i;
    if (shownMs) shownMs->push_back(GetTickCount() - start);
    HWND close = FindChild(dialog, "Button", closer);
    if (!close) return i;
    PostClick(close);
    if (!WaitGone(dialog, timeoutMs) ||
        !WaitUntil([&] { return IsWindowEnabled(main.window) != 0; },
                   timeoutMs))
      return i;
  }
  return times;
}

bool IsAbout(HWND w) { return TextOf(w) == kAboutTitle; }

bool IsPerGameDialog(HWND w) {
  return TextOf(w) == kAppTitle && (ExStyleOf(w) & WS_EX_TOOLWINDOW) &&
         ClassOf(w) != "#32770";
}

bool OpenPerGameDialog(const RunningProgram& program, const MainWindow& main,
                       PerGameDialog& dialog) {
  if (IsChecked(main.option1)) Select(main.option2);
  PostClick(main.option1);
  dialog.window = WaitForWindow(program.pid(), IsPerGameDialog);
  if (!EXPECTED(dialog.window != nullptr,
                "selecting \"To one game only\" opens the dialog"))
    return false;
  std::vector<HWND> edits = FindChildren(dialog.window, "Edit");
  dialog.edit = edits.size() == 1 ? edits[0] : nullptr;
  dialog.ok = FindChild(dialog.window, "Button", "OK");
  dialog.cancel = FindChild(dialog.window, "Button", "Cancel");
  return EXPECTED(dialog.edit && dialog.ok && dialog.cancel,
                  "one text box, \"OK\" and \"Cancel\" found");
}

WineDrawsFrames::WineDrawsFrames()
    : ValueOverride(platform::kHkeyCurrentUser, "Software\\Wine\\X11 Driver",
                    "Decorated", "N") {}

void CleanDriverKeys() {
  fixture::DeleteTree(platform::kHkeyLocalMachine, kVendorKey);
}

std::optional<fixture::RawValue> Stored(const std::string& key,
                                        const std::string& name) {
  return fixture::ReadRaw(platform::kHkeyLocalMachine, key, name);
}

bool WaitStored(const std::string& key, const std::string& name,
                const std::string& text) {
  return WaitUntil([&] { return Stored(key, name) == Sz(text); });
}

void SeedDriverValues(const char* levelOfDetail, const char* clock) {
  CleanDriverKeys();
  if (levelOfDetail)
    fixture::SeedString(platform::kHkeyLocalMachine, kGlobalD3DKey,
                        kLevelOfDetailName, levelOfDetail);
  if (clock)
    fixture::SeedString(platform::kHkeyLocalMachine, kClockKey, kClockName,
                        clock);
}

bool StartMain(RunningProgram& program, const Options& options,
               MainWindow& main) {
  if (!EXPECTED(program.Start(options.exe), "the program starts")) return false;
  main.window = WaitForWindowTitled(program.pid(), kMainTitle, 20000);
  if (!EXPECTED(main.window != nullptr,
                "a visible window titled \"Movarin         v0.3\""))
    return false;
  HWND w = main.window;
  main.frame1 = FindChild(w, "", "Overclocking");
  main.frame2 = FindChild(w, "", "Advanced Settings");
  main.option1 = FindChild(w, "Button", kOption1Text);
  main.option2 = FindChild(w, "Button", kOption2Text);
  main.apply = FindChild(w, "Button", "Apply");
  main.about = FindChild(w, "Button", "About");
  for (const Child& c : Descendants(w)) {
    if (c.text.rfind(kLodPrefix, 0) == 0) main.label1 = c.hwnd;
    if (!c.text.empty() &&
        c.text.find_first_not_of("0123456789") == std::string::npos)
      main.gfx = c.hwnd;
  }
  for (HWND slider : FindChildren(w, TRACKBAR_CLASSA)) {
    const LRESULT max = Ask(slider, TBM_GETRANGEMAX);
    if (max == 210) main.slider1 = slider;
    if (max == 10) main.slider2 = slider;
  }
  const struct {
    HWND hwnd;
    const char* what;
  } found[] = {
      {main.frame1, "frame \"Overclocking\""},
      {main.frame2, "frame \"Advanced Settings\""},
      {main.option1, "option \"To one game only\""},
      {main.option2, "option \"Apply this to all Direct3D games\""},
      {main.apply, "button \"Apply\""},
      {main.about, "button \"About\""},
      {main.label1, "label \"Level Of Detail  =  ...\""},
      {main.gfx, "clock readout"},
      {main.slider1, "clock trackbar (175 to 210)"},
      {main.slider2, "level trackbar (0 to 10)"},
  };
  bool ok = true;
  for (const auto& f : found)
    ok &= EXPECTED(f.hwnd != nullptr, std::string(f.what) + " found");
  return ok;
}

}  // namespace e2e
