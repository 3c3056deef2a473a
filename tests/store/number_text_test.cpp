// Number text: what a text reads as, and how an integer is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "store/registry.h"
#include "tests/store/number_corpus.h"
#include "tests/support/show.h"

#ifndef _WIN32
#include "platform/emulated/emulated.h"
#endif

namespace {

using fixture::Quoted;
using registry::LongToText;
using registry::NumberError;
using registry::NumberResult;
using registry::TextToLong;

platform::NumberFormat Format(std::string decimal, std::string thousands) {
  platform::NumberFormat format;
  format.decimalSeparator = std::move(decimal);
  format.thousandsSeparator = std::move(thousands);
  return format;
}

// What text reads as in the format: the error, and the value when there is
// none.
void ExpectReads(std::string_view text, const platform::NumberFormat& format,
                 NumberError error, std::int32_t value) {
  SCOPED_TRACE(Quoted(text) + " in " + Quoted(format.decimalSeparator) + "/" +
               Quoted(format.thousandsSeparator));
  const NumberResult r = TextToLong(text, format);
  EXPECT_EQ(r.error, error);
  if (error == NumberError::kNone) {
    EXPECT_EQ(r.value, value);
  }
}

TEST(NumberText, ReadsEveryCorpusTextAsExpected) {
  for (const number_corpus::Entry& e : number_corpus::kEntries)
    ExpectReads(e.text, Format(".", ","), e.error, e.value);
}

struct FormatCase {
  const char* decimal;
  const char* thousands;
  std::string_view text;
  NumberError error;
  std::int32_t value;
};

TEST(NumberText, FollowsTheNumberFormat) {
  const FormatCase cases[] = {
      // Decimal comma, thousands point.
      {",", ".", "2,5", NumberError::kNone, 2},
      {",", ".", "3,5", NumberError::kNone, 4},
      {",", ".", "1.234,5", NumberError::kNone, 1234},
      {",", ".", "1.234,51", NumberError::kNone, 1235},
      {",", ".", "1,2,3", NumberError::kTypeMismatch, 0},
      {",", ".", ".5", NumberError::kTypeMismatch, 0},
      // A no-break space as thousands separator admits a plain blank too.
      {",", "\xa0",
       "1\xa0"
       "000",
       NumberError::kNone, 1000},
      {",", "\xa0", "1 000", NumberError::kNone, 1000},
      {",", " ", "1 000", NumberError::kNone, 1000},
      // A thousands separator equal to the decimal one is no separator.
      {".", ".", "1.5", NumberError::kNone, 2},
      {".", ".", "1.000.5", NumberError::kTypeMismatch, 0},
      // No thousands separator at all.
      {".", "", "1,000", NumberError::kTypeMismatch, 0},
      {".", "", "1000.5", NumberError::kNone, 1000},
      // An empty decimal separator stands for ".".
      {"", ",", "2.5", NumberError::kNone, 2},
  };
  for (const FormatCase& c : cases)
    ExpectReads(c.text, Format(c.decimal, c.thousands), c.error, c.value);
}

TEST(NumberText, ANulEndsTheText) {
  using namespace std::string_literals;
  ExpectReads(
      "12\0"
      "34"s,
      Format(".", ","), NumberError::kNone, 12);
}

TEST(NumberText, WritesDecimalDigitsWithALeadingMinusOnly) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {{0, "0"},
               {3, "3"},
               {175, "175"},
               {-2, "-2"},
               {INT32_MAX, "2147483647"},
               {INT32_MIN, "-2147483648"}};
  for (const auto& c : cases) {
    EXPECT_EQ(LongToText(c.value), c.text);
    ExpectReads(LongToText(c.value), Format(".", ","), NumberError::kNone,
                c.value);
  }
}

#ifndef _WIN32
// Where the user's number format comes from is the platform's business;
// only the emulated one lets a test choose it.
TEST(NumberText, ReadsInTheUsersNumberFormat) {
  platform::emulated::Reset();
  platform::emulated::SetNumberFormat(Format(",", "."));
  EXPECT_EQ(TextToLong("1.000,5").value, 1000);
  EXPECT_EQ(TextToLong("2.5").value, 25);
  platform::emulated::Reset();
  EXPECT_EQ(TextToLong("2.5").value, 2);
}
#endif

}  // namespace
