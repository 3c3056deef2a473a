// What every fuzz target shares: its entry point, a reader that cuts the
// fuzzer's bytes into the arguments of the calls it makes, a check that
// ends the run loudly, and a scratch directory for files (on tmpfs when
// there is one, so a write's fsync costs little).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

namespace fuzz {

// Reads an input front to back; past its end every byte is 0 and every
// field empty, so any input is a valid sequence of arguments.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // The bytes up to the next NUL (dropped) or the end.
  std::string Field();
  // Everything not read yet.
  std::string Rest();

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Prints what broke and aborts, so the fuzzer keeps the input and the
// replay test fails.
[[noreturn]] void Fail(const char* file, int line, const std::string& what);

// A directory of this process's own, made at the first call and removed
// with its files when the process ends.
const std::string& ScratchDirectory();

// Whether a profile line holds a section, key and text just as they are
// (so a write of them reads back the same): no control characters, no
// blank at either end, nothing empty, a key that does not read as a
// comment or a section and holds no '=', a text without a pair of quotes
// around it and of at most maxText characters.
bool HoldsPlainly(const std::string& section, const std::string& key,
                  const std::string& text, std::size_t maxText);

// Files are read and written whole with fixture::ReadFile and WriteFile.
using fixture::ReadFile;
using fixture::WriteFile;

}  // namespace fuzz

#define FUZZ_CHECK(cond, what) \
  ((cond) ? (void)0 : ::fuzz::Fail(__FILE__, __LINE__, (what)))
