// movarin_e2e <scenario> <movarin.exe> <recorder.exe> <screenshot.bmp>
//
// Runs one end-to-end scenario against the real program in the current
// Wine prefix and ends with "N passed, N failed"; the exit status is 0 only
// when every check passed. MOVARIN_E2E_TIME_SCALE stretches every wait
// (tests/e2e/session.h).
#include <cstdio>
#include <cstring>

#include "tests/e2e/check.h"
#include "tests/e2e/scenarios.h"

namespace {

struct Entry {
  const char* name;
  void (*run)(const e2e::Options&);
};

constexpr Entry kScenarios[] = {
    {"main_window", e2e::MainWindowScenario},
    {"startup", e2e::StartupScenario},
    {"per_game", e2e::PerGameScenario},
    {"bad_names", e2e::BadNamesScenario},
    {"about", e2e::AboutScenario},
    {"apply_errors", e2e::ApplyErrorsScenario},
    {"reopen", e2e::ReopenScenario},
    {"endurance", e2e::EnduranceScenario},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: movarin_e2e <scenario> <movarin.exe> <recorder.exe> "
                 "<screenshot.bmp>\n");
    return 2;
  }
  if (!e2e::ReadTimeScale()) return 2;
  e2e::Options options{argv[2], argv[3], argv[4]};
  for (const Entry& entry : kScenarios) {
    if (std::strcmp(entry.name, argv[1]) != 0) continue;
    {
      e2e::WineDrawsFrames frames;
      entry.run(options);
    }
    e2e::CleanDriverKeys();
    const e2e::Tally& t = e2e::tally();
    std::printf("%d passed, %d failed\n", t.passed, t.failed);
    return t.failed == 0 && t.passed > 0 ? 0 : 1;
  }
  std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
  return 2;
}
