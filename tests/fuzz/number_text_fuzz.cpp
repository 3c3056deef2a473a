// The number text in any number format, odd ones included (empty, long,
// equal or digit separators, a no-break space): every text reads as a
// number or as one of the two errors, and a number read back from its own
// digits is the same number.
//
// Input, through FuzzedDataProvider: the decimal and the thousands
// separator, then the text (the rest, NULs included).
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "store/registry.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using registry::NumberError;
using registry::NumberResult;

std::string Describe(const std::string& text, const NumberResult& r) {
  return "\"" + text + "\" -> error " +
         std::to_string(static_cast<int>(r.error)) + ", value " +
         std::to_string(r.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  platform::NumberFormat format;
  format.decimalSeparator = input.ConsumeRandomLengthString();
  format.thousandsSeparator = input.ConsumeRandomLengthString();
  const std::string text = input.ConsumeRemainingBytesAsString();

  const NumberResult r = registry::TextToLong(text, format);
  FUZZ_CHECK(r.error == NumberError::kNone ||
                 r.error == NumberError::kOverflow ||
                 r.error == NumberError::kTypeMismatch,
             Describe(text, r));
  FUZZ_CHECK(r.error == NumberError::kNone || r.value == 0,
             "an error carries no value: " + Describe(text, r));

  // The text ends at its first NUL, as a C string does.
  const NumberResult cut = registry::TextToLong(text + '\0' + "9x", format);
  FUZZ_CHECK(cut.error == r.error && cut.value == r.value,
             "bytes after a NUL change the result: " + Describe(text, r));

  if (r.error == NumberError::kNone) {
    const std::string digits = registry::LongToText(r.value);
    const NumberResult back = registry::TextToLong(digits, {".", ","});
    FUZZ_CHECK(back.error == NumberError::kNone && back.value == r.value,
               "its digits read back otherwise: " + Describe(text, r) +
                   ", then " + Describe(digits, back));
  }
  return 0;
}
