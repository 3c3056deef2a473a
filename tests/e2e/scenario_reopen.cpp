// Dialogs opened again and again: each opening by a posted click shows its
// window within a second, however often it was closed before.
#include <windows.h>

#include <string>

#include "tests/e2e/app.h"
#include "tests/e2e/check.h"
#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

constexpr int kOpenings = 5;
// Generous: a stall, not speed.
constexpr int kVisibleWithinMs = 1000;

bool IsPerGameDialog(HWND w) {
  return TextOf(w) == kAppTitle && (ExStyleOf(w) & WS_EX_TOOLWINDOW) &&
         ClassOf(w) != "#32770";
}

// Clicks opener kOpenings times, each time checking that the dialog that
// matches shows in time, then clicking its button closer and checking that
// it goes.
template <class Match>
void OpenAndClose(const RunningProgram& program, const MainWindow& main,
                  HWND opener, Match match, const char* closer) {
  for (int opening = 1; opening <= kOpenings; ++opening) {
    std::string which = "opening " + std::to_string(opening);
    // Timed here: a program that is stalled answers the window search late
    // rather than not at all.
    DWORD start = GetTickCount();
    PostClick(opener);
    HWND dialog = WaitForWindow(program.pid(), match);
    DWORD elapsed = GetTickCount() - start;
    if (!E2E_CHECK_MSG(dialog, which + " shows")) return;
    E2E_CHECK_MSG(elapsed <= kVisibleWithinMs,
                  which + " visible within a second, took " +
                      std::to_string(elapsed) + " ms");
    HWND close = FindChild(dialog, "Button", closer);
    if (!E2E_CHECK_MSG(close, which + ": its button found")) return;
    PostClick(close);
    E2E_CHECK_MSG(WaitGone(dialog) && WaitUntil([&] {
                    return IsWindowEnabled(main.window) != 0;
                  }),
                  which + " closes and gives the main window back");
  }
}

}  // namespace

void ReopenScenario(const Options& options) {
  SetStep("start");
  CleanDriverKeys();
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;

  SetStep("About, five times");
  OpenAndClose(
      program, main, main.about,
      [](HWND w) { return TextOf(w) == kAboutTitle; }, "OK !");

  SetStep("the per-game dialog, five times");
  E2E_CHECK(Press(main.slider2, VK_RIGHT, 1));  // enables the options
  OpenAndClose(program, main, main.option1, IsPerGameDialog, "Cancel");

  CloseMain(program, main);
}

}  // namespace e2e
