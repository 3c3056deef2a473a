// TextToLong against the platform's own conversion, oleaut32's
// VarI4FromStr in the user's locale, on every corpus text.
#include <gtest/gtest.h>

// windows.h first: the other Windows headers build on it.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <array>
#include <string>
#include <vector>

#include "store/registry.h"
#include "tests/store/number_corpus.h"

namespace {

using registry::NumberError;

struct Platform {
  NumberError error;
  std::int32_t value;
  HRESULT raw;
};

Platform PlatformTextToLong(std::string_view text) {
  const std::string ansi(text);
  const int length =
      MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 1),
                            L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), length);
  LONG out = 0;
  const HRESULT hr = VarI4FromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &out);
  if (hr == S_OK)
    return {NumberError::kNone, static_cast<std::int32_t>(out), hr};
  if (hr == DISP_E_TYPEMISMATCH) return {NumberError::kTypeMismatch, 0, hr};
  if (hr == DISP_E_OVERFLOW) return {NumberError::kOverflow, 0, hr};
  return {NumberError::kNone, 0, hr};
}

TEST(NumberConformance, AgreesWithThePlatformOnEveryCorpusText) {
  // The corpus assumes the separators and currency symbol of en-US.
  char decimal[8] = {}, thousands[8] = {}, currency[8] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands,
                 sizeof thousands);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, currency,
                 sizeof currency);
  if (std::string(decimal) != "." || std::string(thousands) != "," ||
      std::string(currency) != "$") {
    GTEST_SKIP() << "the user's locale is not en-US";
  }

  int compared = 0;
  for (const number_corpus::Entry& e : number_corpus::kEntries) {
    if (e.wineRoundsWrongly) continue;
    const Platform expected = PlatformTextToLong(e.text);
    ASSERT_TRUE(expected.raw == S_OK || expected.raw == DISP_E_TYPEMISMATCH ||
                expected.raw == DISP_E_OVERFLOW)
        << "\"" << e.text << "\": 0x" << std::hex << expected.raw;
    const registry::NumberResult mine =
        registry::TextToLong(e.text);  // the user's format
    EXPECT_EQ(mine.error, expected.error) << "\"" << e.text << "\"";
    EXPECT_EQ(mine.value, expected.value) << "\"" << e.text << "\"";
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

// The user's decimal and thousands separators, the currency ones alike (as
// a real locale has them): set for a test, put back afterwards.
class UserSeparators {
 public:
  UserSeparators() {
    for (std::size_t i = 0; i < kTypes.size(); ++i)
      GetLocaleInfoA(LOCALE_USER_DEFAULT, kTypes[i], saved_[i], 8);
  }
  ~UserSeparators() {
    for (std::size_t i = 0; i < kTypes.size(); ++i)
      SetLocaleInfoA(LOCALE_USER_DEFAULT, kTypes[i], saved_[i]);
  }
  UserSeparators(const UserSeparators&) = delete;
  UserSeparators& operator=(const UserSeparators&) = delete;

  bool Set(const std::string& decimal, const std::string& thousands) {
    bool set = true;
    for (std::size_t i = 0; i < kTypes.size(); ++i) {
      set = SetLocaleInfoA(LOCALE_USER_DEFAULT, kTypes[i],
                           (i % 2 == 0 ? decimal : thousands).c_str()) &&
            set;
    }
    return set;
  }

 private:
  // Decimal, thousands, then the currency decimal and thousands.
  static constexpr std::array<LCTYPE, 4> kTypes = {
      LOCALE_SDECIMAL, LOCALE_STHOUSAND, LOCALE_SMONDECIMALSEP,
      LOCALE_SMONTHOUSANDSEP};
  char saved_[kTypes.size()][8] = {};
};

TEST(NumberConformance, AgreesWithThePlatformInOtherNumberFormats) {
  UserSeparators separators;
  for (const number_corpus::FormatEntry& e : number_corpus::kFormatEntries) {
    // A real locale has both separators, and two different ones (the
    // platform masks an equal thousands separator, not the currency one).
    if (e.decimal.empty() || e.thousands.empty() || e.decimal == e.thousands) {
      continue;
    }
    const platform::NumberFormat format{std::string(e.decimal),
                                        std::string(e.thousands)};
    ASSERT_TRUE(
        separators.Set(format.decimalSeparator, format.thousandsSeparator));
    const Platform expected = PlatformTextToLong(e.text);
    const registry::NumberResult mine = registry::TextToLong(e.text, format);
    EXPECT_EQ(mine.error, expected.error) << "\"" << e.text << "\"";
    EXPECT_EQ(mine.value, expected.value) << "\"" << e.text << "\"";
  }
}

}  // namespace
