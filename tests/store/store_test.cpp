// The settings store, on whichever backend the build links: the emulated
// platform natively, the real registry and profile functions under Wine.
// Same cases, same expectations on both.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/registry.h"
#include "tests/support/registry_fixture.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include "platform/emulated/emulated.h"
#include "tests/support/file_size_limit.h"
#endif

namespace registry {
// GoogleTest prints a SettingValue as its kind and contents.
void PrintTo(const SettingValue& v, std::ostream* out) {
  switch (v.tag()) {
    case SettingValue::Tag::kString:
      *out << "string \"" << v.text() << "\" (" << v.text().size() << " chars)";
      return;
    case SettingValue::Tag::kInteger:
      *out << "integer " << v.integer();
      return;
    case SettingValue::Tag::kBoolean:
      *out << "Boolean word " << v.word();
  }
}
}  // namespace registry

namespace {

namespace fs = std::filesystem;
using fixture::Sz;
using registry::DeleteStoreValue;
using registry::ReadStoreValue;
using registry::ResolveStoreRoot;
using registry::SettingValue;
using registry::WriteStoreValue;
using Bytes = std::vector<std::uint8_t>;

constexpr platform::Key kHkcu = platform::kHkeyCurrentUser;
constexpr platform::Key kHklm = platform::kHkeyLocalMachine;
const std::string kScratch = "Software\\MovarinTests\\Store";
const std::string kName = "MIPMapThreshold";

SettingValue True() { return SettingValue::Boolean(-1); }
SettingValue False() { return SettingValue::Boolean(0); }
SettingValue Word(std::int16_t w) { return SettingValue::Boolean(w); }

fixture::RawValue Raw(std::uint32_t type, Bytes data) {
  return {type, std::move(data)};
}
fixture::RawValue Binary(Bytes data) {
  return {platform::kRegBinary, std::move(data)};
}
fixture::RawValue Dword(Bytes data) {
  return {platform::kRegDword, std::move(data)};
}

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    platform::emulated::Reset();
#endif
    Clear();
  }
  void TearDown() override { Clear(); }
  static void Clear() {
    fixture::DeleteTree(kHkcu, kScratch);
    fixture::DeleteTree(kHklm, kScratch);
  }
};

// ---- Store locations ----

TEST_F(RegistryStore, RootNamesResolveInAnyCaseButUntrimmed) {
  const struct {
    const char* location;
    std::uint32_t root;
  } cases[] = {
      {"HKCU", 0x80000001u},
      {"Hklm", 0x80000002u},
      {"hku", 0x80000003u},
      {"HKDD", 0x80000006u},
      {"hKcC", 0x80000005u},
      {"HKCR", 0x80000000u},
      // Not root names, and no such files either.
      {" HKLM", 0},
      {"HKLM ", 0},
      {"HKEY_LOCAL_MACHINE", 0},
      {"HK", 0},
      {"", 0},
      {"HKLM\\Software", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveStoreRoot(c.location), c.root) << '"' << c.location << '"';
  }
}

// ---- Reading from the registry ----

struct ReadCase {
  const char* what;
  std::optional<fixture::RawValue>
      stored;  // nullopt: the key holds no such value
  const char* kind;
  SettingValue defaultValue;
  std::int32_t status;
  SettingValue result;
};

