// How the tests print the values they compare in failure messages, one form
// for every suite and for the end-to-end driver.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tests/support/registry_fixture.h"

namespace fixture {

// The text in double quotes; a quote, a backslash and every byte outside
// printable ASCII escaped ("\"", "\\", "\x0D").
std::string Quoted(std::string_view text);

// A registry value as its type and its bytes in hex ("1: 33 00" for the
// REG_SZ "3"), or "absent".
std::string Shown(const std::optional<RawValue>& value);

}  // namespace fixture
