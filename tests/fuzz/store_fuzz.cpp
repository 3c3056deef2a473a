// Sequences of store calls on the registry roots and an INI file, with the
// store's promises checked after every call: it never throws; the status
// is one it documents; a read that delivers nothing leaves the default; a
// successful write reads back in the form of its kind; a call answering 99
// changed nothing; a successful delete reads back as absent.
//
// Input, through FuzzedDataProvider: calls of the form: what, location,
// kind, the value's type, key, name, then the value (a text, an integer or
// a Boolean's 16 bits).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/emulated/emulated.h"
#include "store/registry.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using registry::SettingValue;

constexpr int kMaxCalls = 12;
constexpr char kInitialIni[] = "[Sec]\r\nName=old\r\n";
constexpr const char* kKinds[] = {"S", "s", "B", "b", "D", "d", "X", ""};
// Opening or creating this key or one below it is refused, as a key the
// user may not touch.
constexpr char kDeniedKey[] = "Denied";
// The longest text an INI read delivers.
constexpr std::size_t kIniTextLimit = 254;

// The registry root of each location (0 for the others).
constexpr platform::Key kRootOf[] = {
    platform::kHkeyCurrentUser,   platform::kHkeyLocalMachine,
    platform::kHkeyUsers,         platform::kHkeyDynData,
    platform::kHkeyCurrentConfig, platform::kHkeyClassesRoot};

struct Context {
  std::string iniPath;
  // Registry roots (kRootOf's order), names that resolve to nothing, the
  // INI file by name and by pattern, and a file that does not exist.
  std::vector<std::string> locations;
  bool iniPlain = true;  // no write has put lines of its own into the file
};

Context& TheContext() {
  static Context c = [] {
    const fixture::TempDir& dir = fuzz::ScratchDirectory();
    const std::string ini = dir.Join("store.ini");
    return Context{
        ini,
        {"HKCU", "hklm", "HKU", "HKDD", "HKCC", "HKCR", "", "HKEY_USERS", ini,
         dir.Join("*.INI"), dir.Join("absent.ini")}};
  }();
  return c;
}

SettingValue TakeValue(FuzzedDataProvider& input, int type) {
  switch (type) {
    case 0:
      return SettingValue(input.ConsumeRandomLengthString());
    case 1:
      return SettingValue(input.ConsumeIntegral<std::int32_t>());
    default:
      return SettingValue::Boolean(input.ConsumeIntegral<std::int16_t>());
  }
}

std::string Show(const SettingValue& v) {
  if (v.IsString()) return "\"" + v.text() + "\"";
  return (v.IsBoolean() ? "Boolean " : "") + std::to_string(v.integer());
}

bool IsDocumentedStatus(std::int32_t status) {
  // Success, an unresolved or refused call, a registry error (absent,
  // access denied, a bad parameter or path, data too large) or why an INI
  // file could not be written.
  using namespace platform;
  constexpr long kDocumented[] = {kErrorSuccess,
                                  kErrorFileNotFound,
                                  kErrorPathNotFound,
                                  kErrorAccessDenied,
                                  kErrorWriteFault,
                                  kErrorInvalidParameter,
                                  registry::kStatusUnresolved,
                                  kErrorDiskFull,
                                  kErrorBadPathname,
                                  kErrorMoreData};
  for (long code : kDocumented)
    if (status == code) return true;
  return false;
}

// A write of these reads back the same.
bool WritesPlainly(const std::string& section, const std::string& key,
                   const std::string& text) {
  return fuzz::HoldsPlainly(section, key, text, kIniTextLimit);
}

bool Same(const std::optional<platform::emulated::RawValue>& a,
          const std::optional<platform::emulated::RawValue>& b) {
  if (!a || !b) return !a && !b;
  return a->type == b->type && a->data == b->data;
}

// The registry and the INI file, to tell whether a call changed anything;
// nullopt once a name the dump cannot write (one with a line end) is
// stored.
std::optional<std::string> State() {
  const std::optional<std::string> dump = platform::emulated::DumpRegedit4();
  if (!dump) return std::nullopt;
  return *dump + "\n--\n" + fixture::ReadFile(TheContext().iniPath);
}

