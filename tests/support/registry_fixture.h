// Registry set-up and inspection for tests, on either backend: the emulated
// registry natively, the real one (Wine's or Windows') when cross-built.
// Every function works on a key path below a predefined root, in the
// registry's own path syntax ("Software\\MovarinTests\\Store").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fixture {

struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;

  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// Removes the key at keyPath with every key and value below it. Nothing
// happens when the key is absent. keyPath must not be empty: a root itself
// is never cleared.
void ClearScratch(platform::Key root, const std::string& keyPath);

// Stores a value of any type with exactly these bytes, creating the key and
// every missing level above it. Returns false when the registry refused.
bool SeedRaw(platform::Key root, const std::string& keyPath,
             const std::string& valueName, std::uint32_t type,
             const std::vector<std::uint8_t>& data);

// A REG_SZ value holding text and one NUL byte.
bool SeedString(platform::Key root, const std::string& keyPath,
                const std::string& valueName, const std::string& text);

// A REG_DWORD value, little-endian.
bool SeedDword(platform::Key root, const std::string& keyPath,
               const std::string& valueName, std::uint32_t value);

// The stored type and bytes; nullopt when the key or the value is absent.
std::optional<RawValue> ReadRaw(platform::Key root, const std::string& keyPath,
                                const std::string& valueName);

bool KeyExists(platform::Key root, const std::string& keyPath);

// Makes every open or create of keyPath (and of keys below it) answer 5,
// access denied. Returns false where the backend cannot do that: Wine's
// registry has no per-key access control, so the real backend answers
// false and the caller skips its test.
bool DenyAccess(platform::Key root, const std::string& keyPath);

// Applies REGEDIT4 text (the format regedit exports) to the registry: the
// emulated loader natively, the system's own "regedit /s" on Windows and
// under Wine. Returns false when the text or the import was refused.
bool ImportRegedit4(const std::string& text);

// The bytes of a text followed by one NUL, as REG_SZ stores it.
std::vector<std::uint8_t> SzBytes(const std::string& text);

}  // namespace fixture
