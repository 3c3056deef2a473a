// The settings store over the platform's registry, profile and file-search
// operations. Each procedure keeps one working status: 99 on entry, then the
// result of every registry call it makes; the helpers below write it and
// return nothing. Whatever happens inside (a conversion that fails, an
// allocation that fails) ends the procedure with the working status reached
// so far, the caller's result untouched and any key it opened closed.
#include "store/registry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace registry {
namespace {

using platform::Key;

constexpr std::uint32_t kRegSzSizeProbe = 0;  // the first query offers no room
constexpr std::uint32_t kBooleanSize = 2;
constexpr std::uint32_t kDwordSize = 4;
constexpr std::uint32_t kProfileBufferSize = 255;
constexpr std::int16_t kTrueWord = -1;
constexpr std::int16_t kFalseWord = 0;
constexpr std::int32_t kWordMin = -32768;
constexpr std::int32_t kWordMax = 32767;

enum class Kind { kString, kBoolean, kDword, kOther };

char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpperAscii(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = ToUpperAscii(c);
  return upper;
}

Kind KindOf(const std::string& kind) {
  const std::string upper = ToUpperAscii(kind);
  if (upper == "S") return Kind::kString;
  if (upper == "B") return Kind::kBoolean;
  if (upper == "D") return Kind::kDword;
  return Kind::kOther;
}

struct RootName {
  const char* name;
  Key root;
};

// In the order the names are tried.
constexpr RootName kRootNames[] = {
    {"HKCU", platform::kHkeyCurrentUser},
    {"HKLM", platform::kHkeyLocalMachine},
    {"HKU", platform::kHkeyUsers},
    {"HKDD", platform::kHkeyDynData},
    {"HKCC", platform::kHkeyCurrentConfig},
    {"HKCR", platform::kHkeyClassesRoot},
};

// A resolved store location: a registry root, or the INI file the search
// found, as an absolute path.
struct Location {
  std::uint32_t root = kUnresolved;
  std::string iniPath;
};

// The directory part of a path or pattern, separator included ("" for a
// bare name), as the file system splits it.
std::string DirectoryPart(const std::string& path) {
#ifdef _WIN32
  const std::size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) return path.substr(0, slash + 1);
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);  // "C:a"
#else
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos) return path.substr(0, slash + 1);
#endif
  return std::string();
}

Location Resolve(const std::string& location, bool wantPath) {
  const std::string upper = ToUpperAscii(location);
  for (const RootName& r : kRootNames) {
    if (upper == r.name)
      return {static_cast<std::uint32_t>(r.root), std::string()};
  }
  // An empty location names no file; the search would take it as the
  // current directory's first file.
  if (location.empty()) return {};
  platform::FileSearch found;
  try {
    found = platform::FindFirstFile(location);
  } catch (...) {
    return {};  // a failing search counts as no match
  }
  if (found.outcome != platform::FileSearch::Outcome::kFound ||
      found.name.empty()) {
    return {};
  }
  if (!wantPath) return {kIniFile, std::string()};
  // The profile functions look for a bare name elsewhere than the search
  // did, so they get the very file that was found.
  std::string path =
      platform::FullPathName(DirectoryPart(location) + found.name);
  if (path.empty()) return {};
  return {kIniFile, std::move(path)};
}

// ---- Conversions of a setting value to the form of a kind ----

std::optional<std::string> ToText(const SettingValue& value) {
  switch (value.tag()) {
    case SettingValue::Tag::kString:
      return value.text();
    case SettingValue::Tag::kInteger:
      return LongToText(value.integer());
    case SettingValue::Tag::kBoolean:
      return std::string(value.word() != 0 ? "True" : "False");
  }
  return std::nullopt;
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  return ToUpperAscii(text) == ToUpperAscii(std::string(word));
}

