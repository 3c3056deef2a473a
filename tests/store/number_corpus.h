// Texts and the numbers they read as, in the number format "." / "," with
// "$" as the currency symbol (Wine's en-US defaults). The native test checks
// TextToLong against the expectations; the conformance test checks it
// against the platform's own conversion, entry by entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "store/registry.h"

namespace number_corpus {

using registry::NumberError;

struct Entry {
  std::string_view text;
  NumberError error;
  std::int32_t value;
  // Wine rounds a number below 0.1 by its first significant digit as if it
  // were the tenths ("0.06" gives 1); the conversion rounds the number
  // itself. The conformance test skips these.
  bool wineRoundsWrongly = false;
};

inline constexpr NumberError kOk = NumberError::kNone;
inline constexpr NumberError kMismatch = NumberError::kTypeMismatch;
inline constexpr NumberError kOverflow = NumberError::kOverflow;

inline constexpr Entry kEntries[] = {
    // Plain digits, leading zeros, blanks.
    {"0", kOk, 0},
    {"5", kOk, 5},
    {"05", kOk, 5},
    {"-0", kOk, 0},
    {"00000000000000000000000000000000000000012", kOk, 12},
    {" 7 ", kOk, 7},
    {"\t7\t", kOk, 7},
    {"\r5\n", kOk, 5},
    {"\v5\f", kOk, 5},
    {"\xa0"
     "5",
     kOk, 5},  // no-break space
    {"5\xa0", kOk, 5},
    {"\x1c"
     "5",
     kMismatch, 0},
    {"5\x1f", kMismatch, 0},
    {"  -  12  ", kOk, -12},
    // A NUL ends the text: "12", NUL (\000), "34".
    {std::string_view("12\00034", 5), kOk, 12},
    // Signs and parentheses, leading and trailing.
    {"+5", kOk, 5},
    {"-5", kOk, -5},
    {"5-", kOk, -5},
    {"5+", kOk, 5},
    {"5--", kOk, -5},
    {"5++", kOk, 5},
    {"+5+", kMismatch, 0},
    {"-5-", kMismatch, 0},
    {"+5-", kOk, -5},
    {"-5+", kOk, -5},
    {"+-5", kOk, -5},
    {"-+5", kOk, -5},
    {"--5", kMismatch, 0},
    {"- 5", kOk, -5},
    {"5 -", kOk, -5},
    {"(5)", kOk, -5},
    {"( 5 )", kOk, -5},
    {"(-5)", kOk, -5},
    {"(-5", kOk, -5},
    {"-(5", kOk, -5},
    {"(5-)", kOk, -5},
    {"(5))", kOk, -5},
    {"(5", kMismatch, 0},
    {"5)", kMismatch, 0},
    {"()", kMismatch, 0},
    {"+", kMismatch, 0},
    {"-", kMismatch, 0},
    // Thousands separators: anywhere after the first digit.
    {"1,000", kOk, 1000},
    {"1,2", kOk, 12},
    {"1,,2", kOk, 12},
    {"1,", kOk, 1},
    {"0,5", kOk, 5},
    {"0,06", kOk, 6},
    {"1.2,3", kOk, 1},
    {"1,000.5", kOk, 1000},
    {",5", kMismatch, 0},
    {"-,5", kMismatch, 0},
    {"1 000", kMismatch, 0},
    {"1,000,000,000,000", kOverflow, 0},
    // Decimal fractions: half to even.
    {"2.5", kOk, 2},
    {"3.5", kOk, 4},
    {"-2.5", kOk, -2},
    {"-3.5", kOk, -4},
    {"0.5", kOk, 0},
    {"-0.5", kOk, 0},
    {"0.5000000000000000000001", kOk, 1},
    {"1.06", kOk, 1},
    {"0.05", kOk, 0},
    {"0,0.06", kOk, 0},
    {"0.06", kOk, 0, true},
    {"0.051", kOk, 0, true},
    {".06", kOk, 0, true},
    {"6e-2", kOk, 0, true},
    {"0.0000000000000000000000000000000000000006", kOk, 0, true},
    {".", kMismatch, 0},
    {"0.", kOk, 0},
    {"5.", kOk, 5},
    {".0", kOk, 0},
    {"-.5", kOk, 0},
    {"-.6", kOk, -1},
    {"1.2.3", kMismatch, 0},
    // The 32-bit limits, and halves around them.
    {"2147483647", kOk, 2147483647},
    {"2147483648", kOverflow, 0},
    {"-2147483648", kOk, INT32_MIN},
    {"-2147483649", kOverflow, 0},
    {"2147483647.5", kOverflow, 0},
    {"2147483646.5", kOk, 2147483646},
    {"-2147483648.5", kOk, INT32_MIN},
    {"-2147483647.5", kOk, INT32_MIN},
    {"1073741823.5", kOk, 1073741824},
    {"1073741824.5", kOk, 1073741824},
    {"-1073741824.5", kOk, -1073741824},
    {"99999999999999999999999", kOverflow, 0},
    // Exponents.
    {"1e3", kOk, 1000},
    {"1E3", kOk, 1000},
    {"1e-1", kOk, 0},
    {"2.5e1", kOk, 25},
    {"1.5e0", kOk, 2},
    {"1e5-", kOk, -100000},
    {"1e3,5", kOk, 15000},
    {"1e1,0", kOk, 100},
    {"1e,5", kOk, 100000},  // a thousands separator even there
    {"1e+-5", kOk, 0},      // any signs in the exponent, the last "-" counts
    {"1e-+5", kOk, 0},
    {"1.e5", kOk, 100000},
    {"1e.5", kMismatch, 0},
    {"1e10", kOverflow, 0},
    {"10000000000e-1", kOk, 1000000000},
    {"21474836475e-1", kOverflow, 0},
    {"-21474836485e-1", kOk, INT32_MIN},
    {"214748364.75e1", kOverflow, 0},
    {"0e99999", kOk, 0},
    {"1e-99999", kOk, 0},
    {"1e", kMismatch, 0},
    {"1e+", kMismatch, 0},
    {"1e-", kMismatch, 0},
    {"1.5e", kMismatch, 0},
    {"e5", kMismatch, 0},
    {".e5", kMismatch, 0},
    // Hex and octal: the 32-bit pattern, any sign ignored.
    {"&H10", kOk, 16},
    {"&h1f", kOk, 31},
    {"&H1e2", kOk, 482},
    {"&HFFFFFFFF", kOk, -1},
    {"&HF ", kOk, 15},
    {"&H7FFFFFFF", kOk, 2147483647},
    {"&H80000000", kOk, INT32_MIN},
    {"&H100000000", kOverflow, 0},
    {"&H0", kOk, 0},
    {"-&H10", kOk, 16},
    {"+&H10", kOk, 16},
    {"(&H10)", kOk, 16},
    {"&H10-", kOk, 16},
    {"&O17", kOk, 15},
    {" &O7 ", kOk, 7},
    {"&O37777777777", kOk, -1},
    {"&O40000000000", kOverflow, 0},
    {"&H", kMismatch, 0},
    {"&O", kMismatch, 0},
    {"&O8", kMismatch, 0},
    {"&H1,0", kMismatch, 0},
    {"&H1.0", kMismatch, 0},
    {"&HG", kMismatch, 0},
    {"&H 10", kMismatch, 0},
    {"&H-1", kMismatch, 0},
    // Currency symbol, once before and any number of times after.
    {"$5", kOk, 5},
    {"5$", kOk, 5},
    {"5 $", kOk, 5},
    {"$-5", kOk, -5},
    {"-$5", kOk, -5},
    {"5$-", kOk, -5},
    {"$(5)", kOk, -5},
    {"($5)", kOk, -5},
    {"5$$", kOk, 5},
    {"1e3$", kOk, 1000},
    {"$$5", kMismatch, 0},
    {"$1e3", kMismatch, 0},
    {"$&H10", kMismatch, 0},
    // Not numbers.
    {"", kMismatch, 0},
    {" ", kMismatch, 0},
    {"x", kMismatch, 0},
    {"abc", kMismatch, 0},
    {"12abc", kMismatch, 0},
    {"0x10", kMismatch, 0},
    {"True", kMismatch, 0},
};

// Texts read in other number formats: decimal and thousands separator. The
// conformance test sets the locale's separators (and the currency ones
// alike, as a real locale has them) to each format.
struct FormatEntry {
  std::string_view decimal;
  std::string_view thousands;
  std::string_view text;
  NumberError error;
  std::int32_t value;
};

inline constexpr FormatEntry kFormatEntries[] = {
    // Decimal comma, thousands point.
    {",", ".", "2,5", kOk, 2},
    {",", ".", "1.234,5", kOk, 1234},
    {",", ".", "1.234,51", kOk, 1235},
    {",", ".", "1,2,3", kMismatch, 0},
    {",", ".", ".5", kMismatch, 0},
    {",", ".", "&HF ", kOk, 15},
    // A no-break space as thousands separator admits a plain blank too.
    {",", "\xa0",
     "1\xa0"
     "000",
     kOk, 1000},
    {",", "\xa0", "1 000", kOk, 1000},
    {",", " ", "1 000", kOk, 1000},
    // ... so a blank after hex or octal digits is a thousands separator
    // there, which hex and octal do not take; other blanks still end them.
    {",", "\xa0", "&HF ", kMismatch, 0},
    {",", "\xa0", "&HF\xa0", kMismatch, 0},
    {",", "\xa0", "&O7 ", kMismatch, 0},
    {",", "\xa0", "&HF\t", kOk, 15},
    {",", " ", "&HF\xa0", kOk, 15},
    {",", " ", "&HF ", kMismatch, 0},
    {",", "\xa0", "1e,5", kMismatch, 0},  // no decimal separator there
    {",", "\xa0", "1,e5", kOk, 100000},
    {",", "\xa0", "1e5,", kMismatch, 0},
    // A thousands separator equal to the decimal one is no separator.
    {".", ".", "1.5", kOk, 2},
    {".", ".", "1.000.5", kMismatch, 0},
    // No thousands separator at all.
    {".", "", "1,000", kMismatch, 0},
    {".", "", "1000.5", kOk, 1000},
    // An empty decimal separator stands for ".".
    {"", ",", "2.5", kOk, 2},
};

}  // namespace number_corpus
