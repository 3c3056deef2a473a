// Apply's unhandled errors, end to end: a stored clock that does not read as
// a number, and a restart command that cannot be started. Each is reported
// in a message box, the program then ends, and what Apply wrote before the
// error stays written.
#include <windows.h>

#include <string>

#include "tests/e2e/app.h"
#include "tests/e2e/check.h"
#include "tests/e2e/registry_probe.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/stand_in.h"

namespace e2e {
namespace {

std::string Flat(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

// Answers the error report and sees the program end.
void CheckReportAndEnd(RunningProgram& program, HWND box,
                       const std::string& report) {
  E2E_CHECK_EQ(Flat(MessageBoxText(box)), report);
  E2E_CHECK(Answer(box, IDOK));
  E2E_CHECK_MSG(program.WaitExit(5000), "after OK the program ends");
}

void StoredClockNotANumber(const Options& options) {
  SetStep("Apply with a stored clock \"fast\"");
  SeedDriverValues("2", "175");
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  PostClick(main.option2);
  E2E_CHECK(WaitUntil([&] { return IsChecked(main.option2); }));
  E2E_CHECK(Press(main.slider2, VK_RIGHT, 3));
  E2E_CHECK(SetString(HKEY_LOCAL_MACHINE, kPmxKern, kClock, "fast"));
  HWND box = ClickForMessageBox(main.apply, program.pid());
  if (!E2E_CHECK_MSG(box, "an error report")) return;
  CheckReportAndEnd(program, box, "Run-time error '13':\n\nType mismatch");
  E2E_CHECK_EQ(ReadValue(HKEY_LOCAL_MACHINE, kGlobalD3D, kLod).bytes,
               std::string("3\0", 2));
  E2E_CHECK_EQ(ReadValue(HKEY_LOCAL_MACHINE, kPmxKern, kClock).bytes,
               std::string("175\0", 4));
}

void RestartCommandMissing(const Options& options) {
  SetStep("Yes with no restart command");
  SeedDriverValues(nullptr, "175");
  RestartStandIn missing("");  // the command moved away, nothing in its place
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  E2E_CHECK(Press(main.slider1, VK_RIGHT, 176));
  HWND question = ClickForMessageBox(main.apply, program.pid());
  if (!E2E_CHECK_MSG(question, "the restart question")) return;
  E2E_CHECK_EQ(MessageBoxText(question), std::string(kRestartQuestion));
  E2E_CHECK(Answer(question, IDYES));
  HWND box = WaitForMessageBox(program.pid(), kAppTitle);
  if (!E2E_CHECK_MSG(box, "an error report")) return;
  CheckReportAndEnd(program, box, "Run-time error '53':\n\nFile not found");
  E2E_CHECK_EQ(ReadValue(HKEY_LOCAL_MACHINE, kPmxKern, kClock).bytes,
               std::string("176\0", 4));
}

}  // namespace

void ApplyErrorsScenario(const Options& options) {
  StoredClockNotANumber(options);
  RestartCommandMissing(options);
}

}  // namespace e2e
