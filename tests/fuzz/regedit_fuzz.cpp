// The REGEDIT4 loader on any text, over a registry that already holds
// keys and values: a file that does not load changes nothing, and one that
// loads dumps to a text that loads back to the same dump.
//
// Input: the file's text.
#include <optional>
#include <string>

#include "platform/emulated/emulated.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using platform::emulated::DumpRegedit4;
using platform::emulated::LoadRegedit4;
using platform::emulated::Reset;

constexpr char kExisting[] =
    "REGEDIT4\n"
    "[HKEY_CURRENT_USER\\Software\\A]\n"
    "\"s\"=\"text\"\n"
    "\"d\"=dword:0000001f\n"
    "@=hex:01,02\n"
    "[HKEY_LOCAL_MACHINE\\System\\B\\C]\n"
    "\"x\"=hex(7):61,00,00\n";

}  // namespace

namespace {

void Check(const std::string& text) {
  FUZZ_CHECK(LoadRegedit4(kExisting), "the existing keys load");
  const std::optional<std::string> before = DumpRegedit4();
  FUZZ_CHECK(before.has_value(), "the existing keys dump");

  if (!LoadRegedit4(text)) {
    FUZZ_CHECK(DumpRegedit4() == before,
               "a file that does not load changes nothing");
    return;
  }
  // A name with a line end (a carriage return inside a line) has no
  // REGEDIT4 form; the dump says so instead of writing one.
  const std::optional<std::string> dump = DumpRegedit4();
  if (!dump) return;
  Reset();
  FUZZ_CHECK(LoadRegedit4(*dump), "a dump loads:\n" + *dump);
  FUZZ_CHECK(DumpRegedit4() == dump,
             "a dump loads to the same dump:\n" + *dump);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  Reset();
  Check(std::string(reinterpret_cast<const char*>(data), size));
  // Everything allocated is freed again, so the fuzzer sees no leak.
  Reset();
  return 0;
}
