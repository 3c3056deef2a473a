// Test hooks of the emulated backend: reset, seed, inspect, inject errors.
// Only tests include this; the store and the windows never do.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::emulated {

// Empties the registry (the six predefined roots stay), forgets injected
// errors, recorded shell calls and launches, and restores the number format
// "." / ",".
void Reset();

// Loads REGEDIT4 text ("REGEDIT4", [HKEY_...\key] sections, "name"="text",
// "name"=dword:0000001f, "name"=hex:..,  "name"=hex(N):.., @=, "name"=- and
// [-HKEY_...] deletions), storing the bytes as written. Returns false on a
// malformed file, which changes nothing.
bool LoadRegedit4(const std::string& text);
// The whole registry as REGEDIT4 text, keys and values in name order (a
// root only when it holds values); loading it gives the same registry back.
// A text holding a line end is written as hex(1) bytes. nullopt when a key
// or value name holds a line end, which the format cannot hold.
std::optional<std::string> DumpRegedit4();

// Raw access for assertions: nullopt when the key or value is absent.
struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};
std::optional<RawValue> GetRawValue(Key root, const std::string& keyPath,
                                    const std::string& valueName);
bool KeyExists(Key root, const std::string& keyPath);

// Removes a key with everything below it; false when it was absent. A root
// itself (an empty path) is never removed.
bool DeleteKeyTree(Key root, const std::string& keyPath);

// From now on, opening or creating this key (and any key below it) answers
// code, as a key the user may not touch would (e.g. 5, access denied).
void InjectKeyError(Key root, const std::string& keyPath, long code);

// The user's number format as UserNumberFormat() reports it.
void SetNumberFormat(const NumberFormat& format);

// Shell calls and program launches, in the order made.
struct ShellCall {
  std::uintptr_t parentWindow;
  std::string operation, file, parameters, directory;
  int showCommand;
};
const std::vector<ShellCall>& ShellCalls();
void SetShellResult(std::intptr_t result);  // default 42 (success)

// What WindowsDirectory() reports; "C:\WINDOWS" after Reset().
void SetWindowsDirectory(const std::string& directory);

struct Launch {
  std::string commandLine;
  int showCommand;
};
const std::vector<Launch>& Launches();
void SetLaunchResult(long code);  // default 0 (started)

}  // namespace platform::emulated
