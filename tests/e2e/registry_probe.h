// The driver's own access to the registry of the Wine prefix the program
// runs in: seed and clean the driver's keys, read values back as raw bytes,
// and snapshot a whole root to see what a run changed.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

inline constexpr const char* kKyroKey = "SOFTWARE\\PowerVR";
inline constexpr const char* kGlobalD3D =
    "SOFTWARE\\PowerVR\\KYRO\\Global\\D3D";
inline constexpr const char* kGameD3D =
    "SOFTWARE\\PowerVR\\KYRO\\Game Settings\\D3D\\";
inline constexpr const char* kPmxKern =
    "SOFTWARE\\PowerVR\\KYRO\\HWSettings\\PMXKERN";
inline constexpr const char* kLod = "MIPMapThreshold";
inline constexpr const char* kClock = "CorePLLFreq2";

// Removes a key with everything below it; true when it is gone.
bool DeleteTree(HKEY root, const std::string& path);
// Creates the key as needed and stores a REG_SZ (its NUL counted).
bool SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value);
// Creates the key (and every missing level above it).
bool CreateKey(HKEY root, const std::string& path);
// Sets a string value of HKLM with the size given, NUL or not.
bool SetRaw(HKEY root, const std::string& path, const std::string& name,
            DWORD type, const std::string& bytes);

struct StoredValue {
  bool present = false;
  DWORD type = 0;
  std::string bytes;  // exactly the stored bytes, NUL included if stored
};
StoredValue ReadValue(HKEY root, const std::string& path,
                      const std::string& name);
bool KeyExists(HKEY root, const std::string& path);
// Removes one value; the key stays.
void DeleteValue(HKEY root, const std::string& path, const std::string& name);

// Sets a REG_SZ for the object's life; afterwards the value is as it was:
// its type and bytes put back, or deleted when there was none.
class ValueOverride {
 public:
  ValueOverride(HKEY root, std::string path, std::string name,
                const std::string& text);
  ~ValueOverride();
  ValueOverride(const ValueOverride&) = delete;
  ValueOverride& operator=(const ValueOverride&) = delete;
  bool set() const { return set_; }

 private:
  HKEY root_;
  std::string path_, name_;
  StoredValue before_;
  bool set_;
};

// Every key and value below root: "path\\" for a key, "path\\:name" for a
// value, mapped to "type:bytes" ("" for keys).
using Snapshot = std::map<std::string, std::string>;
Snapshot TakeSnapshot(HKEY root, const std::string& path = "");
// Entries added, removed or changed between two snapshots.
std::vector<std::string> Differences(const Snapshot& before,
                                     const Snapshot& after);

}  // namespace e2e