// A number (non-zero: True; out of the 32-bit range counts as non-zero) or
// "True" / "False" in any case.
std::optional<std::int16_t> ToBooleanWord(const SettingValue& value) {
  switch (value.tag()) {
    case SettingValue::Tag::kInteger:
      return value.integer() != 0 ? kTrueWord : kFalseWord;
    case SettingValue::Tag::kBoolean:
      return value.word() != 0 ? kTrueWord : kFalseWord;
    case SettingValue::Tag::kString: {
      const NumberResult n = TextToLong(value.text());
      if (n.error == NumberError::kNone)
        return n.value != 0 ? kTrueWord : kFalseWord;
      if (n.error == NumberError::kOverflow) return kTrueWord;
      if (EqualsIgnoringCase(value.text(), "True")) return kTrueWord;
      if (EqualsIgnoringCase(value.text(), "False")) return kFalseWord;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

// -32768 to 32767; a text is read as number text (a fraction rounds half to
// even); a Boolean gives its word.
std::optional<std::int16_t> ToWord(const SettingValue& value) {
  std::int32_t number = 0;
  switch (value.tag()) {
    case SettingValue::Tag::kBoolean:
      return value.word();
    case SettingValue::Tag::kInteger:
      number = value.integer();
      break;
    case SettingValue::Tag::kString: {
      const NumberResult n = TextToLong(value.text());
      if (n.error != NumberError::kNone) return std::nullopt;
      number = n.value;
      break;
    }
  }
  if (number < kWordMin || number > kWordMax) return std::nullopt;
  return static_cast<std::int16_t>(number);
}

// What a registry write stores: type and bytes.
struct RegistryData {
  std::uint32_t type = platform::kRegNone;
  std::vector<std::uint8_t> bytes;
};

std::optional<RegistryData> ToRegistryData(Kind kind,
                                           const SettingValue& value) {
  RegistryData data;
  switch (kind) {
    case Kind::kString: {
      const std::optional<std::string> text = ToText(value);
      if (!text) return std::nullopt;
      data.type = platform::kRegSz;
      data.bytes.assign(text->begin(), text->end());
      data.bytes.push_back(0);
      return data;
    }
    case Kind::kBoolean: {
      const std::optional<std::int16_t> word = ToBooleanWord(value);
      if (!word) return std::nullopt;
      const auto bits = static_cast<std::uint16_t>(*word);
      data.type = platform::kRegBinary;
      data.bytes = {static_cast<std::uint8_t>(bits & 0xFF),
                    static_cast<std::uint8_t>(bits >> 8)};
      return data;
    }
    case Kind::kDword: {
      const std::optional<std::int16_t> word = ToWord(value);
      if (!word) return std::nullopt;
      // Widened with its sign.
      const auto bits =
          static_cast<std::uint32_t>(static_cast<std::int32_t>(*word));
      data.type = platform::kRegDword;
      data.bytes = {static_cast<std::uint8_t>(bits & 0xFF),
                    static_cast<std::uint8_t>((bits >> 8) & 0xFF),
                    static_cast<std::uint8_t>((bits >> 16) & 0xFF),
                    static_cast<std::uint8_t>(bits >> 24)};
      return data;
    }
    case Kind::kOther:
      break;
  }
  return std::nullopt;
}

// A key opened by one store call. Close() gives the close's result; a key
// still open when the call ends early is closed on the way out.
class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (open_) platform::RegCloseKey(key_);
  }

  Key* Out() { return &key_; }
  void MarkOpen() { open_ = true; }
  Key get() const { return key_; }
  long Close() {
    open_ = false;
    return platform::RegCloseKey(key_);
  }

 private:
  Key key_ = 0;
  bool open_ = false;
};

// A registry call's result as a store status.
std::int32_t Code(long result) { return static_cast<std::int32_t>(result); }

// A profile write's status: 0, or why the file could not be written (the
// old file then stays as it was).
std::int32_t ProfileWrite(const std::string& section, const std::string& key,
                          const char* text, const std::string& file) {
  if (platform::WritePrivateProfileStringA(section.c_str(), key.c_str(), text,
                                           file.c_str())) {
    return kStatusSuccess;
  }
  const std::uint32_t error = platform::GetLastError();
  return error != 0 ? static_cast<std::int32_t>(error)
                    : Code(platform::kErrorWriteFault);
}

std::uint16_t LittleEndianWord(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t LittleEndianDword(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) |
         (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// ---- The procedures, writing the working status the caller keeps ----

void ReadIni(const Location& where, const std::string& section,
             const std::string& name, Kind kind,
             const SettingValue& defaultValue,
             std::optional<SettingValue>& value, std::int32_t& status) {
  if (kind == Kind::kString) {
    const std::optional<std::string> defaultText = ToText(defaultValue);
    if (!defaultText) return;
    std::vector<char> buffer(kProfileBufferSize, '\0');
    const std::uint32_t count = platform::GetPrivateProfileStringA(
        section.c_str(), name.c_str(), defaultText->c_str(), buffer.data(),
        kProfileBufferSize, where.iniPath.c_str());
    status = kStatusSuccess;
    const std::size_t length =
        count < kProfileBufferSize ? count : kProfileBufferSize - 1;
    value = SettingValue(std::string(buffer.data(), length));
    return;
  }
  // Every other kind reads an integer; a missing key gives 0.
  const std::uint32_t number = platform::GetPrivateProfileIntA(
      section.c_str(), name.c_str(), 0, where.iniPath.c_str());
  status = kStatusSuccess;
  value = SettingValue(static_cast<std::int32_t>(number));
}

// Queries a value into a field of fixed size that starts zeroed.
template <std::size_t N>
long QueryFixed(Key key, const std::string& name, std::uint8_t (&field)[N]) {
  std::uint32_t type = 0;
  std::uint32_t size = N;
  return platform::RegQueryValueExA(key, name.c_str(), nullptr, &type, field,
                                    &size);
}

// Fills value when the query delivered one.
void ReadRegistry(Key root, const std::string& keyPath, const std::string& name,
                  Kind kind, std::optional<SettingValue>& value,
                  std::int32_t& status) {
  OpenKey key;
  status = Code(platform::RegOpenKeyExA(root, keyPath.c_str(), 0,
                                        platform::kKeyQueryValue, key.Out()));
  if (status != platform::kErrorSuccess) return;
  key.MarkOpen();

  switch (kind) {
    case Kind::kString: {
      std::uint8_t probe = 0;  // a real buffer, offering no room
      std::uint32_t type = 0;
      std::uint32_t size = kRegSzSizeProbe;
      status = Code(platform::RegQueryValueExA(key.get(), name.c_str(), nullptr,
                                               &type, &probe, &size));
      std::vector<std::uint8_t> data;
      if (status == platform::kErrorMoreData) {
        data.resize(size);
        status = Code(platform::RegQueryValueExA(
            key.get(), name.c_str(), nullptr, &type, data.data(), &size));
      }
      if (status != platform::kErrorSuccess) {
        key.Close();
        return;
      }
      // The terminating NUL is dropped; a value of no bytes at all reads as
      // the empty string.
      const std::size_t length =
          size == 0 ? 0 : std::min<std::size_t>(size - 1, data.size());
      value = SettingValue(std::string(
          data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length)));
      break;
    }
    case Kind::kBoolean: {
      std::uint8_t field[kBooleanSize] = {0, 0};
      status = Code(QueryFixed(key.get(), name, field));
      if (status != platform::kErrorSuccess) {
        key.Close();
        return;
      }
      value = SettingValue::Boolean(
          static_cast<std::int16_t>(LittleEndianWord(field)));
      break;
    }
    case Kind::kDword: {
      std::uint8_t field[kDwordSize] = {0, 0, 0, 0};
      status = Code(QueryFixed(key.get(), name, field));
      if (status != platform::kErrorSuccess) {
        key.Close();
        return;
      }
      value = SettingValue(static_cast<std::int32_t>(LittleEndianDword(field)));
      break;
    }
    case Kind::kOther:
      break;
  }
  status = Code(key.Close());
}

void Read(const std::string& location, const std::string& keyPath,
          const std::string& name, const std::string& kindName,
          const SettingValue& defaultValue, SettingValue& result,
          std::int32_t& status) {
  {
    SettingValue initial(defaultValue);
    result = std::move(initial);
  }
  const Location where = Resolve(location, /*wantPath=*/true);
  if (where.root == kUnresolved) return;
  const Kind kind = KindOf(kindName);

  // The value is built aside and handed over whole, so that an early end
  // leaves the default in the result.
  std::optional<SettingValue> value;
  if (where.root == kIniFile) {
    ReadIni(where, keyPath, name, kind, defaultValue, value, status);
  } else if (kind != Kind::kOther) {  // no key opened for another kind
    ReadRegistry(where.root, keyPath, name, kind, value, status);
  }
  if (value) result = std::move(*value);
}

void Write(const std::string& location, const std::string& keyPath,
           const std::string& name, const std::string& kindName,
           const SettingValue& value, std::int32_t& status) {
  const Location where = Resolve(location, /*wantPath=*/true);
  if (where.root == kUnresolved) return;
  const Kind kind = KindOf(kindName);

  if (where.root == kIniFile) {
    if (kind != Kind::kString) return;  // INI files hold text only
    const std::optional<std::string> text = ToText(value);
    if (!text) return;
    status = ProfileWrite(keyPath, name, text->c_str(), where.iniPath);
    return;
  }

  // Converted before the registry is touched: a value that has no form of
  // its kind, or a kind that has no form at all, creates no key.
  const std::optional<RegistryData> data = ToRegistryData(kind, value);
  if (!data) return;

  OpenKey key;
  const platform::SecurityAttributes security{};
  std::uint32_t disposition = 0;
  status = Code(platform::RegCreateKeyExA(
      where.root, keyPath.c_str(), 0, "", 0,
      platform::kKeySetValue | platform::kKeyCreateSubKey, &security, key.Out(),
      &disposition));
  if (status != platform::kErrorSuccess) return;
  key.MarkOpen();

  status = Code(platform::RegSetValueExA(
      key.get(), name.c_str(), 0, data->type, data->bytes.data(),
      static_cast<std::uint32_t>(data->bytes.size())));
  if (status != platform::kErrorSuccess) {
    key.Close();
    return;
  }
  status = Code(key.Close());
}

void Delete(const std::string& location, const std::string& keyPath,
            const std::string& name, std::int32_t& status) {
  const Location where = Resolve(location, /*wantPath=*/true);
  if (where.root == kUnresolved) return;

  if (where.root == kIniFile) {
    // No text at all removes the entry; an absent entry stays absent.
    status = ProfileWrite(keyPath, name, nullptr, where.iniPath);
    return;
  }

  OpenKey key;
  status = Code(platform::RegOpenKeyExA(where.root, keyPath.c_str(), 0,
                                        platform::kKeySetValue, key.Out()));
  if (status == platform::kErrorSuccess) {
    key.MarkOpen();
    status = Code(platform::RegDeleteValueA(key.get(), name.c_str()));
    key.Close();  // the close does not change the outcome
  }
  // A value or key already absent counts as deleted.
  if (status == platform::kErrorFileNotFound) status = kStatusSuccess;
}

// Runs a procedure from a working status of 99 and answers the status it
// reached, whether it returned or threw.
template <class Procedure>
std::int32_t Run(Procedure procedure) {
  std::int32_t status = kStatusUnresolved;
  try {
    procedure(status);
  } catch (...) {
  }
  return status;
}

}  // namespace

std::uint32_t ResolveStoreRoot(const std::string& location) {
  try {
    return Resolve(location, /*wantPath=*/false).root;
  } catch (...) {
    return kUnresolved;
  }
}

std::int32_t ReadStoreValue(const std::string& location, const std::string& key,
                            const std::string& valueName,
                            const std::string& kind, SettingValue defaultValue,
                            SettingValue& result) {
  return Run([&](std::int32_t& status) {
    Read(location, key, valueName, kind, defaultValue, result, status);
  });
}

std::int32_t WriteStoreValue(const std::string& location,
                             const std::string& key,
                             const std::string& valueName,
                             const std::string& kind, SettingValue value) {
  return Run([&](std::int32_t& status) {
    Write(location, key, valueName, kind, value, status);
  });
}

std::int32_t DeleteStoreValue(const std::string& location,
                              const std::string& key,
                              const std::string& valueName) {
  return Run(
      [&](std::int32_t& status) { Delete(location, key, valueName, status); });
}

}  // namespace registry
