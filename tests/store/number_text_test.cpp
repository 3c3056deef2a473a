// Number text: what a text reads as, and how an integer is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "store/registry.h"
#include "tests/store/number_corpus.h"

#ifndef _WIN32
#include "platform/emulated/emulated.h"
#endif

namespace {

using registry::NumberError;
using registry::NumberResult;
using registry::TextToLong;

// What text reads as in the format: the error, and the value when there is
// none.
void ExpectReads(std::string_view text, const platform::NumberFormat& format,
                 NumberError error, std::int32_t value) {
  SCOPED_TRACE(::testing::PrintToString(text) + " in " +
               ::testing::PrintToString(format.decimalSeparator) + "/" +
               ::testing::PrintToString(format.thousandsSeparator));
  const NumberResult r = TextToLong(text, format);
  EXPECT_EQ(r.error, error);
  if (error == NumberError::kNone) {
    EXPECT_EQ(r.value, value);
  }
}

TEST(NumberText, ReadsEveryCorpusTextAsExpected) {
  for (const number_corpus::Entry& e : number_corpus::kEntries)
    ExpectReads(e.text, {".", ","}, e.error, e.value);
}

TEST(NumberText, FollowsTheNumberFormat) {
  for (const number_corpus::FormatEntry& e : number_corpus::kFormatEntries) {
    ExpectReads(e.text, {std::string(e.decimal), std::string(e.thousands)},
                e.error, e.value);
  }
}

#ifndef _WIN32
// Where the user's number format comes from is the platform's business;
// only the emulated one lets a test choose it.
TEST(NumberText, ReadsInTheUsersNumberFormat) {
  platform::emulated::Reset();
  platform::emulated::SetNumberFormat({",", "."});
  EXPECT_EQ(TextToLong("1.000,5").value, 1000);
  EXPECT_EQ(TextToLong("2.5").value, 25);
  platform::emulated::Reset();
  EXPECT_EQ(TextToLong("2.5").value, 2);
}
#endif

}  // namespace
