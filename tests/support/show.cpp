#include "tests/support/show.h"

#include <cstdio>
#include <ostream>

namespace fixture {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Shown(const std::optional<RawValue>& value) {
  if (!value) return "absent";
  std::string out = std::to_string(value->type) + ":";
  for (const std::uint8_t byte : value->data) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    out += hex;
  }
  return out;
}

void PrintTo(const RawValue& value, std::ostream* out) { *out << Shown(value); }

}  // namespace fixture
