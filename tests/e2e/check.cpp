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

std::string Show(const std::string& value) {
  std::string out = "\"";
  for (unsigned char c : value) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Show(const char* value) {
  return value ? Show(std::string(value)) : "(null)";
}

std::string Show(long long value) { return std::to_string(value); }

}  // namespace e2e
