// Number text: the text form of a number that the windows and the store
// read and write. TextToLong accepts what the platform's own text-to-long
// conversion accepts (oleaut32's VarI4FromStr with the standard parse
// flags), so that a text reads as the same number wherever it is read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/registry.h"

namespace registry {
namespace {

// The number format gives no currency symbol; the platform's conversion
// falls back to this one when the locale has none.
constexpr std::string_view kCurrencySymbol = "$";
constexpr char kNoSeparator = '\0';
constexpr unsigned char kNoBreakSpace = 0xA0;  // in the ANSI code page
// Exponents are capped: beyond it every non-zero number overflows or
// rounds to 0 alike.
constexpr std::int64_t kExponentCap = 100000;

// The characters of one number format that the grammar looks at.
struct Symbols {
  char decimal = '.';
  char thousands = ',';
  char thousandsAlt =
      kNoSeparator;  // a blank, when thousands is a no-break space
  std::string_view currency = kCurrencySymbol;
};

Symbols SymbolsOf(const platform::NumberFormat& format) {
  Symbols s;
  if (!format.decimalSeparator.empty()) s.decimal = format.decimalSeparator[0];
  s.thousands = format.thousandsSeparator.empty()
                    ? kNoSeparator
                    : format.thousandsSeparator[0];
  // The decimal separator masks an equal thousands separator.
  if (s.thousands == s.decimal) s.thousands = kNoSeparator;
  if (static_cast<unsigned char>(s.thousands) == kNoBreakSpace)
    s.thousandsAlt = ' ';
  return s;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r' || static_cast<unsigned char>(c) == kNoBreakSpace;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexLetterValue(char c) {
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

enum class Base { kDecimal, kHex, kOctal };

// A number as the grammar reads it: digits × 10^power10 (decimal), or the
// digits in base 16 or 8.
struct Scanned {
  Base base = Base::kDecimal;
  bool negative = false;
  std::vector<std::uint8_t> digits;
  std::int64_t power10 = 0;
};

// Walks the text like the platform's parser: leading symbols (blanks, one
// "+", one "-", one currency symbol, one "("; a decimal separator ends
// them), "&H"/"&O" for hex and octal, digits with thousands separators, one
// decimal separator and one exponent, then trailing symbols (thousands
// separators, blanks, "+", "-", ")" after "(", currency symbols). Every
// character must be used. False: not a number.
class Scanner {
 public:
  Scanner(std::string_view text, const Symbols& symbols)
      : text_(text), symbols_(symbols) {}

  bool Scan(Scanned& out) {
    out = Scanned();
    if (!Lead(out)) return false;
    Prefix(out);
    SkipZeros(out, /*countsAsFraction=*/false);
    Body(out);
    if (inExponent_) return false;  // "1e", "1e-": exponent without digits
    if (out.digits.empty() && leadingZero_) out.digits.push_back(0);
    Trail(out);
    if (parens_ && !out.negative) return false;  // "(" never closed
    if (pos_ != text_.size()) return false;
    return !out.digits.empty();
  }

 private:
  char At() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  char Next() const { return pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0'; }
  bool AtThousands() const {
    const char c = At();
    return c != '\0' && (c == symbols_.thousands || c == symbols_.thousandsAlt);
  }
  bool AtCurrency() const {
    return !symbols_.currency.empty() &&
           text_.substr(pos_).starts_with(symbols_.currency);
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  void SkipZeros(Scanned& out, bool countsAsFraction) {
    while (At() == '0') {
      leadingZero_ = true;
      if (countsAsFraction) --out.power10;
      ++pos_;
    }
  }

  bool Lead(Scanned& out) {
    for (;;) {
      const char c = At();
      if (c == '\0') return true;
      if (c == symbols_.decimal) {
        decimal_ = true;
        ++pos_;
        SkipZeros(out, /*countsAsFraction=*/true);
        return true;
      }
      if (IsBlank(c)) {
        SkipBlanks();
      } else if (AtThousands()) {
        return false;  // no thousands separator before the first digit
      } else if (c == '+' && !leadingPlus_) {
        leadingPlus_ = true;
        ++pos_;
      } else if (c == '-' && !leadingMinus_) {
        leadingMinus_ = true;
        out.negative = true;
        ++pos_;
      } else if (!currency_ && AtCurrency()) {
        currency_ = true;
        pos_ += symbols_.currency.size();
      } else if (c == '(' && !parens_) {
        parens_ = true;
        ++pos_;
      } else {
        return true;
      }
    }
  }

  void Prefix(Scanned& out) {
    if (currency_ || decimal_ || At() != '&') return;
    const char n = Next();
    if (n == 'H' || n == 'h') {
      out.base = Base::kHex;
    } else if (n == 'O' || n == 'o') {
      out.base = Base::kOctal;
    } else {
      return;
    }
    pos_ += 2;
  }

  void Body(Scanned& out) {
    const bool hexOrOctal = out.base != Base::kDecimal;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (IsDigit(c)) {
        if (inExponent_) {
          ReadExponent(out);
          continue;
        }
        if (out.base == Base::kOctal && c > '7') return;
        if (decimal_) --out.power10;
        out.digits.push_back(static_cast<std::uint8_t>(c - '0'));
      } else if (!hexOrOctal && AtThousands()) {
        // Accepted anywhere after the first digit, even in the fraction.
      } else if (!hexOrOctal && !decimal_ && !exponent_ &&
                 c == symbols_.decimal) {
        decimal_ = true;
        if (out.digits.empty()) {
          ++pos_;
          SkipZeros(out, /*countsAsFraction=*/true);
          continue;
        }
      } else if (out.base == Base::kHex && HexLetterValue(c) >= 0) {
        out.digits.push_back(static_cast<std::uint8_t>(HexLetterValue(c)));
      } else if ((c == 'e' || c == 'E') && !hexOrOctal && !currency_ &&
                 !exponent_) {
        exponent_ = true;
        inExponent_ = true;
      } else if (inExponent_ && c == '+') {
      } else if (inExponent_ && c == '-') {
        negativeExponent_ = true;
      } else {
        return;
      }
      ++pos_;
    }
  }

  void ReadExponent(Scanned& out) {
    std::int64_t exponent = 0;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      if (exponent < kExponentCap)
        exponent = exponent * 10 + (text_[pos_] - '0');
      ++pos_;
    }
    out.power10 += negativeExponent_ ? -exponent : exponent;
    inExponent_ = false;
  }

  void Trail(Scanned& out) {
    const bool hexOrOctal = out.base != Base::kDecimal;
    for (;;) {
      const char c = At();
      if (c == '\0') return;
      if (AtThousands()) {
        if (hexOrOctal) return;
        ++pos_;
      } else if (IsBlank(c)) {
        SkipBlanks();
      } else if (c == '+' && !leadingPlus_) {
        ++pos_;
      } else if (c == '-' && !leadingMinus_) {
        out.negative = true;
        ++pos_;
      } else if (c == ')' && parens_) {
        out.negative = true;
        ++pos_;
      } else if (!hexOrOctal && AtCurrency()) {
        pos_ += symbols_.currency.size();
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  const Symbols& symbols_;
  std::size_t pos_ = 0;
  bool leadingPlus_ = false, leadingMinus_ = false, currency_ = false;
  bool parens_ = false, decimal_ = false, exponent_ = false;
  bool inExponent_ = false, negativeExponent_ = false, leadingZero_ = false;
};

// Hex and octal digits are the 32-bit pattern itself; any sign is ignored.
NumberResult FromBase(const Scanned& s) {
  const unsigned shift = s.base == Base::kHex ? 4 : 3;
  std::uint64_t pattern = 0;
  for (std::uint8_t d : s.digits) {
    pattern = (pattern << shift) | d;
    if (pattern > 0xFFFFFFFFu) return {NumberError::kOverflow, 0};
  }
  return {NumberError::kNone,
          static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern))};
}

// digits × 10^power10 rounded to the nearest integer, an exact half to the
// even neighbour.
NumberResult FromDecimal(const Scanned& s) {
  std::size_t first = 0, last = s.digits.size();
  while (first < last && s.digits[first] == 0) ++first;
  std::int64_t power10 = s.power10;
  while (last > first && s.digits[last - 1] == 0) {
    --last;
    ++power10;
  }
  if (first == last) return {NumberError::kNone, 0};

  const std::int64_t count = static_cast<std::int64_t>(last - first);
  const std::int64_t wholeDigits = count + power10;  // may be <= 0
  constexpr std::int64_t kMaxWholeDigits = 10;       // 2147483648 has 10
  if (wholeDigits > kMaxWholeDigits) return {NumberError::kOverflow, 0};

  std::uint64_t magnitude = 0;
  for (std::int64_t i = 0; i < wholeDigits; ++i) {
    magnitude = magnitude * 10 +
                (i < count ? s.digits[first + static_cast<std::size_t>(i)] : 0);
  }
  if (wholeDigits >= 0 && wholeDigits < count) {
    // The fraction's first digit decides; trailing zeros are gone, so any
    // digit after it makes the fraction more than a half.
    const std::uint8_t lead =
        s.digits[first + static_cast<std::size_t>(wholeDigits)];
    const bool more = wholeDigits + 1 < count;
    if (lead > 5 || (lead == 5 && (more || (magnitude & 1) != 0))) ++magnitude;
  }

  const bool negative = s.negative && magnitude != 0;
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  if (magnitude > limit) return {NumberError::kOverflow, 0};
  const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude)
                                      : static_cast<std::int64_t>(magnitude);
  return {NumberError::kNone, static_cast<std::int32_t>(value)};
}

}  // namespace

NumberResult TextToLong(std::string_view text,
                        const platform::NumberFormat& format) {
  // The platform reads a C string: a NUL ends the text.
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);

  const Symbols symbols = SymbolsOf(format);
  Scanned scanned;
  if (!Scanner(text, symbols).Scan(scanned)) {
    return {NumberError::kTypeMismatch, 0};
  }
  return scanned.base == Base::kDecimal ? FromDecimal(scanned)
                                        : FromBase(scanned);
}

NumberResult TextToLong(std::string_view text) {
  return TextToLong(text, platform::UserNumberFormat());
}

std::string LongToText(std::int32_t value) { return std::to_string(value); }

}  // namespace registry
