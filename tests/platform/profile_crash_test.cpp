// An INI write killed at any moment leaves the old file or the new one,
// never a mix: a child process rewrites a file in a loop and is killed
// (SIGKILL) at random moments, and the file is read whole after each kill.
// The emulated profile functions only: the real ones are Windows' business.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "platform/platform.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ProfileCrashTest, AWriteKilledAtAnyMomentLeavesAWholeFile) {
  fixture::TempDir dir;
  const std::string file = dir.Join("settings.ini");
  // Long values, so that a rewrite takes a while and kills land inside it.
  const std::string texts[] = {std::string(64 * 1024, 'a'),
                               std::string(64 * 1024, 'b')};
  std::string versions[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(platform::WritePrivateProfileStringA("S", "K", texts[i].c_str(),
                                                     file.c_str()));
    versions[i] = dir.Read("settings.ini");
  }

  std::mt19937 random(11);  // the same moments on every run
  std::uniform_int_distribution<useconds_t> moment(0, 2000);
  int interrupted = 0;  // kills that left a temporary file: mid-write
  for (int round = 0; round < 200; ++round) {
    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
      for (int i = 0;; i ^= 1) {
        platform::WritePrivateProfileStringA("S", "K", texts[i].c_str(),
                                             file.c_str());
      }
    }
    usleep(moment(random));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = dir.Read("settings.ini");
    ASSERT_TRUE(now == versions[0] || now == versions[1])
        << "round " << round << ": " << now.size() << " bytes";
    for (const std::string& name : dir.Names()) {
      if (name == "settings.ini") continue;
      ++interrupted;
      std::remove(dir.Join(name).c_str());
    }
  }
  RecordProperty("InterruptedMidWrite", interrupted);
}

}  // namespace
