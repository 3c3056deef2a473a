#include "tests/e2e/registry_probe.h"

#include <utility>

namespace e2e {

bool DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  LONG status =
      RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE | DELETE, &key);
  if (status == ERROR_FILE_NOT_FOUND) return true;
  if (status != ERROR_SUCCESS) return false;
  std::vector<std::string> children;
  char name[1024];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
      break;
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children)
    DeleteTree(root, path + "\\" + child);
  return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS ||
         !KeyExists(root, path);
}

bool CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool SetRaw(HKEY root, const std::string& path, const std::string& name,
            DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExA(key, name.c_str(), 0, type,
                               reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value) {
  return SetRaw(root, path, name, REG_SZ, value + '\0');
}

StoredValue ReadValue(HKEY root, const std::string& path,
                      const std::string& name) {
  StoredValue out;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return out;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &out.type, nullptr, &size) ==
      ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &out.type,
                         reinterpret_cast<BYTE*>(bytes.data()),
                         &size) == ERROR_SUCCESS) {
      bytes.resize(size);
      out.present = true;
      out.bytes = bytes;
    }
  }
  RegCloseKey(key);
  return out;
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

ValueOverride::ValueOverride(HKEY root, std::string path, std::string name,
                             const std::string& text)
    : root_(root),
      path_(std::move(path)),
      name_(std::move(name)),
      before_(ReadValue(root_, path_, name_)),
      set_(SetString(root_, path_, name_, text)) {}

ValueOverride::~ValueOverride() {
  if (before_.present)
    SetRaw(root_, path_, name_, before_.type, before_.bytes);
  else
    DeleteValue(root_, path_, name_);
}

namespace {
void Walk(HKEY key, const std::string& path, Snapshot& out) {
  out[path + "\\"] = "";
  std::vector<char> name(32768);
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG status = RegEnumValueA(key, i, name.data(), &nameLength, nullptr,
                                &type, data.data(), &dataSize);
    if (status == ERROR_MORE_DATA) {
      data.resize(data.size() * 4);
      --i;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    out[path + "\\:" + std::string(name.data(), nameLength)] =
        std::to_string(type) + ":" +
        std::string(reinterpret_cast<char*>(data.data()), dataSize);
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    if (RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr,
                      nullptr, nullptr) != ERROR_SUCCESS)
      break;
    children.emplace_back(name.data(), nameLength);
  }
  for (const std::string& child : children) {
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      Walk(sub, path.empty() ? child : path + "\\" + child, out);
      RegCloseKey(sub);
    } else {
      out[(path.empty() ? child : path + "\\" + child) + "\\"] = "<unopenable>";
    }
  }
}
}  // namespace

Snapshot TakeSnapshot(HKEY root, const std::string& path) {
  Snapshot out;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return out;
  Walk(key, path, out);
  RegCloseKey(key);
  return out;
}

std::vector<std::string> Differences(const Snapshot& before,
                                     const Snapshot& after) {
  std::vector<std::string> out;
  for (const auto& [name, value] : after) {
    auto it = before.find(name);
    if (it == before.end())
      out.push_back(name);
    else if (it->second != value)
      out.push_back(name);
  }
  for (const auto& [name, value] : before)
    if (!after.count(name)) out.push_back(name);
  return out;
}

}  // namespace e2e
