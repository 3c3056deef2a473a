// The main window: start-up from the stored driver values, the readouts and
// options that follow the sliders, and the frame caption highlight.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/program_fixture.h"

namespace movarin_test {
namespace {

using forms::FormState;
using std::nullopt;

constexpr forms::Color kDarkBlue = 0x800000;
constexpr forms::Color kBrightBlue = 0xFF0000;

class MainWindowTest : public ProgramTest {};

// ------------------------------------------------------------- start-up --

struct StartCase {
  const char* name;
  std::optional<std::string> levelOfDetail, clock;
  int slider2;
  std::string label1;
  bool optionsEnabled;
  int slider1;
  std::string gfx;
};

class StartUpTest : public MainWindowTest,
                    public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartUpTest, ShowsTheStoredValues) {
  const StartCase& c = GetParam();
  Seed(Driver(c.levelOfDetail, c.clock));
  const std::optional<std::string> stored = platform::emulated::DumpRegedit4();
  ASSERT_TRUE(stored);
  ASSERT_FALSE(Start());
  EXPECT_EQ(form1().State(), FormState::kShown);

  EXPECT_EQ(form1().Slider2().Value(), c.slider2);
  EXPECT_EQ(form1().Label1().Caption(), c.label1);
  EXPECT_EQ(form1().Option1().Enabled(), c.optionsEnabled);
  EXPECT_EQ(form1().Option2().Enabled(), c.optionsEnabled);
  EXPECT_FALSE(form1().Option1().Value());
  EXPECT_FALSE(form1().Option2().Value());
  EXPECT_EQ(form1().Slider1().Value(), c.slider1);
  EXPECT_EQ(form1().gfx().Caption(), c.gfx);
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
  // Start-up writes nothing, and opens no other window.
  EXPECT_EQ(platform::emulated::DumpRegedit4(), stored);
  EXPECT_EQ(form2().State(), FormState::kNotLoaded);
  EXPECT_EQ(form4().State(), FormState::kNotLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartUpTest,
    ::testing::Values(StartCase{"NoKeys", nullopt, nullopt, 0,
                                "Level Of Detail  =  0", false, 175, "175"},
                      StartCase{"LeadingZeroKeepsTheStoredText", "05", nullopt,
                                5, "Level Of Detail  =  05", true, 175, "175"},
                      StartCase{"ZeroWrittenAsTextLeavesOptionsDisabled", "00",
                                "175", 0, "Level Of Detail  =  00", false, 175,
                                "175"},
                      StartCase{"ClockReadoutFollowsTheSlider", "3", "200", 3,
                                "Level Of Detail  =  3", true, 200, "200"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadStartCase {
  const char* name;
  std::optional<std::string> levelOfDetail, clock;
  ShownMessage report;
  std::string label1;  // as left when the error struck
};

class BadStartTest : public MainWindowTest,
                     public ::testing::WithParamInterface<BadStartCase> {};

TEST_P(BadStartTest, ReportsTheErrorAndEndsBeforeTheWindowIsShown) {
  const BadStartCase& c = GetParam();
  Seed(Driver(c.levelOfDetail, c.clock));

  EXPECT_TRUE(Start());

  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{c.report});
  EXPECT_EQ(
      host.viewLog().end(),
      std::find(host.viewLog().begin(), host.viewLog().end(), "Form1 show"));
  ASSERT_TRUE(form1().IsLoaded());
  EXPECT_EQ(form1().Label1().Caption(), c.label1);
  EXPECT_EQ(form1().Slider1().Value(), 175) << "the clock slider was set";
  EXPECT_EQ(form1().gfx().Caption(), "175");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadStartTest,
    ::testing::Values(
        BadStartCase{"LettersForLevelOfDetail", "abc", "200",
                     RuntimeErrorBox(13, "Type mismatch"),
                     "Level Of Detail  =  0"},
        // The clock comes last: the level of detail is already in place.
        BadStartCase{"LettersForClock", "4", "fast",
                     RuntimeErrorBox(13, "Type mismatch"),
                     "Level Of Detail  =  4"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------- live feedback --

TEST_F(MainWindowTest, FirstLevelMoveEnablesTheOptionsForGoodNoneSelected) {
  StartWith(Driver(nullopt, nullopt));  // options disabled
  for (int level : {1, 0}) {
    User([&] { form1().Slider2().UserMoveTo(level); });
    EXPECT_EQ(form1().Label1().Caption(),
              "Level Of Detail  =  " + std::to_string(level));
    EXPECT_TRUE(form1().Option1().Enabled());
    EXPECT_TRUE(form1().Option2().Enabled());
    EXPECT_FALSE(form1().Option1().Value());
    EXPECT_FALSE(form1().Option2().Value());
  }
}

// The readouts follow every move, within each slider's range.
TEST_F(MainWindowTest, ReadoutsFollowEveryMove) {
  StartWith(Driver("9", "208"));
  struct Step {
    bool clock;  // Slider1 and gfx, else Slider2 and Label1
    std::int64_t to;
    const char* readout;
  };
  const Step steps[] = {
      {true, 211, "210"},
      {true, 204, "204"},
      {true, -1000, "175"},
      {false, 11, "Level Of Detail  =  10"},
      {false, 9, "Level Of Detail  =  9"},
      {false, -1000, "Level Of Detail  =  0"},
  };
  for (const Step& step : steps) {
    User([&] {
      (step.clock ? form1().Slider1() : form1().Slider2()).UserMoveTo(step.to);
    });
    EXPECT_EQ((step.clock ? form1().gfx() : form1().Label1()).Caption(),
              step.readout);
  }
}

TEST_F(MainWindowTest, FrameUnderThePointerHasTheBrightCaption) {
  StartWith(Driver(nullopt, nullopt));
  EXPECT_EQ(form1().Frame1().ForeColor(), kDarkBlue);
  EXPECT_EQ(form1().Frame2().ForeColor(), kDarkBlue);

  struct Move {
    const char* over;
    forms::Color frame1, frame2;
  };
  const auto over = [this](std::string name) -> forms::Control& {
    if (name == "Frame1") return form1().Frame1();
    if (name == "Frame2") return form1().Frame2();
    return form1().Slider1();
  };
  // A move can skip the window's surface between the frames, and a frame
  // stays bright while the pointer is over its controls.
  const Move moves[] = {
      {"Form1", kDarkBlue, kDarkBlue},     {"Frame1", kBrightBlue, kDarkBlue},
      {"Slider1", kBrightBlue, kDarkBlue}, {"Frame2", kDarkBlue, kBrightBlue},
      {"Frame1", kBrightBlue, kDarkBlue},  {"Form1", kDarkBlue, kDarkBlue},
      {"Frame2", kDarkBlue, kBrightBlue},  {"Frame2", kDarkBlue, kBrightBlue},
  };
  for (const Move& move : moves) {
    User([&] {
      if (std::string(move.over) == "Form1")
        form1().UserMouseMove();
      else
        over(move.over).UserMouseMove();
    });
    EXPECT_EQ(form1().Frame1().ForeColor(), move.frame1) << move.over;
    EXPECT_EQ(form1().Frame2().ForeColor(), move.frame2) << move.over;
  }
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgram) {
  StartWith(Driver(nullopt, nullopt));
  EXPECT_TRUE(User([this] { form1().UserClose(); }));
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

}  // namespace
}  // namespace movarin_test
