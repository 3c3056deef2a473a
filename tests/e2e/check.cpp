#include "tests/e2e/check.h"

#include <cstdio>

namespace e2e {
namespace {
std::string g_step;
}

Tally& tally() {
  static Tally t;
  return t;
}

void SetStep(const std::string& step) {
  g_step = step;
  std::printf("-- %s\n", step.c_str());
  std::fflush(stdout);
}

bool Record(bool ok, const char* file, int line, const std::string& what) {
  if (ok) {
    ++tally().passed;
  } else {
    ++tally().failed;
    std::printf("FAILED %s:%d [%s] %s\n", file, line, g_step.c_str(),
                what.c_str());
    std::fflush(stdout);
  }
  return ok;
}

}  // namespace e2e
