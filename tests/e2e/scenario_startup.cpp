// Start-up from stored driver values: what the window shows, and the error
// report (without the window) when a stored text does not read as a number.
// How every stored text reads is the program tests' concern.
#include "tests/e2e/scenarios.h"

namespace e2e {

TEST_F(Scenario, Startup) {
  SetStep("start with level \"05\", clock \"200\"");
  SeedDriverValues("05", "200");
  {
    RunningProgram program;
    MainWindow main;
    if (!StartMain(program, options, main)) return;
    EXPECT_EQ(SliderPos(main.slider2), 5);
    EXPECT_EQ(TextOf(main.label1), "Level Of Detail  =  05");
    EXPECT_TRUE(IsWindowEnabled(main.option1) && IsWindowEnabled(main.option2));
    EXPECT_TRUE(!IsChecked(main.option1) && !IsChecked(main.option2))
        << "neither option selected";
    EXPECT_EQ(SliderPos(main.slider1), 200);
    EXPECT_EQ(TextOf(main.gfx), "200");
    EXPECT_TRUE(program.Close(main.window)) << "the program ends when closed";
    EXPECT_EQ(Stored(kGlobalD3DKey, kLevelOfDetailName), Sz("05"))
        << "start-up leaves the stored level as it was";
  }

  SetStep("start with level \"abc\", clock \"180\"");
  SeedDriverValues("abc", "180");
  RunningProgram program;
  ASSERT_TRUE(program.Start(options.exe)) << "the program starts";
  HWND box = WaitForMessageBox(program.pid(), kAppTitle, 20000);
  ASSERT_TRUE(box) << "an error message box captioned Movarin";
  auto mainShown = [&] {
    return WaitForWindowTitled(program.pid(), kMainTitle, 0) != nullptr;
  };
  EXPECT_FALSE(mainShown()) << "the main window is not shown";
  CheckReportAndEnd(program, box, "Run-time error '13':\n\nType mismatch");
  EXPECT_FALSE(mainShown()) << "the main window was never shown";
}

}  // namespace e2e