TEST_F(RegistryStore, ReadsEachKindInItsOwnFormWhateverTheStoredType) {
  const std::vector<ReadCase> cases = {
      {"absent value", std::nullopt, "S", "0", 2, "0"},
      {"absent value, D", std::nullopt, "D", 5, 2, 5},
      {"REG_SZ", Sz("175"), "S", "0", 0, "175"},
      {"kind in lower case", Sz("175"), "s", "0", 0, "175"},
      {"empty REG_SZ", Sz(""), "S", "x", 0, ""},
      {"REG_SZ of no bytes at all", Raw(platform::kRegSz, {}), "S", "x", 0, ""},
      {"REG_SZ over an integer default", Sz("3"), "S", 7, 0, "3"},
      {"REG_DWORD as text drops the last byte", Dword({0x31, 0x32, 0x33, 0x34}),
       "S", "", 0, "123"},
      {"binary with NULs as text", Binary({'a', 0, 'b', 0}), "S", "", 0,
       std::string("a\0b", 3)},
      {"B on FF FF", Binary({0xFF, 0xFF}), "B", False(), 0, True()},
      {"B on 00 00", Binary({0x00, 0x00}), "B", True(), 0, False()},
      {"B on one byte 01", Binary({0x01}), "b", 7, 0, Word(1)},
      {"B on a REG_SZ \"1\"", Sz("1"), "B", 0, 0, Word(0x0031)},
      {"B on three bytes", Binary({1, 2, 3}), "B", 7, 234, 7},
      {"D on REG_DWORD 175", Dword({0xAF, 0, 0, 0}), "D", 0, 0, 175},
      {"D on REG_DWORD -2", Dword({0xFE, 0xFF, 0xFF, 0xFF}), "d", 0, 0, -2},
      {"D on two bytes", Binary({0x01, 0x02}), "D", 0, 0, 0x0201},
      {"D on eight bytes", Binary({1, 2, 3, 4, 5, 6, 7, 8}), "D", 9, 234, 9},
      {"D over a string default", Dword({0x2A, 0, 0, 0}), "D", "x", 0, 42},
      // Kinds that read nothing from the registry: no key is opened.
      {"kind X", Sz("175"), "X", "d", 99, "d"},
      {"empty kind", Sz("175"), "", "d", 99, "d"},
      {"kind SZ", Sz("175"), "SZ", "d", 99, "d"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    if (c.stored) {
      ASSERT_TRUE(fixture::SeedRaw(kHkcu, kScratch, kName, c.stored->type,
                                   c.stored->data));
    } else {
      ASSERT_TRUE(fixture::SeedString(kHkcu, kScratch, "Other", "1"));
    }
    SettingValue result = "untouched";
    EXPECT_EQ(
        ReadStoreValue("HKCU", kScratch, kName, c.kind, c.defaultValue, result),
        c.status);
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(RegistryStore, ReadOrDeleteUnderAnAbsentKeyCreatesNothing) {
  for (const char* kind : {"S", "B", "D", "X"}) {
    SettingValue result;
    const std::int32_t status =
        ReadStoreValue("HKLM", kScratch + "\\Absent", kName, kind, "0", result);
    EXPECT_EQ(status, std::string(kind) == "X" ? 99 : 2) << kind;
    EXPECT_EQ(result, SettingValue("0"));
    EXPECT_FALSE(fixture::KeyExists(kHklm, kScratch)) << kind;
  }
  EXPECT_EQ(DeleteStoreValue(
                "HKLM", kScratch + "\\Game Settings\\D3D\\none.exe", kName),
            0);
  EXPECT_FALSE(fixture::KeyExists(kHklm, kScratch));
}

TEST_F(RegistryStore, ReadsAndWritesValuesOf64KiBWhole) {
  Bytes big(64 * 1024);
  for (std::size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<std::uint8_t>('a' + i % 26);
  ASSERT_TRUE(
      fixture::SeedRaw(kHkcu, kScratch, kName, platform::kRegBinary, big));
  SettingValue result;
  EXPECT_EQ(ReadStoreValue("HKCU", kScratch, kName, "S", "", result), 0);
  ASSERT_TRUE(result.IsString());
  EXPECT_EQ(result.text(), std::string(big.begin(), big.end() - 1));

  const std::string text(64 * 1024, 'x');
  EXPECT_EQ(WriteStoreValue("HKCU", kScratch, kName, "S", text), 0);
  EXPECT_TRUE(fixture::ReadRaw(kHkcu, kScratch, kName) == Sz(text));
}

// ---- Writing to the registry ----

struct WriteCase {
  const char* what;
  const char* kind;
  SettingValue value;
  std::int32_t status;
  std::optional<fixture::RawValue> stored;  // nullopt: nothing written, no key
};

TEST_F(RegistryStore, WritesEachKindWithItsTypeAndBytes) {
  const std::vector<WriteCase> cases = {
      {"S from 175", "S", 175, 0,
       Raw(platform::kRegSz, {0x31, 0x37, 0x35, 0x00})},
      {"S from empty text", "S", "", 0, Raw(platform::kRegSz, {0x00})},
      {"S from text", "s", "exemple.exe", 0, Sz("exemple.exe")},
      {"S from True", "S", True(), 0, Sz("True")},
      {"S from False", "S", False(), 0, Sz("False")},
      {"B from non-zero", "b", 7, 0, Binary({0xFF, 0xFF})},
      {"B from 0", "B", 0, 0, Binary({0x00, 0x00})},
      {"B from True", "B", True(), 0, Binary({0xFF, 0xFF})},
      {"B from an odd word", "B", Word(1), 0, Binary({0xFF, 0xFF})},
      {"B from \"True\"", "B", "true", 0, Binary({0xFF, 0xFF})},
      {"B from \"FALSE\"", "B", "FALSE", 0, Binary({0x00, 0x00})},
      {"B from \"0\"", "B", "0", 0, Binary({0x00, 0x00})},
      {"B from \"12\"", "B", "12", 0, Binary({0xFF, 0xFF})},
      {"B from a huge number", "B", "99999999999", 0, Binary({0xFF, 0xFF})},
      {"B from text that is no number", "B", "yes", 99, std::nullopt},
      {"B from empty text", "B", "", 99, std::nullopt},
      {"D from 175", "D", 175, 0, Dword({0xAF, 0x00, 0x00, 0x00})},
      {"D from -2", "d", -2, 0, Dword({0xFE, 0xFF, 0xFF, 0xFF})},
      {"D from 32767", "D", 32767, 0, Dword({0xFF, 0x7F, 0x00, 0x00})},
      {"D from -32768", "D", -32768, 0, Dword({0x00, 0x80, 0xFF, 0xFF})},
      {"D from True", "D", True(), 0, Dword({0xFF, 0xFF, 0xFF, 0xFF})},
      {"D from \"12.5\"", "D", "12.5", 0, Dword({0x0C, 0x00, 0x00, 0x00})},
      {"D from 40000", "D", 40000, 99, std::nullopt},
      {"D from -32769", "D", -32769, 99, std::nullopt},
      {"D from \"32767.5\"", "D", "32767.5", 99, std::nullopt},
      {"D from text that is no number", "D", "abc", 99, std::nullopt},
      {"kind X", "X", 1, 99, std::nullopt},
      {"empty kind", "", 1, 99, std::nullopt},
      {"kind SZ", "SZ", "1", 99, std::nullopt},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    EXPECT_EQ(WriteStoreValue("HKCU", kScratch, kName, c.kind, c.value),
              c.status);
    EXPECT_EQ(fixture::ReadRaw(kHkcu, kScratch, kName), c.stored);
    if (!c.stored) {
      EXPECT_FALSE(fixture::KeyExists(kHkcu, kScratch))
          << "converted after the key was made";
    }
  }
}

TEST_F(RegistryStore, WriteCreatesMissingLevelsAndReplacesAnotherType) {
  const std::string deep = kScratch + "\\Game Settings\\D3D\\game.exe";
  ASSERT_FALSE(fixture::KeyExists(kHklm, kScratch));
  EXPECT_EQ(WriteStoreValue("hklm", deep, kName, "S", 3), 0);
  EXPECT_EQ(fixture::ReadRaw(kHklm, deep, kName), Sz("3"));

  ASSERT_TRUE(fixture::SeedDword(kHkcu, kScratch, kName, 175));
  ASSERT_TRUE(fixture::SeedString(kHkcu, kScratch, "Other", "keep"));
  EXPECT_EQ(WriteStoreValue("HKCU", kScratch, kName, "S", 180), 0);
  EXPECT_EQ(fixture::ReadRaw(kHkcu, kScratch, kName), Sz("180"));
  EXPECT_EQ(fixture::ReadRaw(kHkcu, kScratch, "Other"), Sz("keep"));
}

// ---- Deleting from the registry ----

TEST_F(RegistryStore,
       DeleteRemovesAValueOfAnyTypeAndAnAbsentOneCountsAsDeleted) {
  const fixture::RawValue stored[] = {Sz("3"), Dword({1, 0, 0, 0}), Binary({}),
                                      Raw(platform::kRegSz, {})};
  for (const fixture::RawValue& raw : stored) {
    SCOPED_TRACE(raw.type);
    ASSERT_TRUE(fixture::SeedRaw(kHkcu, kScratch, kName, raw.type, raw.data));
    ASSERT_TRUE(fixture::SeedString(kHkcu, kScratch, "Other", "keep"));
    EXPECT_EQ(DeleteStoreValue("HKCU", kScratch, kName), 0);
    EXPECT_FALSE(fixture::ReadRaw(kHkcu, kScratch, kName).has_value());
    EXPECT_EQ(fixture::ReadRaw(kHkcu, kScratch, "Other"), Sz("keep"));
    EXPECT_EQ(DeleteStoreValue("HKCU", kScratch, kName), 0) << "deleting again";
  }
}

// ---- Keys the user may not touch ----

TEST_F(RegistryStore, AccessDeniedIsReportedAndNothingChanges) {
  const std::string denied = kScratch + "\\Denied";
  ASSERT_TRUE(fixture::SeedString(kHkcu, denied, kName, "3"));
  if (!fixture::DenyAccess(kHkcu, denied)) {
    GTEST_SKIP() << "this backend has no per-key access control";
  }
  SettingValue result;
  EXPECT_EQ(ReadStoreValue("HKCU", denied, kName, "S", "0", result), 5);
  EXPECT_EQ(result, SettingValue("0"));
  EXPECT_EQ(WriteStoreValue("HKCU", denied, kName, "S", 4), 5);
  EXPECT_EQ(DeleteStoreValue("HKCU", denied, kName), 5);
  EXPECT_EQ(fixture::ReadRaw(kHkcu, denied, kName), Sz("3"));
}

// ---- INI files ----

constexpr const char* kAbsent = "<absent>";

// What the platform's profile function finds, without the store.
std::string ProfileText(const fs::path& file, const std::string& section,
                        const std::string& key) {
  char buffer[1024] = {};
  const std::uint32_t n = platform::GetPrivateProfileStringA(
      section.c_str(), key.c_str(), kAbsent, buffer, sizeof buffer,
      file.string().c_str());
  return std::string(buffer, n);
}

class IniStore : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    platform::emulated::Reset();
#endif
    dir_.Write("settings.ini",
               "[D3D]\r\nMIPMapThreshold=42\r\nName=exemple.exe\r\n");
  }
  // Leaves the directory, so that it can be removed.
  void TearDown() override {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
  }

  fixture::TempDir dir_;
  const fs::path path_{dir_.Path()};
  const fs::path ini_{dir_.Join("settings.ini")};
  const std::string location_{ini_.string()};
};

TEST_F(IniStore, ReadsTextAndIntegers) {
  const struct {
    const char* what;
    const char* section;
    const char* key;
    const char* kind;
    SettingValue defaultValue;
    SettingValue result;
  } cases[] = {
      {"text", "D3D", "Name", "S", "d", "exemple.exe"},
      {"number as text", "D3D", kName.c_str(), "s", "d", "42"},
      {"integer", "D3D", kName.c_str(), "D", 7, 42},
      {"B reads an integer", "D3D", kName.c_str(), "B", False(), 42},
      {"another kind reads an integer", "D3D", kName.c_str(), "X", "d", 42},
      {"missing key: the default's text", "D3D", "None", "S", 5, "5"},
      {"Boolean default as text", "Other", "None", "S", True(), "True"},
      {"missing key reads 0, not the default", "D3D", "None", "D", 7, 0},
      {"text that is no number reads 0", "D3D", "Name", "D", 7, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingValue result = "untouched";
    EXPECT_EQ(ReadStoreValue(location_, c.section, c.key, c.kind,
                             c.defaultValue, result),
              0);
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(IniStore, ALongTextComesBackCutTo254Characters) {
  std::string text(300, 'z');
  text[253] = 'A';
  text[254] = 'B';
  dir_.Write("settings.ini", "[D3D]\r\nLong=" + text + "\r\n");
  SettingValue result;
  EXPECT_EQ(ReadStoreValue(location_, "D3D", "Long", "S", "", result), 0);
  EXPECT_EQ(result, SettingValue(text.substr(0, 254)));
}

TEST_F(IniStore, WritesTextOnly) {
  EXPECT_EQ(WriteStoreValue(location_, "D3D", kName, "S", 3), 0);
  EXPECT_EQ(ProfileText(ini_, "D3D", kName), "3");
  EXPECT_EQ(WriteStoreValue(location_, "New Section", "Flag", "s", True()), 0);
  EXPECT_EQ(ProfileText(ini_, "New Section", "Flag"), "True");
  EXPECT_EQ(WriteStoreValue(location_, "D3D", "Empty", "S", ""), 0);
  EXPECT_EQ(ProfileText(ini_, "D3D", "Empty"), "");

  const std::string before = dir_.Read("settings.ini");
  for (const char* kind : {"B", "D", "X", ""}) {
    EXPECT_EQ(WriteStoreValue(location_, "D3D", kName, kind, 1), 99) << kind;
  }
  EXPECT_EQ(dir_.Read("settings.ini"), before);
}

TEST_F(IniStore, DeleteRemovesTheEntryAndAddsNone) {
  EXPECT_EQ(DeleteStoreValue(location_, "D3D", kName), 0);
  EXPECT_EQ(ProfileText(ini_, "D3D", kName), kAbsent);
  EXPECT_EQ(ProfileText(ini_, "D3D", "Name"), "exemple.exe");

  const std::string before = dir_.Read("settings.ini");
  EXPECT_EQ(DeleteStoreValue(location_, "D3D", kName), 0);
  EXPECT_EQ(DeleteStoreValue(location_, "No Section", kName), 0);
  EXPECT_EQ(dir_.Read("settings.ini"), before);
}

#ifndef _WIN32
// A write or delete that cannot complete (the disk full, or here a file
// size limit) reports why; that the file stays as it was is the profile
// functions' part, held in the platform suite.
TEST_F(IniStore, AFailedWriteIsReported) {
  fixture::FileSizeLimit limit(16);
  EXPECT_EQ(WriteStoreValue(location_, "D3D", kName, "S", 5), 112);
  EXPECT_EQ(DeleteStoreValue(location_, "D3D", kName), 112);
}
#endif

// A relative name or a pattern: the store acts on the file the search found
// and makes no file named after the location.
TEST_F(IniStore, ARelativeLocationOrAPatternActsOnTheFileTheSearchFound) {
  fs::current_path(path_);
  for (const std::string& location :
       {std::string("settings.ini"), dir_.Join("set*.ini")}) {
    SCOPED_TRACE(location);
    EXPECT_EQ(ResolveStoreRoot(location), 1u);
    EXPECT_EQ(WriteStoreValue(location, "D3D", kName, "S", 5), 0);
    EXPECT_EQ(ProfileText(ini_, "D3D", kName), "5");
    SettingValue result;
    EXPECT_EQ(ReadStoreValue(location, "D3D", kName, "D", 0, result), 0);
    EXPECT_EQ(result, SettingValue(5));
    EXPECT_EQ(DeleteStoreValue(location, "D3D", kName), 0);
    EXPECT_EQ(ProfileText(ini_, "D3D", kName), kAbsent);
    EXPECT_EQ(dir_.Names(), std::vector<std::string>{"settings.ini"});
  }
}

// Neither a root name nor a file the search finds: no medium at all. Which
// files the search finds (ordinary ones, not hidden) is the platform suite's.
TEST_F(IniStore, UnresolvedLocationsKeepTheDefaultAndTouchNothing) {
  fixture::DeleteTree(kHkcu, kScratch);
  for (const std::string& location :
       {std::string(), dir_.Join("missing.ini"), std::string("HKXX")}) {
    EXPECT_EQ(ResolveStoreRoot(location), 0u) << location;
    for (const char* kind : {"S", "B", "D"}) {
      SCOPED_TRACE(location + " " + kind);
      SettingValue result = 1;
      EXPECT_EQ(ReadStoreValue(location, kScratch, kName, kind, True(), result),
                99);
      EXPECT_EQ(result, True());
      EXPECT_EQ(WriteStoreValue(location, kScratch, kName, kind, 1), 99);
    }
    EXPECT_EQ(DeleteStoreValue(location, kScratch, kName), 99) << location;
  }
  EXPECT_FALSE(fs::exists(path_ / "missing.ini"));
  EXPECT_FALSE(fixture::KeyExists(kHkcu, kScratch));
}

}  // namespace
