// Dialogs opened again and again: each opening by a posted click shows its
// window within a second (at the run's time scale), however often it was
// closed before.
#include <vector>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

constexpr int kOpenings = 5;
// Generous: a stall, not speed.
constexpr int kVisibleWithinMs = 1000;

// Opens and closes the dialog kOpenings times; each opening shows in time.
void Reopen(const RunningProgram& program, const MainWindow& main, HWND opener,
            bool (*match)(HWND), const char* closer) {
  std::vector<DWORD> shown;
  EXPECT_EQ(OpenAndClose(program, main, opener, match, closer, kOpenings, 5000,
                         &shown),
            kOpenings);
  const DWORD bound = Scaled(kVisibleWithinMs);
  for (std::size_t i = 0; i < shown.size(); ++i)
    EXPECT_TRUE(shown[i] <= bound) << "opening " + std::to_string(i + 1) +
                                          " visible within " +
                                          std::to_string(bound) + " ms, took " +
                                          std::to_string(shown[i]) + " ms";
}

}  // namespace

TEST_F(Scenario, Reopen) {
  SetStep("start");
  CleanDriverKeys();
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;

  SetStep("About, five times");
  Reopen(program, main, main.about, IsAbout, "OK !");

  SetStep("the per-game dialog, five times");
  EXPECT_TRUE(Press(main.slider2, VK_RIGHT, 1));  // enables the options
  Reopen(program, main, main.option1, IsPerGameDialog, "Cancel");

  CloseMain(program, main);
}

}  // namespace e2e
