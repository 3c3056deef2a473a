// Registry set-up and inspection for tests, on either backend: the emulated
// registry natively, the real one (Wine's or Windows') when cross-built.
// Every function works on a key path below a predefined root, in the
// registry's own path syntax ("Software\\MovarinTests\\Store"). No test
// framework is needed: the GoogleTest suites and the end-to-end driver
// share it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
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
// GoogleTest prints a RawValue as Shown() does (tests/support/show.h).
void PrintTo(const RawValue& value, std::ostream* out);

// Removes the key at keyPath with every key and value below it. Nothing
// happens when the key is absent. keyPath must not be empty: a root itself
// is never removed.
void DeleteTree(platform::Key root, const std::string& keyPath);

// Creates the key and every missing level above it; false when refused.
bool CreateKey(platform::Key root, const std::string& keyPath);

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

// Removes one value; the key stays.
void DeleteValue(platform::Key root, const std::string& keyPath,
                 const std::string& valueName);

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

// A REG_SZ value holding text and its NUL.
inline RawValue Sz(const std::string& text) {
  return {platform::kRegSz, SzBytes(text)};
}

// Sets a REG_SZ for the object's life; afterwards the value is as it was:
// its type and bytes put back, or removed when there was none.
class ValueOverride {
 public:
  ValueOverride(platform::Key root, std::string keyPath, std::string valueName,
                const std::string& text);
  ~ValueOverride();
  ValueOverride(const ValueOverride&) = delete;
  ValueOverride& operator=(const ValueOverride&) = delete;
  bool set() const { return set_; }

 private:
  platform::Key root_;
  std::string keyPath_, valueName_;
  std::optional<RawValue> before_;
  bool set_;
};

#ifdef _WIN32
// Every key and value below a key of the real registry: "path\\" for a key,
// "path\\:name" for a value, mapped to "type:bytes" ("" for keys).
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(platform::Key root, const std::string& keyPath = "");
// Entries added, removed or changed between two snapshots.
std::vector<std::string> Differences(const Snapshot& before,
                                     const Snapshot& after);
#endif

}  // namespace fixture
