// Apply's unhandled error, end to end: a restart command that cannot be
// started is reported in a message box, the program then ends, and what
// Apply wrote before the error stays written.
#include "tests/e2e/scenarios.h"

namespace e2e {

TEST_F(Scenario, ApplyErrors) {
  SetStep("Yes with no restart command");
  SeedDriverValues(nullptr, "175");
  RestartStandIn missing("");  // the command moved away, nothing in its place
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  EXPECT_TRUE(Press(main.slider1, VK_RIGHT, 176));
  HWND question = ClickForMessageBox(main.apply, program.pid());
  if (!EXPECTED(question, "the restart question")) return;
  CheckMessageBox(question, kRestartQuestion, false, {IDYES, IDNO});
  EXPECT_TRUE(Answer(question, IDYES));
  HWND box = WaitForMessageBox(program.pid(), kAppTitle);
  if (!EXPECTED(box, "an error report")) return;
  CheckReportAndEnd(program, box, "Run-time error '53':\n\nFile not found");
  EXPECT_EQ(Stored(kClockKey, kClockName), Sz("176"));
}

}  // namespace e2e
