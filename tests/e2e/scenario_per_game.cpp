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
  E2E_CHECK_EQ(TextOf(d.edit), std::string("exemple.exe"));
  E2E_CHECK_MSG(FindChild(d.window, "", "Enter executable's name :"),
                "label \"Enter executable's name :\"");
  E2E_CHECK_MSG(!IsWindowEnabled(main.window),
                "the main window takes no input while the dialog is shown");
}

std::string GameKey(const std::string& name) {
  return kGameD3DKeyPrefix + name;
}

}  // namespace

void PerGameScenario(const Options& options) {
  SetStep("start: level 3 for all games, clock 175");
  SeedDriverValues("3", "175");
  Recording recording;
  RestartStandIn standIn(options.recorder);
  E2E_CHECK_MSG(standIn.installed(), "stand-in at C:\\WINDOWS\\RUNDLL.EXE");
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  E2E_CHECK_EQ(SliderPos(main.slider2), 3);
  E2E_CHECK_MSG(IsWindowEnabled(main.option1), "options enabled at level 3");

  SetStep("open the dialog");
  PerGameDialog d;
  if (!OpenPerGameDialog(program, main, d)) return;
  CheckDialogDesign(d, main);
  SaveWindowPicture(options, d.window, "per-game");

  SetStep("keys in the dialog");
  // The first focus leaves the caret before the placeholder, nothing
  // selected (Tab into the box selects its text). "OK" is no default button:
  // Enter in the text box presses nothing, also after the focus has been on
  // "OK" and left it.
  E2E_CHECK_EQ(Ask(d.edit, EM_GETSEL), 0);
  CheckTabWalk(d.window,
               {{d.edit, "Text1"}, {d.ok, "OK"}, {d.cancel, "Cancel"}});
  PostKey(d.edit, VK_RETURN);
  Pause(700);
  E2E_CHECK_MSG(IsWindowVisible(d.window) && IsChecked(main.option1),
                "Enter in Text1 leaves the dialog shown");

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
    E2E_CHECK(resize(80, 40));
    E2E_CHECK_MSG(WaitUntil([&] {
                    const RECT now = ScreenRect(d.window);
                    return now.right - now.left == width + 80;
                  }),
                  "the dialog is resizable");
    RECT edit2 = RectIn(d.edit, d.window), ok2 = RectIn(d.ok, d.window);
    E2E_CHECK_MSG(EqualRect(&edit, &edit2) && EqualRect(&ok, &ok2),
                  "the controls keep their places and sizes");
    resize(0, 0);
  }
  E2E_CHECK_MSG(IsChecked(main.option1), "Option1 selected");

  SetStep("OK with an empty name");
  E2E_CHECK(SetTextOf(d.edit, ""));
  HWND box = ClickForMessageBox(d.ok, program.pid());
  if (E2E_CHECK_MSG(box, "a message box")) {
    // The stop icon and only an OK button.
    CheckMessageBox(box, "Enter a Direct3D executable name !", true, {IDOK});
    E2E_CHECK(Answer(box, IDOK));
  }
  E2E_CHECK_MSG(IsWindowVisible(d.window), "the dialog stays open");
  E2E_CHECK_EQ(TextOf(main.option1), std::string(kOption1Text));

  SetStep("type a name and OK");
  E2E_CHECK(SetTextOf(d.edit, "exemple.exe"));
  // A click clears the placeholder, then the name is typed key by key.
  PostMouseClick(d.edit, 4, 4);
  E2E_CHECK_MSG(WaitText(d.edit, ""), "a click clears \"exemple.exe\"");
  PostChars(d.edit, "game.exe");
  E2E_CHECK(WaitText(d.edit, "game.exe"));
  PostClick(d.ok);
  E2E_CHECK_MSG(WaitGone(d.window), "OK hides the dialog");
  E2E_CHECK(WaitText(main.option1, "To one game only : game.exe"));
  E2E_CHECK_MSG(IsChecked(main.option1) && !IsChecked(main.option2),
                "Option1 stays selected");
  E2E_CHECK_MSG(IsWindowEnabled(main.window),
                "the main window takes input again");

  SetStep("Apply for one game, clock unchanged");
  ApplyWithoutMessage(program, main,
                      "no restart question for an unchanged clock");
  E2E_CHECK_MSG(WaitStored(GameKey("game.exe"), kLevelOfDetailName, "3"),
                "Game Settings\\D3D\\game.exe MIPMapThreshold = \"3\"");
  E2E_CHECK_EQ(Stored(kGlobalD3DKey, kLevelOfDetailName), Sz("3"));
  E2E_CHECK_EQ(Stored(kClockKey, kClockName), Sz("175"));

  SetStep("clock changed, answer No");
  E2E_CHECK(Press(main.slider1, VK_NEXT, 180));
  E2E_CHECK(WaitText(main.gfx, "180"));
  // Space on the focused Apply presses it.
  E2E_CHECK(PressByKey(main.window, main.apply, VK_SPACE));
  HWND question = WaitForMessageBox(program.pid(), kAppTitle);
  if (E2E_CHECK_MSG(question, "the restart question")) {
    CheckMessageBox(question, kRestartQuestion, false, {IDYES, IDNO});
    E2E_CHECK_MSG(
        (StyleOf(GetDlgItem(question, IDYES)) & 0x0F) == BS_DEFPUSHBUTTON,
        "Yes is the default button");
    E2E_CHECK_MSG(WaitStored(kClockKey, kClockName, "180"),
                  "the clock is written before the question");
    E2E_CHECK(Answer(question, IDNO));
  }
  Pause(500);
  E2E_CHECK_MSG(recording.Read().empty(), "No starts nothing");
  E2E_CHECK_MSG(Alive(program, main), "still running");

  SetStep("Apply again without a move: no question");
  ApplyWithoutMessage(program, main, "no question when the clock is as stored");

  SetStep("clock changed, answer Yes");
  E2E_CHECK(Press(main.slider1, VK_RIGHT, 181));
  E2E_CHECK(PressByKey(main.window, main.apply, VK_RETURN));  // so does Enter
  question = WaitForMessageBox(program.pid(), kAppTitle);
  if (E2E_CHECK_MSG(question, "the restart question")) {
    E2E_CHECK(Answer(question, IDYES));
    if (E2E_CHECK_MSG(recording.WaitFor(1), "Yes starts the restart command")) {
      std::vector<Started> started = recording.Read();
      E2E_CHECK_EQ(started.size(), std::size_t(1));
      std::string line = started[0].commandLine;
      E2E_CHECK_MSG(
          line.size() > 24 && line.compare(line.size() - 25, 25,
                                           " user.exe,exitwindowsexec") == 0,
          "argument \"user.exe,exitwindowsexec\": " + Show(line));
      E2E_CHECK_MSG(StartsWithNoCase(line, "C:\\WINDOWS\\RUNDLL.EXE"),
                    "program C:\\WINDOWS\\RUNDLL.EXE: " + Show(line));
      E2E_CHECK_EQ(started[0].showWindow, 2u);  // minimised and active
      E2E_CHECK_MSG(started[0].flags & STARTF_USESHOWWINDOW,
                    "the window state is passed on");
    }
  }
  E2E_CHECK_MSG(WaitStored(kClockKey, kClockName, "181"), "clock 181 written");
  E2E_CHECK_MSG(Alive(program, main), "the program keeps running after Yes");

  SetStep("Esc in the dialog acts as Cancel");
  if (OpenPerGameDialog(program, main, d)) {
    E2E_CHECK_EQ(TextOf(d.edit), std::string("game.exe"));
    HWND focus = FocusOf(d.window);
    PostKey(focus ? focus : d.edit, VK_ESCAPE);
    E2E_CHECK_MSG(WaitGone(d.window), "Esc closes the dialog");
    E2E_CHECK_MSG(WaitUntil([&] { return !IsChecked(main.option1); }),
                  "and clears Option1");
    E2E_CHECK_MSG(!IsChecked(main.option2), "Option2 stays clear");
    E2E_CHECK_EQ(TextOf(main.option1),
                 std::string("To one game only : game.exe"));
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
    E2E_CHECK_MSG(PressByKey(d.window, p.ok ? d.ok : d.cancel, p.vk), p.what);
    E2E_CHECK_MSG(WaitGone(d.window) && WaitUntil([&] {
                    return IsChecked(main.option1) == p.ok;
                  }),
                  std::string(p.what) + " closes the dialog, Option1 " +
                      (p.ok ? "selected" : "clear"));
    // The option the dialog was opened from.
    E2E_CHECK_MSG(
        WaitUntil([&] { return FocusOf(main.window) == main.option1; }),
        std::string("after ") + p.what + " the focus is back on Option1");
  }

  CloseMain(program, main);
  E2E_CHECK_EQ(recording.Read().size(), std::size_t(1));
}

}  // namespace e2e
