// The platform over the real Win32 functions, ANSI "A" variants, nothing
// added. Only functions that Windows 98 SE exports are imported.
#include <windows.h>
// <shellapi.h> needs <windows.h> first.
#include <shellapi.h>
// <windows.h> maps FindFirstFile to FindFirstFileA; ours is a different
// function.
#undef FindFirstFile

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

namespace {

HKEY AsHkey(Key key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long RegOpenKeyExA(Key root, const char* subKey, std::uint32_t options,
                   std::uint32_t access, Key* result) {
  HKEY key = nullptr;
  const LONG code =
      ::RegOpenKeyExA(AsHkey(root), subKey, options, access, &key);
  if (code == ERROR_SUCCESS && result != nullptr) {
    *result = reinterpret_cast<Key>(key);
  }
  return code;
}

long RegCreateKeyExA(Key root, const char* subKey, std::uint32_t reserved,
                     const char* keyClass, std::uint32_t options,
                     std::uint32_t access, const SecurityAttributes* security,
                     Key* result, std::uint32_t* disposition) {
  SECURITY_ATTRIBUTES attributes{};
  if (security != nullptr) {
    attributes.nLength = security->length;
    attributes.lpSecurityDescriptor = security->securityDescriptor;
    attributes.bInheritHandle = security->inheritHandle;
  }
  HKEY key = nullptr;
  DWORD created = 0;
  const LONG code = ::RegCreateKeyExA(
      AsHkey(root), subKey, reserved, const_cast<char*>(keyClass), options,
      access, security != nullptr ? &attributes : nullptr, &key, &created);
  if (code == ERROR_SUCCESS) {
    if (result != nullptr) *result = reinterpret_cast<Key>(key);
    if (disposition != nullptr) *disposition = created;
  }
  return code;
}

long RegQueryValueExA(Key key, const char* valueName, std::uint32_t* reserved,
                      std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* size) {
  // Through DWORD copies: unsigned long and std::uint32_t are distinct
  // types. A copy the call did not write hands back the caller's value.
  DWORD reservedCopy = reserved != nullptr ? *reserved : 0;
  DWORD typeCopy = type != nullptr ? *type : 0;
  DWORD sizeCopy = size != nullptr ? *size : 0;
  const LONG code = ::RegQueryValueExA(
      AsHkey(key), valueName, reserved != nullptr ? &reservedCopy : nullptr,
      type != nullptr ? &typeCopy : nullptr, data,
      size != nullptr ? &sizeCopy : nullptr);
  if (type != nullptr) *type = typeCopy;
  if (size != nullptr) *size = sizeCopy;
  return code;
}

long RegSetValueExA(Key key, const char* valueName, std::uint32_t reserved,
                    std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) {
  return ::RegSetValueExA(AsHkey(key), valueName, reserved, type, data, size);
}

long RegDeleteValueA(Key key, const char* valueName) {
  return ::RegDeleteValueA(AsHkey(key), valueName);
}

long RegCloseKey(Key key) { return ::RegCloseKey(AsHkey(key)); }

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* buffer,
                                       std::uint32_t size,
                                       const char* fileName) {
  return ::GetPrivateProfileStringA(section, key, defaultText, buffer, size,
                                    fileName);
}

std::uint32_t GetPrivateProfileIntA(const char* section, const char* key,
                                    std::int32_t defaultValue,
                                    const char* fileName) {
  return ::GetPrivateProfileIntA(section, key, defaultValue, fileName);
}

bool WritePrivateProfileStringA(const char* section, const char* key,
                                const char* text, const char* fileName) {
  return ::WritePrivateProfileStringA(section, key, text, fileName) != FALSE;
}

std::uint32_t GetLastError() { return ::GetLastError(); }

FileSearch FindFirstFile(const std::string& pattern) {
  FileSearch search;
  WIN32_FIND_DATAA found;
  HANDLE handle = ::FindFirstFileA(pattern.c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) {
    switch (::GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_NO_MORE_FILES:
        break;
      default:  // an invalid name, a drive that is not ready, ...
        search.outcome = FileSearch::Outcome::kFailed;
    }
    return search;
  }
  constexpr DWORD kNotOrdinary =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if ((found.dwFileAttributes & kNotOrdinary) == 0) {
      search.outcome = FileSearch::Outcome::kFound;
      search.name = found.cFileName;
      break;
    }
  } while (::FindNextFileA(handle, &found));
  ::FindClose(handle);
  return search;
}

std::string FullPathName(const std::string& path) {
  std::vector<char> buffer(MAX_PATH + 1);
  char* filePart = nullptr;
  for (;;) {
    const DWORD length =
        ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()),
                           buffer.data(), &filePart);
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);  // length counts the NUL when it did not fit
  }
}

NumberFormat UserNumberFormat() {
  NumberFormat format;
  char text[8];
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text,
                       sizeof text) > 0) {
    format.decimalSeparator = text;
  }
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text,
                       sizeof text) > 0) {
    format.thousandsSeparator = text;
  }
  return format;
}

std::string WindowsDirectory() {
  std::string directory(MAX_PATH, '\0');
  UINT length = ::GetWindowsDirectoryA(directory.data(), MAX_PATH);
  if (length > MAX_PATH) {  // too long for the buffer: length is the need
    directory.assign(length, '\0');
    length = ::GetWindowsDirectoryA(directory.data(), length);
  }
  directory.resize(length < directory.size() ? length : 0);
  return directory;
}

// shell32 is loaded at the first call rather than imported: importing it
// loads it, and what it pulls in, before the program's first window.
std::intptr_t ShellExecuteA(std::uintptr_t parentWindow, const char* operation,
                            const char* file, const char* parameters,
                            const char* directory, int showCommand) {
  static const auto shellExecute = [] {
    HMODULE shell32 = ::LoadLibraryA("shell32.dll");
    FARPROC address =
        shell32 ? ::GetProcAddress(shell32, "ShellExecuteA") : nullptr;
    // Through void (*)(), which converts to any function type.
    return reinterpret_cast<decltype(&::ShellExecuteA)>(
        reinterpret_cast<void (*)()>(address));
  }();
  if (shellExecute == nullptr) return SE_ERR_DLLNOTFOUND;
  return reinterpret_cast<std::intptr_t>(
      shellExecute(reinterpret_cast<HWND>(parentWindow), operation, file,
                   parameters, directory, showCommand));
}

long StartProgram(const std::string& commandLine, int showCommand) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  // CreateProcessA may write into the command line.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
    return static_cast<long>(::GetLastError());
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return kErrorSuccess;
}

}  // namespace platform
