// A long session: 10,000 Applies in a row with the clock unchanged (so no
// question comes) and 200 About openings, after which the program still
// answers, the driver's values are as applied, and its private bytes grew
// by no more than 256 KiB. Handle and GDI counts would tell more, but Wine
// answers 0 for them, so memory is what is watched.
#include <windows.h>
// After <windows.h>, which it needs.
#include <psapi.h>

#include <cstdio>

#include "tests/e2e/scenarios.h"

namespace e2e {
namespace {

constexpr int kApplies = 10000;
constexpr int kAboutOpenings = 200;
// Before the first measure: the heap and the caches a first Apply or About
// fills are not growth.
constexpr int kWarmUpApplies = 100;
constexpr int kWarmUpAboutOpenings = 3;
constexpr SIZE_T kAllowedGrowth = 256 * 1024;
// An Apply with no question returns at once; this only catches a stall.
constexpr int kApplyTimeoutMs = 5000;
// Generous: reopening About has been slow under Wine.
constexpr int kAboutTimeoutMs = 15000;

// The commit charge (private bytes). Windows gives it as PagefileUsage and
// again as PrivateUsage; Wine fills only the first (with the resident
// anonymous memory).
SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return counters.PagefileUsage;
}

// Presses Apply n times. Each press is sent, not posted, so it returns when
// the click's handler has run; a handler that asks a question would not
// return, and the press fails. The count of presses that returned.
int Apply(const MainWindow& main, int n) {
  for (int i = 0; i < n; ++i) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(main.apply, BM_CLICK, 0, 0, SMTO_NORMAL,
                             Scaled(kApplyTimeoutMs), &result))
      return i;
  }
  return n;
}

double SecondsSince(DWORD start) { return (GetTickCount() - start) / 1000.0; }

}  // namespace

TEST_F(Scenario, Endurance) {
  SetStep("start");
  SeedDriverValues("5", "190");
  RunningProgram program;
  MainWindow main;
  if (!StartMain(program, options, main)) return;
  // "Apply this to all Direct3D games": each Apply stores the level of
  // detail as well as the clock.
  if (!EXPECTED(Select(main.option2), "all games selected")) return;

  SetStep("warm-up");
  EXPECT_EQ(Apply(main, kWarmUpApplies), kWarmUpApplies);
  EXPECT_EQ(OpenAndClose(program, main, main.about, IsAbout, "OK !",
                         kWarmUpAboutOpenings, kAboutTimeoutMs),
            kWarmUpAboutOpenings);
  const SIZE_T before = PrivateBytes(program.process());
  EXPECT_TRUE(before > 0) << "the program's private bytes can be read";

  SetStep("10,000 Applies");
  DWORD start = GetTickCount();
  EXPECT_EQ(Apply(main, kApplies), kApplies);
  std::printf("%d Applies: %.1f s\n", kApplies, SecondsSince(start));
  EXPECT_TRUE(!WaitForMessageBox(program.pid(), kAppTitle, 0))
      << "no question was asked";

  SetStep("200 About openings");
  start = GetTickCount();
  EXPECT_EQ(OpenAndClose(program, main, main.about, IsAbout, "OK !",
                         kAboutOpenings, kAboutTimeoutMs),
            kAboutOpenings);
  std::printf("%d About openings: %.1f s\n", kAboutOpenings,
              SecondsSince(start));

  SetStep("after");
  const SIZE_T after = PrivateBytes(program.process());
  std::printf("private bytes: %lu KiB before, %lu KiB after\n",
              static_cast<unsigned long>(before / 1024),
              static_cast<unsigned long>(after / 1024));
  EXPECT_TRUE(after <= before + kAllowedGrowth)
      << "private bytes grew by " +
             std::to_string((static_cast<long long>(after) -
                             static_cast<long long>(before)) /
                            1024) +
             " KiB (256 allowed)";
  EXPECT_EQ(Stored(kGlobalD3DKey, kLevelOfDetailName), Sz("5"));
  EXPECT_EQ(Stored(kClockKey, kClockName), Sz("190"));
  EXPECT_TRUE(Alive(program, main)) << "the program still answers";
  CloseMain(program, main);
}

}  // namespace e2e
