// Program launch through the real CreateProcessA. The emulated backend
// records launches instead (emulated_test.cpp), so this runs on Windows and
// under Wine only.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

#ifdef _WIN32
constexpr int kShowHidden = 0;  // SW_HIDE

TEST(StartProgramTest, AnswersZeroWhenStartedAndTheErrorOtherwise) {
  EXPECT_EQ(0, platform::StartProgram("cmd.exe /c exit 3", kShowHidden))
      << "the program's own exit code is never waited for";
  EXPECT_EQ(
      2, platform::StartProgram("movarin-no-such-program.exe /x", kShowHidden));
}
#endif

}  // namespace
