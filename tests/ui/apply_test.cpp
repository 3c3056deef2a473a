// Apply: where the level of detail goes (or is deleted), the clock write,
// the restart prompt and the restart launch, asserted as registry bytes,
// message boxes and launched command lines.
#include <string>
#include <vector>

#include "tests/ui/program_fixture.h"

namespace movarin_test {
namespace {

using forms::FormState;
using platform::emulated::Launch;
using std::nullopt;

const std::string kGameKeyPrefix = kGameD3DKeyPrefix;

ShownMessage RestartPrompt(int answer) {
  return {"You have to restart Windows. Do it now ?", 4, "Movarin", answer};
}

class ApplyTest : public ProgramTest {};

// ------------------------------------------------------- level of detail --

enum class Target { kNone, kAllGames, kOneGame, kOneGameThenCancel };

struct LevelCase {
  const char* name;
  Target target;
  int level;
  std::string global;  // Raw of the all-games value afterwards
  std::string game;    // Raw of the value under the game's key afterwards
  bool gameKeyExists;
};

class LevelOfDetailTest : public ApplyTest,
                          public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelOfDetailTest, GoesToTheSelectedTargetOnly) {
  const LevelCase& c = GetParam();
  StartWith(Driver("5", "175"));
  User([&] { form1().Slider2().UserMoveTo(c.level); });
  switch (c.target) {
    case Target::kNone:
      break;
    case Target::kAllGames:
      User([this] { form1().Option2().UserClick(); });
      break;
    case Target::kOneGame:
      ChooseOneGame("game.exe");
      break;
    case Target::kOneGameThenCancel:
      ChooseOneGame("game.exe");
      host.Then([this] { form2().Command4().UserClick(); });
      User([this] {
        form1().Option2().UserClick();
        form1().Option1().UserClick();
      });
      break;
  }

  EXPECT_FALSE(Apply());

  EXPECT_EQ(Raw(kGlobalD3DKey, kLevelOfDetailName), c.global);
  EXPECT_EQ(Raw(kGameKeyPrefix + "game.exe", kLevelOfDetailName), c.game);
  EXPECT_EQ(platform::emulated::KeyExists(platform::kHkeyLocalMachine,
                                          kGameKeyPrefix + "game.exe"),
            c.gameKeyExists);
  EXPECT_EQ(Raw(kClockKey, kClockName), Sz("175"));
  EXPECT_EQ(host.messages(), std::vector<ShownMessage>{});
}

INSTANTIATE_TEST_SUITE_P(
    Targets, LevelOfDetailTest,
    ::testing::Values(LevelCase{"NeitherOptionOnlyTheClock", Target::kNone, 8,
                                Sz("5"), "absent", false},
                      LevelCase{"AllGamesAtEight", Target::kAllGames, 8,
                                Sz("8"), "absent", false},
                      LevelCase{"AllGamesAtZeroDeletes", Target::kAllGames, 0,
                                "absent", "absent", false},
                      LevelCase{"OneGameCreatesItsKey", Target::kOneGame, 8,
                                Sz("5"), Sz("8"), true},
                      LevelCase{"CancelledDialogWritesNoLevel",
                                Target::kOneGameThenCancel, 8, Sz("5"),
                                "absent", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplyTest, OneGameAtZeroDeletesAnEarlierGameValue) {
  Seed("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\" + kGameKeyPrefix +
       "game.exe]\n\"MIPMapThreshold\"=dword:00000004\n\"Other\"=\"x\"\n");
  StartWith(Driver("6", nullopt));
  User([this] { form1().Slider2().UserMoveTo(0); });
  ChooseOneGame("game.exe");
  EXPECT_FALSE(Apply());
  EXPECT_EQ(Raw(kGameKeyPrefix + "game.exe", kLevelOfDetailName), "absent");
  EXPECT_EQ(Raw(kGameKeyPrefix + "game.exe", "Other"), Sz("x"));
  EXPECT_EQ(Raw(kGlobalD3DKey, kLevelOfDetailName), Sz("6"));
}

TEST_F(ApplyTest, AfterTheCloseBoxTheDialogsPlaceholderNamesTheGame) {
  StartWith(Driver("3", nullopt));
  ChooseOneGame("older.exe");
  host.Then([this] { form2().UserClose(); });
  User([this] {
    form1().Option2().UserClick();
    form1().Option1().UserClick();
  });
  ASSERT_EQ(form2().State(), FormState::kNotLoaded);
  ASSERT_TRUE(form1().Option1().Value());
  ASSERT_EQ(form1().Option1().Caption(), "To one game only : older.exe");

  EXPECT_FALSE(Apply());

  EXPECT_EQ(Raw(kGameKeyPrefix + "exemple.exe", kLevelOfDetailName), Sz("3"));
  EXPECT_EQ(Raw(kGameKeyPrefix + "older.exe", kLevelOfDetailName), "absent");
  EXPECT_EQ(form2().State(), FormState::kHidden);  // loaded to read the name
}

TEST_F(ApplyTest, TheGamesNameIsTakenAsTypedBackslashesMakeDeeperKeys) {
  StartWith(Driver("4", nullopt));
  ChooseOneGame("Games\\q3.exe ");
  EXPECT_FALSE(Apply());
  EXPECT_EQ(Raw(kGameKeyPrefix + "Games\\q3.exe ", kLevelOfDetailName),
            Sz("4"));
}

TEST_F(ApplyTest, AFailedLevelWriteStillWritesTheClockAndReportsNothing) {
  StartWith(Driver(nullopt, nullopt));
  platform::emulated::InjectKeyError(platform::kHkeyLocalMachine, kGlobalD3DKey,
                                     platform::kErrorAccessDenied);
  User([this] {
    form1().Slider2().UserMoveTo(7);
    form1().Option2().UserClick();
    form1().Slider1().UserMoveTo(180);
  });
  host.Answer(forms::kVbNo);
  EXPECT_FALSE(Apply());
  EXPECT_EQ(Raw(kGlobalD3DKey, kLevelOfDetailName), "absent");
  EXPECT_EQ(Raw(kClockKey, kClockName), Sz("180"));
  EXPECT_EQ(host.messages(),
            std::vector<ShownMessage>{RestartPrompt(forms::kVbNo)});
}

// ----------------------------------------------------------------- clock --

struct ClockCase {
  const char* name;
  std::optional<std::string> stored;
  int slider;
  bool prompts;
};

class ClockTest : public ApplyTest,
                  public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockTest, WritesTheClockAndPromptsOnlyWhenItDiffers) {
  const ClockCase& c = GetParam();
  StartWith(Driver(nullopt, nullopt));
  User([&] { form1().Slider1().UserMoveTo(c.slider); });
  // Stored after start-up, so start-up never saw it.
  if (c.stored) Seed(Driver(nullopt, c.stored));
  if (c.prompts) host.Answer(forms::kVbNo);

  EXPECT_FALSE(Apply());

  EXPECT_EQ(Raw(kClockKey, kClockName), Sz(std::to_string(c.slider)));
  EXPECT_EQ(host.messages(),
            c.prompts ? std::vector<ShownMessage>{RestartPrompt(forms::kVbNo)}
                      : std::vector<ShownMessage>{});
  EXPECT_TRUE(platform::emulated::Launches().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClockTest,
    ::testing::Values(
        ClockCase{"Unchanged", "190", 190, false},
        ClockCase{"AbsentAndAt175", nullopt, 175, false},
        ClockCase{"AbsentAndElsewhere", nullopt, 176, true},
        ClockCase{"LeadingZerosCompareAsNumbers", "0200", 200, false},
        ClockCase{"StoredBeyond32BitsDiffers", "99999999999", 210, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The restart runs from the Windows directory, wherever it is.
struct RestartCase {
  const char* name;
  const char* windowsDirectory;
  const char* command;
};

class RestartTest : public ApplyTest,
                    public ::testing::WithParamInterface<RestartCase> {};

TEST_P(RestartTest, YesStartsTheRestartMinimizedAndTheProgramRunsOn) {
  platform::emulated::SetWindowsDirectory(GetParam().windowsDirectory);
  StartWith(Driver(nullopt, "175"));
  User([this] { form1().Slider1().UserMoveTo(205); });
  host.Answer(forms::kVbYes);

  EXPECT_FALSE(Apply());

  const auto& launches = platform::emulated::Launches();
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].commandLine, GetParam().command);
  EXPECT_EQ(launches[0].showCommand, 2);
  EXPECT_EQ(host.messages(),
            std::vector<ShownMessage>{RestartPrompt(forms::kVbYes)});
  EXPECT_EQ(form1().State(), FormState::kShown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestartTest,
    ::testing::Values(
        RestartCase{"StandardInstallation", "C:\\WINDOWS",
                    "C:\\WINDOWS\\RUNDLL.EXE user.exe,exitwindowsexec"},
        RestartCase{"OtherDrive", "D:\\WIN98",
                    "D:\\WIN98\\RUNDLL.EXE user.exe,exitwindowsexec"},
        RestartCase{"DriveRoot", "C:\\",
                    "C:\\RUNDLL.EXE user.exe,exitwindowsexec"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ApplyTest, ARestartThatCannotStartIsReportedAndEndsTheProgram) {
  StartWith(Driver(nullopt, nullopt));
  User([this] { form1().Slider1().UserMoveTo(190); });
  platform::emulated::SetLaunchResult(platform::kErrorFileNotFound);
  host.Answer(forms::kVbYes);

  EXPECT_TRUE(Apply());

  EXPECT_EQ(host.messages(),
            (std::vector<ShownMessage>{RestartPrompt(forms::kVbYes),
                                       RuntimeErrorBox(53, "File not found")}));
  EXPECT_EQ(Raw(kClockKey, kClockName), Sz("190"));
}

TEST_F(ApplyTest, AStoredClockOfLettersIsOverwrittenThenReported) {
  StartWith(Driver(nullopt, nullopt));
  Seed(Driver(nullopt, "fast"));

  EXPECT_TRUE(Apply());

  EXPECT_EQ(Raw(kClockKey, kClockName), Sz("175"));
  EXPECT_EQ(host.messages(),
            std::vector<ShownMessage>{RuntimeErrorBox(13, "Type mismatch")});
  EXPECT_TRUE(platform::emulated::Launches().empty());
}

}  // namespace
}  // namespace movarin_test
