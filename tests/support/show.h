// How the tests print the registry values they compare in failure
// messages, one form for every suite and the end-to-end scenarios.
#pragma once

#include <optional>
#include <string>

#include "tests/support/registry_fixture.h"

namespace fixture {

// A registry value as its type and its bytes in hex ("1: 33 00" for the
// REG_SZ "3"), or "absent".
std::string Shown(const std::optional<RawValue>& value);

}  // namespace fixture
