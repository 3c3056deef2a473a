// The settings store: reads, writes and deletes one named value in the
// registry (under a root named "HKCU", "HKLM", "HKU", "HKDD", "HKCC" or
// "HKCR", any case) or in an INI file (any other location: the path of an
// existing file). Every outcome is a store status; no exception ever leaves
// these functions, and no state is kept between calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace registry {

// A tagged value: a string, a 32-bit signed integer or a Boolean word
// (0 False, any other word True; True is written as -1).
class SettingValue {
 public:
  enum class Tag { kString, kInteger, kBoolean };

  SettingValue() : SettingValue(std::string()) {}
  SettingValue(std::string text) : tag_(Tag::kString), text_(std::move(text)) {}
  SettingValue(const char* text) : SettingValue(std::string(text)) {}
  SettingValue(std::int32_t number) : tag_(Tag::kInteger), integer_(number) {}
  static SettingValue Boolean(std::int16_t word) {
    SettingValue v;
    v.tag_ = Tag::kBoolean;
    v.integer_ = word;
    return v;
  }

  Tag tag() const { return tag_; }
  bool IsString() const { return tag_ == Tag::kString; }
  bool IsInteger() const { return tag_ == Tag::kInteger; }
  bool IsBoolean() const { return tag_ == Tag::kBoolean; }
  const std::string& text() const { return text_; }        // kString only
  std::int32_t integer() const { return integer_; }         // kInteger only
  std::int16_t word() const {                               // kBoolean only
    return static_cast<std::int16_t>(integer_);
  }

  friend bool operator==(const SettingValue& a, const SettingValue& b) {
    if (a.tag_ != b.tag_) return false;
    return a.tag_ == Tag::kString ? a.text_ == b.text_ : a.integer_ == b.integer_;
  }

 private:
  Tag tag_;
  std::string text_;
  std::int32_t integer_ = 0;
};

// ---- Number text ----

// How a text reads as a number.
enum class NumberError { kNone = 0, kOverflow = 6, kTypeMismatch = 13 };

struct NumberResult {
  NumberError error = NumberError::kNone;
  std::int32_t value = 0;
};

// Reads a text as a decimal number in the given number format, as the
// platform's own text-to-long conversion does: blanks around it, a sign,
// thousands separators, a decimal fraction rounded half to even. Not a
// number (empty text included): kTypeMismatch. Outside the 32-bit range:
// kOverflow.
NumberResult TextToLong(std::string_view text,
                        const platform::NumberFormat& format);
// The same in the user's number format.
NumberResult TextToLong(std::string_view text);

// An integer's decimal digits, "-" first when negative, no leading blank.
std::string LongToText(std::int32_t value);

// ---- Store ----

inline constexpr std::int32_t kStatusSuccess = 0;
inline constexpr std::int32_t kStatusUnresolved = 99;

// Root markers returned by ResolveStoreRoot besides the root handle values.
inline constexpr std::uint32_t kUnresolved = 0;
inline constexpr std::uint32_t kIniFile = 1;

// The root handle value for a root name (compared upper-cased, untrimmed);
// kIniFile for a location naming an existing ordinary file, or a pattern
// with "*" and "?" matching one; kUnresolved otherwise (the empty location
// included). An INI location acts on the file found: a relative one is made
// absolute against the current directory, a pattern acts on the match the
// search gives first (any one of them: the order is the file system's).
std::uint32_t ResolveStoreRoot(const std::string& location);

// Statuses: 0 success; 99 an unresolved location, or a call that stops
// before its first registry call (a kind the medium cannot take, a value
// with no form of its kind); otherwise the Win32 code of the registry call
// that failed (2 absent, 5 access denied, 234 data larger than the kind),
// or why an INI file could not be written (112 disk full, 5 access
// denied, ...), the file then left as it was.
//
// Conversions of a setting value: to text, an integer gives its decimal
// digits and a Boolean "True" or "False"; to a Boolean, a number (non-zero
// is True) or the text "True" / "False" in any case; to the 16-bit integer
// of kind "D", a number from -32768 to 32767, a fraction rounded half to
// even. Texts read as number text (TextToLong).

// Reads one value in the form of its kind ("S", "B", "D", any case) into
// result. Whenever no value is delivered, result holds the default. In the
// registry a kind other than S, B or D reads nothing and answers 99; in an
// INI file every kind but S reads an integer (0 when the key is missing).
std::int32_t ReadStoreValue(const std::string& location, const std::string& key,
                            const std::string& valueName,
                            const std::string& kind, SettingValue defaultValue,
                            SettingValue& result);

// Writes one value in the form of its kind, creating the key as needed.
// The value is converted before the registry is touched: when it has no
// form of its kind, or the kind is not S, B or D, nothing is created and
// the status is 99. An INI file takes kind S only.
std::int32_t WriteStoreValue(const std::string& location, const std::string& key,
                             const std::string& valueName,
                             const std::string& kind, SettingValue value);

// Removes one value; a value or key already absent counts as deleted. In
// an INI file the entry is removed, and an absent one is not added.
std::int32_t DeleteStoreValue(const std::string& location,
                              const std::string& key,
                              const std::string& valueName);

}  // namespace registry
