// Start-up from stored driver values: what the window shows, and the error
// report (without the window) when a stored text does not read as a number.
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
          (levelOfDetail ? fixture::Quoted(levelOfDetail) : "absent") +
          ", clock " + (clock ? fixture::Quoted(clock) : "absent"));
  SeedDriverValues(levelOfDetail, clock);
}

void CheckShown(const Options& options, const Shown& c) {
  StartWith(c.levelOfDetail, c.clock);
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  EXPECT_EQ(SliderPos(main.slider2), c.slider2);
  EXPECT_EQ(TextOf(main.label1), std::string(c.label1));
  EXPECT_EQ(IsWindowEnabled(main.option1) != 0, c.optionsEnabled);
  EXPECT_EQ(IsWindowEnabled(main.option2) != 0, c.optionsEnabled);
  EXPECT_TRUE(!IsChecked(main.option1) && !IsChecked(main.option2))
      << "neither option selected";
  EXPECT_EQ(SliderPos(main.slider1), c.slider1);
  EXPECT_EQ(TextOf(main.gfx), std::string(c.gfx));
  EXPECT_TRUE(program.Close(main.window)) << "the program ends when closed";
  const std::optional<fixture::RawValue> lod =
      Stored(kGlobalD3DKey, kLevelOfDetailName);
  EXPECT_TRUE(c.levelOfDetail ? lod == Sz(c.levelOfDetail) : !lod)
      << "start-up leaves the stored level as it was";
}

void CheckTypeMismatch(const Options& options, const char* levelOfDetail,
                       const char* clock) {
  StartWith(levelOfDetail, clock);
  RunningProgram program;
  if (!EXPECTED(program.Start(options.exe), "the program starts")) return;
  HWND box = WaitForMessageBox(program.pid(), kAppTitle, 20000);
  if (!EXPECTED(box != nullptr, "an error message box captioned Movarin"))
    return;
  auto mainShown = [&] {
    return WaitForWindowTitled(program.pid(), kMainTitle, 0) != nullptr;
  };
  EXPECT_TRUE(!mainShown()) << "the main window is not shown";
  CheckReportAndEnd(program, box, "Run-time error '13':\n\nType mismatch");
  EXPECT_TRUE(!mainShown()) << "the main window was never shown";
}

}  // namespace

TEST_F(Scenario, Startup) {
  CheckShown(options,
             {"05", "200", 5, "Level Of Detail  =  05", true, 200, "200"});
  // A stored text that does not read as a number.
  CheckTypeMismatch(options, "abc", "180");
}

}  // namespace e2e
