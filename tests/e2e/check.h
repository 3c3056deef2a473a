// The driver's own tiny checks: each check counts as passed or failed, a
// failure prints where and what, and the driver ends with "N passed, N
// failed" and a non-zero exit status when anything failed.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>

#include "tests/support/show.h"

namespace e2e {

struct Tally {
  int passed = 0, failed = 0;
};
Tally& tally();

// Records one check; returns ok so callers can skip dependent steps.
bool Record(bool ok, const char* file, int line, const std::string& what);

// A printable form of a value for failure messages, as the test suites
// print theirs (tests/support/show.h).
inline std::string Show(const std::string& value) {
  return fixture::Quoted(value);
}
inline std::string Show(const char* value) {
  return value ? Show(std::string(value)) : "(null)";
}
inline std::string Show(const std::optional<fixture::RawValue>& value) {
  return fixture::Shown(value);
}
inline std::string Show(std::integral auto value) {
  return std::to_string(static_cast<long long>(value));
}
inline std::string Show(bool value) { return value ? "true" : "false"; }

template <class A, class B>
bool RecordEq(const A& actual, const B& expected, const char* file, int line,
              const char* what) {
  bool ok = actual == expected;
  return Record(ok, file, line,
                ok ? std::string(what)
                   : std::string(what) + ": got " + Show(actual) + ", want " +
                         Show(expected));
}

// Context printed with every failure (the scenario step under way).
void SetStep(const std::string& step);

}  // namespace e2e

#define E2E_CHECK(cond) ::e2e::Record((cond), __FILE__, __LINE__, #cond)
#define E2E_CHECK_MSG(cond, msg) \
  ::e2e::Record((cond), __FILE__, __LINE__, (msg))
#define E2E_CHECK_EQ(actual, expected) \
  ::e2e::RecordEq((actual), (expected), __FILE__, __LINE__, #actual)
