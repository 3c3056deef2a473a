// A game name in the ANSI code page through the dialog and Apply, on the real
// registry: it lands at its key below "Game Settings\D3D\", nothing is
// written anywhere else, and the program stays alive and answering. Names
// the registry refuses are the registry tests' concern.
#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

// Any change between two snapshots outside "Game Settings\D3D\" fails.
void CheckOnlyInside(const fixture::Snapshot& before,
                     const fixture::Snapshot& after) {
  for (const std::string& entry : fixture::Differences(before, after))
    EXPECT_TRUE(StartsWithNoCase(entry, kGameD3DKeyPrefix))
        << "written outside Game Settings\\D3D\\: " +
               ::testing::PrintToString(entry);
}

}  // namespace

TEST_F(Scenario, BadNames) {
  SetStep("start: level 4, clock 175");
  SeedDriverValues("4", "175");
  // The parent of every game's key exists, as the driver installs it.
  EXPECT_TRUE(
      fixture::CreateKey(platform::kHkeyLocalMachine, kGameD3DKeyPrefix));
  // A code page 1252 name: the registry functions the program calls take
  // it in the ANSI code page, which Wine's follows the locale it runs in.
  const std::string name = "spiel\xE4.exe";
  if (GetACP() != 1252)
    GTEST_SKIP() << "ANSI code page " << GetACP() << ", not 1252";
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;

  fixture::Snapshot machineBefore =
      fixture::TakeSnapshot(platform::kHkeyLocalMachine);
  fixture::Snapshot userBefore =
      fixture::TakeSnapshot(platform::kHkeyCurrentUser);
  SetStep("name: " + ::testing::PrintToString(name));
  PerGameDialog dialog;
  if (OpenPerGameDialog(program, main, dialog)) {
    EXPECT_TRUE(SetTextOf(dialog.edit, name));
    EXPECT_EQ(TextOf(dialog.edit), name);
    PostClick(dialog.ok);
    EXPECT_TRUE(WaitGone(dialog.window)) << "OK accepts the name";
    EXPECT_TRUE(WaitText(main.option1, "To one game only : " + name));
    ApplyWithoutMessage(program, main, "no message", 1000);
    EXPECT_TRUE(Alive(program, main)) << "still running and answering";
    EXPECT_TRUE(WaitStored(kGameD3DKeyPrefix + name, kLevelOfDetailName, "4"))
        << "MIPMapThreshold = \"4\" at the name's key";
  }
  SetStep("the whole registry after the name");
  CheckOnlyInside(machineBefore,
                  fixture::TakeSnapshot(platform::kHkeyLocalMachine));
  EXPECT_TRUE(fixture::Differences(
                  userBefore, fixture::TakeSnapshot(platform::kHkeyCurrentUser))
                  .empty())
      << "nothing written to platform::kHkeyCurrentUser";
  CloseMain(program, main);
}

}  // namespace e2e
