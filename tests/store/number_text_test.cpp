// Number text: what a text reads as, and how an integer is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "store/registry.h"
#include "tests/store/number_corpus.h"

#ifndef _WIN32
#include "platform/emulated/emulated.h"
#endif

namespace {

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

std::string Shown(std::string_view text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      shown += hex;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return "\"" + shown + "\"";
}

TEST(NumberText, ReadsEveryCorpusTextAsExpected) {
  const platform::NumberFormat usual = Format(".", ",");
  for (const number_corpus::Entry& e : number_corpus::kEntries) {
    const NumberResult r = TextToLong(e.text, usual);
    EXPECT_EQ(r.error, e.error) << Shown(e.text);
    if (e.error == NumberError::kNone) {
      EXPECT_EQ(r.value, e.value) << Shown(e.text);
    }
  }
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
  for (const FormatCase& c : cases) {
    const NumberResult r = TextToLong(c.text, Format(c.decimal, c.thousands));
    EXPECT_EQ(r.error, c.error) << Shown(c.text) << " in " << Shown(c.decimal)
                                << "/" << Shown(c.thousands);
    if (c.error == NumberError::kNone) {
      EXPECT_EQ(r.value, c.value) << Shown(c.text);
    }
  }
}

TEST(NumberText, ANulEndsTheText) {
  using namespace std::string_literals;
  const NumberResult r = TextToLong(
      "12\0"
      "34"s,
      Format(".", ","));
  EXPECT_EQ(r.error, NumberError::kNone);
  EXPECT_EQ(r.value, 12);
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
    const NumberResult back = TextToLong(LongToText(c.value), Format(".", ","));
    EXPECT_EQ(back.error, NumberError::kNone);
    EXPECT_EQ(back.value, c.value);
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
