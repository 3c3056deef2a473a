#include "tests/support/registry_fixture.h"

#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/emulated/emulated.h"
#endif

namespace fixture {

namespace {

#ifdef _WIN32
HKEY AsHkey(platform::Key key) { return reinterpret_cast<HKEY>(key); }

// The key below parent opened with this access; null when refused.
HKEY Open(HKEY parent, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path, 0, access, &key) != ERROR_SUCCESS) return {};
  return key;
}

// Deletes every subkey of key, depth first; Windows 9x's RegDeleteKeyA would
// take a whole tree, NT's only a leaf, so the tree is always emptied first.
void DeleteSubkeys(HKEY key) {
  char name[MAX_PATH + 1];
  // Always enumerate index 0: each deletion shifts the rest down.
  while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) {
    HKEY child = Open(key, name, KEY_ALL_ACCESS);
    if (!child) return;
    DeleteSubkeys(child);
    RegCloseKey(child);
    if (RegDeleteKeyA(key, name) != ERROR_SUCCESS) return;
  }
}
#endif

}  // namespace

void DeleteTree(platform::Key root, const std::string& keyPath) {
  if (keyPath.empty()) return;
#ifdef _WIN32
  HKEY key = Open(AsHkey(root), keyPath.c_str(), KEY_ALL_ACCESS);
  if (!key) return;
  DeleteSubkeys(key);
  RegCloseKey(key);
  RegDeleteKeyA(AsHkey(root), keyPath.c_str());
#else
  platform::emulated::DeleteKeyTree(root, keyPath);
#endif
}

namespace {

// Opens the key for writing, creating it and every missing level above it;
// 0 when refused.
platform::Key CreateForWriting(platform::Key root, const std::string& keyPath) {
  platform::SecurityAttributes security;
  platform::Key key = 0;
  if (platform::RegCreateKeyExA(
          root, keyPath.c_str(), 0, "", 0,
          platform::kKeySetValue | platform::kKeyCreateSubKey, &security, &key,
          nullptr) != 0) {
    return 0;
  }
  return key;
}

}  // namespace

bool CreateKey(platform::Key root, const std::string& keyPath) {
  const platform::Key key = CreateForWriting(root, keyPath);
  if (key == 0) return false;
  platform::RegCloseKey(key);
  return true;
}

bool SeedRaw(platform::Key root, const std::string& keyPath,
             const std::string& valueName, std::uint32_t type,
             const std::vector<std::uint8_t>& data) {
  const platform::Key key = CreateForWriting(root, keyPath);
  if (key == 0) return false;
  // A byte that is not NUL after the counted ones: the set looks at it, and
  // would store a NUL found there with a text.
  std::vector<std::uint8_t> buffer = data;
  buffer.push_back(0xFF);
  const long result =
      platform::RegSetValueExA(key, valueName.c_str(), 0, type, buffer.data(),
                               static_cast<std::uint32_t>(data.size()));
  platform::RegCloseKey(key);
  return result == 0;
}

bool SeedString(platform::Key root, const std::string& keyPath,
                const std::string& valueName, const std::string& text) {
  return SeedRaw(root, keyPath, valueName, platform::kRegSz, SzBytes(text));
}

bool SeedDword(platform::Key root, const std::string& keyPath,
               const std::string& valueName, std::uint32_t value) {
  std::vector<std::uint8_t> bytes(4);
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return SeedRaw(root, keyPath, valueName, platform::kRegDword, bytes);
}

