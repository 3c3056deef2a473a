// The per-game dialog and Apply, end to end: typing a game's name, "OK",
// "Cancel", Esc and the close box, the dialog's tab order and keys, the
// values Apply leaves in the registry, and the restart question answered No
// and Yes.
#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

void CheckDialogDesign(const PerGameDialog& d, const MainWindow& main) {
  SetStep("per-game dialog design");
  // A sizable border, no minimise or maximise button. Found as a tool
  // window: it has a taskbar entry only if it asks for one, and it does not.
  CheckFrame(d.window, WS_THICKFRAME, WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
             WS_EX_APPWINDOW, 2745, 1095);
  EXPECT_EQ(TextOf(d.edit), std::string("exemple.exe"));
  EXPECT_TRUE(FindChild(d.window, "", "Enter executable's name :"))
      << "label \"Enter executable's name :\"";
  EXPECT_TRUE(!IsWindowEnabled(main.window))
      << "the main window takes no input while the dialog is shown";
}

std::string GameKey(const std::string& name) {
  return kGameD3DKeyPrefix + name;
}

}  // namespace

TEST_F(Scenario, PerGame) {
  SetStep("start: level 3 for all games, clock 175");
  SeedDriverValues("3", "175");
  Recording recording;
  RestartStandIn standIn(options.recorder);
  EXPECT_TRUE(standIn.installed()) << "stand-in at C:\\WINDOWS\\RUNDLL.EXE";
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  EXPECT_EQ(SliderPos(main.slider2), 3);
  EXPECT_TRUE(IsWindowEnabled(main.option1)) << "options enabled at level 3";

  SetStep("open the dialog");
  PerGameDialog d;
  if (!OpenPerGameDialog(program, main, d)) return;
  CheckDialogDesign(d, main);
  TakePicture(d.window, "per-game");

  SetStep("keys in the dialog");
  // The first focus leaves the caret before the placeholder, nothing
  // selected (Tab into the box selects its text). "OK" is no default button:
  // Enter in the text box presses nothing, also after the focus has been on
  // "OK" and left it.
  EXPECT_EQ(Ask(d.edit, EM_GETSEL), 0);
  CheckTabWalk(d.window,
               {{d.edit, "Text1"}, {d.ok, "OK"}, {d.cancel, "Cancel"}});
  PostKey(d.edit, VK_RETURN);
  Pause(700);
  EXPECT_TRUE(IsWindowVisible(d.window) && IsChecked(main.option1))
      << "Enter in Text1 leaves the dialog shown";

  SetStep("resizing the dialog moves nothing");
  {
    RECT edit = RectIn(d.edit, d.window), ok = RectIn(d.ok, d.window);
    const RECT outer = ScreenRect(d.window);
    const int width = outer.right - outer.left;
    auto resize = [&](int dx, int dy) {
      return SetWindowPos(d.window, nullptr, 0, 0, width + dx,
                          outer.bottom - outer.top + dy,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    EXPECT_TRUE(resize(80, 40));
    EXPECT_TRUE(WaitUntil([&] {
      const RECT now = ScreenRect(d.window);
      return now.right - now.left == width + 80;
    })) << "the dialog is resizable";
    RECT edit2 = RectIn(d.edit, d.window), ok2 = RectIn(d.ok, d.window);
    EXPECT_TRUE(EqualRect(&edit, &edit2) && EqualRect(&ok, &ok2))
        << "the controls keep their places and sizes";
    resize(0, 0);
  }
  EXPECT_TRUE(IsChecked(main.option1)) << "Option1 selected";

  SetStep("OK with an empty name");
  EXPECT_TRUE(SetTextOf(d.edit, ""));
  HWND box = ClickForMessageBox(d.ok, program.pid());
  if (EXPECTED(box, "a message box")) {
    // The stop icon and only an OK button.
    CheckMessageBox(box, "Enter a Direct3D executable name !", true, {IDOK});
    EXPECT_TRUE(Answer(box, IDOK));
  }
  EXPECT_TRUE(IsWindowVisible(d.window)) << "the dialog stays open";
  EXPECT_EQ(TextOf(main.option1), std::string(kOption1Text));

  SetStep("type a name and OK");
  EXPECT_TRUE(SetTextOf(d.edit, "exemple.exe"));
  // A click clears the placeholder, then the name is typed key by key.
  PostMouseClick(d.edit, 4, 4);
  EXPECT_TRUE(WaitText(d.edit, "")) << "a click clears \"exemple.exe\"";
  PostChars(d.edit, "game.exe");
  EXPECT_TRUE(WaitText(d.edit, "game.exe"));
  PostClick(d.ok);
  EXPECT_TRUE(WaitGone(d.window)) << "OK hides the dialog";
  EXPECT_TRUE(WaitText(main.option1, "To one game only : game.exe"));
  EXPECT_TRUE(IsChecked(main.option1) && !IsChecked(main.option2))
      << "Option1 stays selected";
  EXPECT_TRUE(IsWindowEnabled(main.window))
      << "the main window takes input again";

  SetStep("Apply for one game, clock unchanged");
  ApplyWithoutMessage(program, main,
                      "no restart question for an unchanged clock");
  EXPECT_TRUE(WaitStored(GameKey("game.exe"), kLevelOfDetailName, "3"))
      << "Game Settings\\D3D\\game.exe MIPMapThreshold = \"3\"";
  EXPECT_EQ(Stored(kGlobalD3DKey, kLevelOfDetailName), Sz("3"));
  EXPECT_EQ(Stored(kClockKey, kClockName), Sz("175"));

  SetStep("clock changed, answer No");
  EXPECT_TRUE(Press(main.slider1, VK_NEXT, 180));
  EXPECT_TRUE(WaitText(main.gfx, "180"));
  // Space on the focused Apply presses it.
  EXPECT_TRUE(PressByKey(main.window, main.apply, VK_SPACE));
  HWND question = WaitForMessageBox(program.pid(), kAppTitle);
  if (EXPECTED(question, "the restart question")) {
    CheckMessageBox(question, kRestartQuestion, false, {IDYES, IDNO});
    EXPECT_TRUE((StyleOf(GetDlgItem(question, IDYES)) & 0x0F) ==
                BS_DEFPUSHBUTTON)
        << "Yes is the default button";
    EXPECT_TRUE(WaitStored(kClockKey, kClockName, "180"))
        << "the clock is written before the question";
    EXPECT_TRUE(Answer(question, IDNO));
  }
  Pause(500);
  EXPECT_TRUE(recording.Read().empty()) << "No starts nothing";
  EXPECT_TRUE(Alive(program, main)) << "still running";

  SetStep("Apply again without a move: no question");
  ApplyWithoutMessage(program, main, "no question when the clock is as stored");

  SetStep("clock changed, answer Yes");
  EXPECT_TRUE(Press(main.slider1, VK_RIGHT, 181));
  EXPECT_TRUE(PressByKey(main.window, main.apply, VK_RETURN));  // so does Enter
  question = WaitForMessageBox(program.pid(), kAppTitle);
  if (EXPECTED(question, "the restart question")) {
    EXPECT_TRUE(Answer(question, IDYES));
    if (EXPECTED(recording.WaitFor(1), "Yes starts the restart command")) {
      std::vector<Started> started = recording.Read();
      EXPECT_EQ(started.size(), std::size_t(1));
      std::string line = started[0].commandLine;
      EXPECT_TRUE(
          line.size() > 24 &&
          line.compare(line.size() - 25, 25, " user.exe,exitwindowsexec") == 0)
          << "argument \"user.exe,exitwindowsexec\": " +
                 ::testing::PrintToString(line);
      EXPECT_TRUE(StartsWithNoCase(line, "C:\\WINDOWS\\RUNDLL.EXE"))
          << "program C:\\WINDOWS\\RUNDLL.EXE: " +
                 ::testing::PrintToString(line);
      EXPECT_EQ(started[0].showWindow, 2u);  // minimised and active
      EXPECT_TRUE(started[0].flags & STARTF_USESHOWWINDOW)
          << "the window state is passed on";
    }
  }
  EXPECT_TRUE(WaitStored(kClockKey, kClockName, "181")) << "clock 181 written";
  EXPECT_TRUE(Alive(program, main)) << "the program keeps running after Yes";

  SetStep("Esc in the dialog acts as Cancel");
  if (OpenPerGameDialog(program, main, d)) {
    EXPECT_EQ(TextOf(d.edit), std::string("game.exe"));
    HWND focus = FocusOf(d.window);
    PostKey(focus ? focus : d.edit, VK_ESCAPE);
    EXPECT_TRUE(WaitGone(d.window)) << "Esc closes the dialog";
    EXPECT_TRUE(WaitUntil([&] { return !IsChecked(main.option1); }))
        << "and clears Option1";
    EXPECT_TRUE(!IsChecked(main.option2)) << "Option2 stays clear";
    EXPECT_EQ(TextOf(main.option1), std::string("To one game only : game.exe"));
  }

  SetStep("Enter and Space press the focused OK or Cancel");
  const struct {
    UINT vk;
    bool ok;  // else Cancel
    const char* what;
  } presses[] = {{VK_RETURN, true, "Enter on OK"},
                 {VK_SPACE, false, "Space on Cancel"},
                 {VK_SPACE, true, "Space on OK"},
                 {VK_RETURN, false, "Enter on Cancel"}};
  for (const auto& p : presses) {
    if (!OpenPerGameDialog(program, main, d)) break;
    EXPECT_TRUE(PressByKey(d.window, p.ok ? d.ok : d.cancel, p.vk)) << p.what;
    EXPECT_TRUE(WaitGone(d.window) &&
                WaitUntil([&] { return IsChecked(main.option1) == p.ok; }))
        << std::string(p.what) + " closes the dialog, Option1 " +
               (p.ok ? "selected" : "clear");
    // The option the dialog was opened from.
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main.window) == main.option1; }))
        << std::string("after ") + p.what + " the focus is back on Option1";
  }

  CloseMain(program, main);
  EXPECT_EQ(recording.Read().size(), std::size_t(1));
}

}  // namespace e2e
