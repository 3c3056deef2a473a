#include "tests/support/show.h"

#include <cstdio>
#include <ostream>

namespace fixture {

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
