// Start-up from stored driver values: what the window shows, and the error
// report (without the window) when a stored text does not read as a number.
#include <utility>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

struct Shown {
  const char *levelOfDetail, *clock;  // stored texts; null: absent
  int slider2;
  const char* label1;
  bool optionsEnabled;
  int slider1;
  const char* gfx;
};

// Seeds the stored texts (null: absent) and names the step after them.
void StartWith(const char* levelOfDetail, const char* clock) {
  SetStep(std::string("start with level ") +
          (levelOfDetail ? Show(levelOfDetail) : "absent") + ", clock " +
          (clock ? Show(clock) : "absent"));
  SeedDriverValues(levelOfDetail, clock);
}

void CheckShown(const Options& options, const Shown& c) {
  StartWith(c.levelOfDetail, c.clock);
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  E2E_CHECK_EQ(SliderPos(main.slider2), c.slider2);
  E2E_CHECK_EQ(TextOf(main.label1), std::string(c.label1));
  E2E_CHECK_EQ(IsWindowEnabled(main.option1) != 0, c.optionsEnabled);
  E2E_CHECK_EQ(IsWindowEnabled(main.option2) != 0, c.optionsEnabled);
  E2E_CHECK_MSG(!IsChecked(main.option1) && !IsChecked(main.option2),
                "neither option selected");
  E2E_CHECK_EQ(SliderPos(main.slider1), c.slider1);
  E2E_CHECK_EQ(TextOf(main.gfx), std::string(c.gfx));
  E2E_CHECK_MSG(program.Close(main.window), "the program ends when closed");
  const std::optional<fixture::RawValue> lod =
      Stored(kGlobalD3DKey, kLevelOfDetailName);
  E2E_CHECK_MSG(c.levelOfDetail ? lod == Sz(c.levelOfDetail) : !lod,
                "start-up leaves the stored level as it was");
}

void CheckTypeMismatch(const Options& options, const char* levelOfDetail,
                       const char* clock) {
  StartWith(levelOfDetail, clock);
  RunningProgram program;
  if (!E2E_CHECK(program.Start(options.exe))) return;
  HWND box = WaitForMessageBox(program.pid(), kAppTitle, 20000);
  if (!E2E_CHECK_MSG(box != nullptr, "an error message box captioned Movarin"))
    return;
  auto mainShown = [&] {
    return WaitForWindowTitled(program.pid(), kMainTitle, 0) != nullptr;
  };
  E2E_CHECK_MSG(!mainShown(), "the main window is not shown");
  CheckReportAndEnd(program, box, "Run-time error '13':\n\nType mismatch");
  E2E_CHECK_MSG(!mainShown(), "the main window was never shown");
}

}  // namespace

void StartupScenario(const Options& options) {
  const Shown shown[] = {
      {"05", "200", 5, "Level Of Detail  =  05", true, 200, "200"},
  };
  for (const Shown& c : shown) CheckShown(options, c);
  // Stored texts that do not read as numbers.
  const std::pair<const char*, const char*> broken[] = {
      {"abc", "180"},
  };
  for (const auto& [levelOfDetail, clock] : broken)
    CheckTypeMismatch(options, levelOfDetail, clock);
}

}  // namespace e2e