std::optional<RawValue> ReadRaw(platform::Key root, const std::string& keyPath,
                                const std::string& valueName) {
#ifdef _WIN32
  HKEY key = Open(AsHkey(root), keyPath.c_str(), KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  LONG result =
      RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
  RawValue value;
  if (result == ERROR_SUCCESS) {
    // One spare byte: some registries count a REG_SZ without its NUL here.
    value.data.resize(size + 1);
    result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                              value.data.data(), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  value.type = type;
  return value;
#else
  auto raw = platform::emulated::GetRawValue(root, keyPath, valueName);
  if (!raw) return std::nullopt;
  return RawValue{raw->type, raw->data};
#endif
}

bool KeyExists(platform::Key root, const std::string& keyPath) {
#ifdef _WIN32
  HKEY key = Open(AsHkey(root), keyPath.c_str(), KEY_QUERY_VALUE);
  if (key) RegCloseKey(key);
  return key != nullptr;
#else
  return platform::emulated::KeyExists(root, keyPath);
#endif
}

void DeleteValue(platform::Key root, const std::string& keyPath,
                 const std::string& valueName) {
  platform::Key key = 0;
  if (platform::RegOpenKeyExA(root, keyPath.c_str(), 0, platform::kKeySetValue,
                              &key) != 0) {
    return;
  }
  platform::RegDeleteValueA(key, valueName.c_str());
  platform::RegCloseKey(key);
}

bool DenyAccess([[maybe_unused]] platform::Key root,
                [[maybe_unused]] const std::string& keyPath) {
#ifdef _WIN32
  return false;
#else
  platform::emulated::InjectKeyError(root, keyPath,
                                     platform::kErrorAccessDenied);
  return true;
#endif
}

bool ImportRegedit4(const std::string& text) {
#ifdef _WIN32
  char directory[MAX_PATH + 1];
  char file[MAX_PATH + 1];
  if (GetTempPathA(sizeof directory, directory) == 0 ||
      GetTempFileNameA(directory, "mvr", 0, file) == 0) {
    return false;
  }
  FILE* out = std::fopen(file, "wb");
  bool saved =
      out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out) saved = std::fclose(out) == 0 && saved;
  bool imported = false;
  if (saved) {
    std::string command = "regedit.exe /s \"" + std::string(file) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, nullptr, &startup, &process)) {
      WaitForSingleObject(process.hProcess, INFINITE);
      DWORD exitCode = 1;
      imported =
          GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0;
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
  DeleteFileA(file);
  return imported;
#else
  return platform::emulated::LoadRegedit4(text);
#endif
}

std::vector<std::uint8_t> SzBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

ValueOverride::ValueOverride(platform::Key root, std::string keyPath,
                             std::string valueName, const std::string& text)
    : root_(root),
      keyPath_(std::move(keyPath)),
      valueName_(std::move(valueName)),
      before_(ReadRaw(root_, keyPath_, valueName_)),
      set_(SeedString(root_, keyPath_, valueName_, text)) {}

ValueOverride::~ValueOverride() {
  if (before_) {
    SeedRaw(root_, keyPath_, valueName_, before_->type, before_->data);
  } else {
    DeleteValue(root_, keyPath_, valueName_);
  }
}

#ifdef _WIN32
namespace {

void Walk(HKEY key, const std::string& path, Snapshot& out) {
  out[path + "\\"] = "";
  std::vector<char> name(32768);
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG status = RegEnumValueA(key, i, name.data(), &nameLength, nullptr,
                                      &type, data.data(), &dataSize);
    if (status == ERROR_MORE_DATA) {
      data.resize(data.size() * 4);
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    out[path + "\\:" + std::string(name.data(), nameLength)] =
        std::to_string(type) + ":" +
        std::string(reinterpret_cast<char*>(data.data()), dataSize);
    ++i;
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr,
                      nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    children.emplace_back(name.data(), nameLength);
  }
  for (const std::string& child : children) {
    const std::string below = path.empty() ? child : path + "\\" + child;
    if (HKEY sub = Open(key, child.c_str(), KEY_READ)) {
      Walk(sub, below, out);
      RegCloseKey(sub);
    } else {
      out[below + "\\"] = "<unopenable>";
    }
  }
}

}  // namespace

Snapshot TakeSnapshot(platform::Key root, const std::string& keyPath) {
  Snapshot out;
  if (HKEY key = Open(AsHkey(root), keyPath.empty() ? nullptr : keyPath.c_str(),
                      KEY_READ)) {
    Walk(key, keyPath, out);
    RegCloseKey(key);
  }
  return out;
}

std::vector<std::string> Differences(const Snapshot& before,
                                     const Snapshot& after) {
  std::vector<std::string> out;
  for (const auto& [entry, value] : after) {
    const auto it = before.find(entry);
    if (it == before.end() || it->second != value) out.push_back(entry);
  }
  for (const auto& entry : before) {
    if (!after.count(entry.first)) out.push_back(entry.first);
  }
  return out;
}
#endif

}  // namespace fixture
