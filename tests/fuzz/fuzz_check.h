// What every fuzz target shares besides LLVM's FuzzedDataProvider, which
// cuts the fuzzer's bytes into the arguments of the calls it makes: its
// entry point, a check that ends the run loudly, and a scratch directory
// for files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

namespace fuzz {

// Prints what broke and aborts, so the fuzzer keeps the input and the
// replay test fails.
[[noreturn]] inline void Fail(const char* file, int line,
                              const std::string& what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line,
               what.c_str());
  std::abort();
}

// A directory of this process's own, made at the first call and removed
// with its files when the process ends.
inline const fixture::TempDir& ScratchDirectory() {
  static const fixture::TempDir dir;
  return dir;
}

// Whether a profile line holds a section, key and text just as they are
// (so a write of them reads back the same): no control characters, no
// blank at either end, nothing empty, a key that does not read as a
// comment or a section and holds no '=', a text without a pair of quotes
// around it and of at most maxText characters.
inline bool HoldsPlainly(const std::string& section, const std::string& key,
                         const std::string& text, std::size_t maxText) {
  const auto plain = [](const std::string& s) {
    const auto blank = [](char c) {
      return c == ' ' || (c >= '\t' && c <= '\r');
    };
    if (s.empty() || blank(s.front()) || blank(s.back())) return false;
    for (unsigned char c : s)
      if (c < 0x20 || c == 0x7f) return false;
    return true;
  };
  const bool quoted = text.size() >= 2 &&
                      (text.front() == '"' || text.front() == '\'') &&
                      text.back() == text.front();
  return plain(section) && plain(key) && plain(text) &&
         text.size() <= maxText && !quoted &&
         key.find('=') == std::string::npos && key.front() != ';' &&
         key.front() != '[';
}

}  // namespace fuzz

#define FUZZ_CHECK(cond, what) \
  ((cond) ? (void)0 : ::fuzz::Fail(__FILE__, __LINE__, (what)))
