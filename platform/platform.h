// The operating-system calls Movarin makes, behind one narrow interface.
//
// Two backends implement every function declared here: platform/win32 calls
// the real Win32 functions (ANSI "A" variants, nothing added), and
// platform/emulated replaces them where Windows is absent. The build links
// exactly one of them. Signatures mirror the Win32 functions so that the
// callers read like Win32 code; types are fixed-width so that this header
// needs no <windows.h>.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A registry key handle: a predefined root value or whatever an open or
// create returned. Wide enough for an HKEY on every Windows target.
using Key = std::uintptr_t;

inline constexpr Key kHkeyClassesRoot = 0x80000000u;
inline constexpr Key kHkeyCurrentUser = 0x80000001u;
inline constexpr Key kHkeyLocalMachine = 0x80000002u;
inline constexpr Key kHkeyUsers = 0x80000003u;
inline constexpr Key kHkeyCurrentConfig = 0x80000005u;
inline constexpr Key kHkeyDynData = 0x80000006u;

// Win32 error codes the callers look at.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorWriteFault = 29;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorDiskFull = 112;
inline constexpr long kErrorBadPathname = 161;
inline constexpr long kErrorMoreData = 234;

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;

// Mirrors SECURITY_ATTRIBUTES (length, descriptor, inheritable).
struct SecurityAttributes {
  std::uint32_t length = 0;
  void* securityDescriptor = nullptr;
  std::int32_t inheritHandle = 0;
};

// ---- Registry (advapi32). Every result is a Win32 error code. ----
//
// A key path of more than 260 characters is refused with 234.

// 0 and an open key in *result; 2 when the key is absent. Never creates.
long RegOpenKeyExA(Key root, const char* subKey, std::uint32_t options,
                   std::uint32_t access, Key* result);

// 0 and an open key, the key and every missing level above it created.
long RegCreateKeyExA(Key root, const char* subKey, std::uint32_t reserved,
                     const char* keyClass, std::uint32_t options,
                     std::uint32_t access, const SecurityAttributes* security,
                     Key* result, std::uint32_t* disposition);

// 0 with *size = bytes delivered when the data fit; 234 with *size = bytes
// needed when it does not (the buffer is then untouched); 2 when the value
// is absent (*size then 0 when no buffer was given). type may be null.
long RegQueryValueExA(Key key, const char* valueName, std::uint32_t* reserved,
                      std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* size);

// 0 when stored, replacing any earlier value of that name whatever its type.
// A text type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) whose last counted byte
// is not NUL while the byte after it is gets that NUL stored too.
long RegSetValueExA(Key key, const char* valueName, std::uint32_t reserved,
                    std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size);

// 0 when removed; 2 when the value is absent.
long RegDeleteValueA(Key key, const char* valueName);

long RegCloseKey(Key key);

// ---- Profile (INI) files (kernel32). ----

// Characters placed in buffer, without the NUL; the default text when the
// section or key is absent.
std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* buffer,
                                       std::uint32_t size,
                                       const char* fileName);

std::uint32_t GetPrivateProfileIntA(const char* section, const char* key,
                                    std::int32_t defaultValue,
                                    const char* fileName);

// A null text removes the key, a null key removes the section. False when
// the file could not be written, which leaves the old one as it was;
// GetLastError() then tells why.
bool WritePrivateProfileStringA(const char* section, const char* key,
                                const char* text, const char* fileName);

// The code of the last failure on this thread, as kernel32 keeps it.
std::uint32_t GetLastError();

// ---- File search. ----

struct FileSearch {
  enum class Outcome { kFound, kNoMatch, kFailed };
  Outcome outcome = Outcome::kNoMatch;
  std::string name;  // the match's file name (no directory) when found
};

// An ordinary file (no directory, hidden or system file) matching a name or
// a pattern with "*" and "?" in its last component: of several, the first in
// the file system's order, which callers must not count on. A leading dot is
// part of a name.
FileSearch FindFirstFile(const std::string& pattern);

// An absolute form of a path, made against the current directory.
std::string FullPathName(const std::string& path);

// ---- The user's number format. ----

struct NumberFormat {
  std::string decimalSeparator = ".";
  std::string thousandsSeparator = ",";
};
NumberFormat UserNumberFormat();

// ---- Shell and program launch. ----

// ShellExecuteA(parent, operation, file, parameters, directory, show);
// returns its result (> 32 on success).
std::intptr_t ShellExecuteA(std::uintptr_t parentWindow, const char* operation,
                            const char* file, const char* parameters,
                            const char* directory, int showCommand);

// GetWindowsDirectoryA: the directory Windows is installed in ("C:\WINDOWS"
// on a standard installation), without a trailing backslash unless it is a
// drive's root; empty when the system gives none.
std::string WindowsDirectory();

// Starts a command line as a separate program with a window state
// (SW_* value) and does not wait. 0 on success, else a Win32 error code.
long StartProgram(const std::string& commandLine, int showCommand);

}  // namespace platform
