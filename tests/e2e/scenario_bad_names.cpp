// Odd game names through the dialog and Apply: each lands at its key below
// "Game Settings\D3D\" or nowhere, nothing is written anywhere else, and the
// program stays alive and answering.
#include <cstdio>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

struct Case {
  std::string label;
  std::string name;
  enum Outcome { kNowhere, kAtItsKey, kEither } outcome;  // of the value
};

// Changes between two snapshots below "Game Settings\D3D\"; any other
// change fails.
int CountInside(const fixture::Snapshot& before,
                const fixture::Snapshot& after) {
  int inside = 0;
  for (const std::string& entry : fixture::Differences(before, after)) {
    if (StartsWithNoCase(entry, kGameD3DKeyPrefix))
      ++inside;
    else
      E2E_CHECK_MSG(false,
                    "written outside Game Settings\\D3D\\: " + Show(entry));
  }
  return inside;
}

}  // namespace

void BadNamesScenario(const Options& options) {
  SetStep("start: level 4, clock 175");
  SeedDriverValues("4", "175");
  // The parent of every game's key exists, as the driver installs it.
  E2E_CHECK(fixture::CreateKey(platform::kHkeyLocalMachine, kGameD3DKeyPrefix));
  const std::string kNames255(251, 'n');
  const Case cases[] = {
      {"backslash", "a\\b.exe", Case::kAtItsKey},
      {"dot dot", "..", Case::kAtItsKey},
      {"climbing", "..\\..\\..\\escape.exe", Case::kAtItsKey},
      // Wine's ANSI registry functions take a key path of at most 260
      // characters ("...\\D3D\\" is 40) and refuse longer ones with 234;
      // Windows refuses a key name (one level) of more than 255.
      {"220 characters", std::string(216, 'k') + ".exe", Case::kAtItsKey},
      {"221 characters", std::string(217, 'k') + ".exe", Case::kEither},
      {"255 characters", kNames255 + ".exe", Case::kEither},
      {"256 characters", kNames255 + "n.exe", Case::kNowhere},
      {"300 characters", std::string(296, 'm') + ".exe", Case::kNowhere},
      {"code page 1252", "spiel\xE4.exe", Case::kAtItsKey},
      {"blanks only", "   ", Case::kAtItsKey},
      {"leading backslash", "\\lead.exe", Case::kEither},
  };
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  // The non-ASCII name is a code page 1252 text; Wine's code page follows
  // the locale it runs in.
  bool westernCodePage = GetACP() == 1252;
  if (!westernCodePage)
    std::printf("note: ANSI code page %u, the code page 1252 name is skipped\n",
                GetACP());

  // The whole registry is compared once around all the names (it is
  // large); the driver's own tree around each name.
  fixture::Snapshot machineBefore =
      fixture::TakeSnapshot(platform::kHkeyLocalMachine);
  fixture::Snapshot userBefore =
      fixture::TakeSnapshot(platform::kHkeyCurrentUser);
  for (const Case& c : cases) {
    if (!westernCodePage && c.label == "code page 1252") continue;
    SetStep("name: " + c.label);
    fixture::Snapshot before =
        fixture::TakeSnapshot(platform::kHkeyLocalMachine, kVendorKey);
    PerGameDialog dialog;
    if (!OpenPerGameDialog(program, main, dialog)) break;
    E2E_CHECK(SetTextOf(dialog.edit, c.name));
    E2E_CHECK_EQ(TextOf(dialog.edit), c.name);
    PostClick(dialog.ok);
    E2E_CHECK_MSG(WaitGone(dialog.window), "OK accepts the name");
    E2E_CHECK(WaitText(main.option1, "To one game only : " + c.name));
    ApplyWithoutMessage(program, main,
                        "no message: registry failures are ignored", 1000);
    E2E_CHECK_MSG(Alive(program, main), "still running and answering");
    if (c.outcome == Case::kAtItsKey) {
      E2E_CHECK_MSG(
          WaitStored(kGameD3DKeyPrefix + c.name, kLevelOfDetailName, "4"),
          "MIPMapThreshold = \"4\" at the name's key");
    } else {
      Pause(300);
    }
    int inside = CountInside(
        before, fixture::TakeSnapshot(platform::kHkeyLocalMachine, kVendorKey));
    if (c.outcome == Case::kNowhere) E2E_CHECK_EQ(inside, 0);
  }
  SetStep("the whole registry after all names");
  CountInside(machineBefore,
              fixture::TakeSnapshot(platform::kHkeyLocalMachine));
  E2E_CHECK_MSG(
      fixture::Differences(userBefore,
                           fixture::TakeSnapshot(platform::kHkeyCurrentUser))
          .empty(),
      "nothing written to platform::kHkeyCurrentUser");
  CloseMain(program, main);
}

}  // namespace e2e