// What a value reads back as after a write of that kind.
void CheckReadBack(const std::string& location, bool ini,
                   const std::string& key, const std::string& name,
                   const std::string& kind, const SettingValue& written) {
  const SettingValue sentinel("\x01sentinel");
  SettingValue result;
  const std::int32_t status =
      registry::ReadStoreValue(location, key, name, kind, sentinel, result);
  const std::string what = "write " + kind + " " + Show(written) +
                           " then read: status " + std::to_string(status) +
                           ", " + Show(result);
  FUZZ_CHECK(status == 0, what);
  const char k = static_cast<char>(kind[0] & ~0x20);
  // How a number is written as a text is the store tests' concern.
  if (ini) {
    if (written.IsString() && WritesPlainly(key, name, written.text()))
      FUZZ_CHECK(result == written, what);
    return;
  }
  if (k == 'S') {
    if (written.IsString()) FUZZ_CHECK(result == written, what);
  } else if (k == 'B') {
    FUZZ_CHECK(
        result.IsBoolean() && (result.word() == 0 || result.word() == -1),
        what);
    if (!written.IsString())
      FUZZ_CHECK((result.word() != 0) == (written.integer() != 0), what);
  } else {
    FUZZ_CHECK(result.IsInteger() && result.integer() >= -32768 &&
                   result.integer() <= 32767,
               what);
    if (!written.IsString())
      FUZZ_CHECK(result.integer() == written.integer(), what);
  }
}

void CheckAbsent(const std::string& location, const std::string& key,
                 const std::string& name, bool ini) {
  const SettingValue fallback(
      "\x01"
      "default");
  SettingValue result;
  const std::int32_t status =
      registry::ReadStoreValue(location, key, name, "S", fallback, result);
  FUZZ_CHECK(result == fallback,
             "a deleted value reads as the default, not " + Show(result));
  FUZZ_CHECK(status == (ini ? 0 : 2),
             "a deleted value reads with status " + std::to_string(status));
}

void Call(FuzzedDataProvider& input, Context& c) {
  const int what = input.ConsumeIntegralInRange(0, 3);
  const std::size_t where =
      input.ConsumeIntegralInRange<std::size_t>(0, c.locations.size() - 1);
  const std::string& location = c.locations[where];
  const std::string kind = input.PickValueInArray(kKinds);
  const int type = input.ConsumeIntegralInRange(0, 2);
  const std::string key = input.ConsumeRandomLengthString();
  const std::string name = input.ConsumeRandomLengthString();
  const SettingValue value = TakeValue(input, type);
  const bool ini =
      location == c.iniPath || location.find('*') != std::string::npos;

  const std::optional<std::string> before = State();
  std::int32_t status = 0;
  switch (what) {
    case 0: {
      const SettingValue sentinel("\x01sentinel");
      SettingValue result(std::int32_t{7});
      status =
          registry::ReadStoreValue(location, key, name, kind, sentinel, result);
      if (status != 0)
        FUZZ_CHECK(result == sentinel, "a read that fails (" +
                                           std::to_string(status) +
                                           ") leaves the default");
      break;
    }
    case 1: {
      const platform::Key root = where < 6 ? kRootOf[where] : 0;
      const auto old = platform::emulated::GetRawValue(root, key, name);
      status = registry::WriteStoreValue(location, key, name, kind, value);
      if (status != 0) break;
      if (root != 0 &&
          !Same(platform::emulated::GetRawValue(root, key, name), old))
        FUZZ_CHECK(!before || State() != before,
                   "a value written shows in the dump");
      // A number or a Boolean is written as digits or a word: plain.
      if (ini &&
          !WritesPlainly(key, name, value.IsString() ? value.text() : "0"))
        c.iniPlain = false;
      if (!ini || c.iniPlain)
        CheckReadBack(location, ini, key, name, kind, value);
      break;
    }
    case 2:
      status = registry::DeleteStoreValue(location, key, name);
      if (status == 0 &&
          (!ini || (c.iniPlain && WritesPlainly(key, name, "x"))))
        CheckAbsent(location, key, name, ini);
      break;
    default: {
      const std::uint32_t root = registry::ResolveStoreRoot(location);
      FUZZ_CHECK(ini ? root == registry::kIniFile : root != registry::kIniFile,
                 "\"" + location + "\" resolves to " + std::to_string(root));
      return;
    }
  }
  FUZZ_CHECK(IsDocumentedStatus(status),
             "status " + std::to_string(status) + " is documented");
  if (status == registry::kStatusUnresolved && before)
    FUZZ_CHECK(State() == before, "a call answering 99 changed nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  Context& c = TheContext();
  platform::emulated::Reset();
  platform::emulated::InjectKeyError(platform::kHkeyLocalMachine, kDeniedKey,
                                     platform::kErrorAccessDenied);
  fixture::WriteFile(c.iniPath, kInitialIni);
  c.iniPlain = true;
  FuzzedDataProvider input(data, size);
  for (int i = 0; i < kMaxCalls && input.remaining_bytes() > 0; ++i) {
    try {
      Call(input, c);
    } catch (...) {
      fuzz::Fail(__FILE__, __LINE__, "a store call threw");
    }
  }
  // Everything allocated is freed again, so the fuzzer sees no leak.
  platform::emulated::Reset();
  return 0;
}
