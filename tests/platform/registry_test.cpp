// The registry functions' contracts, as the store relies on them. Runs
// against the emulated registry natively and the real one under Wine.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/registry_fixture.h"

namespace {

using platform::Key;

constexpr char kScratch[] = "Software\\MovarinTests\\Platform";
constexpr std::uint8_t kFill = 0xAB;
constexpr std::uint32_t kReadWrite = platform::kKeyQueryValue |
                                     platform::kKeySetValue |
                                     platform::kKeyCreateSubKey;

// Each test starts with an empty scratch key under HKCU and HKLM and an
// open handle to the HKCU one.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (Key root : kRoots) fixture::DeleteTree(root, kScratch);
    ASSERT_EQ(0, Create(platform::kHkeyCurrentUser, kScratch, &scratch_));
  }
  void TearDown() override {
    platform::RegCloseKey(scratch_);
    for (Key root : kRoots) fixture::DeleteTree(root, kScratch);
  }

  static long Create(Key root, const std::string& path, Key* key,
                     std::uint32_t* disposition = nullptr) {
    platform::SecurityAttributes security;
    return platform::RegCreateKeyExA(root, path.c_str(), 0, "", 0, kReadWrite,
                                     &security, key, disposition);
  }
  // Creates and closes; the answer of the create.
  long CreateHere(const std::string& path) {
    Key key = 0;
    const long code = Create(scratch_, path, &key);
    if (code == 0) platform::RegCloseKey(key);
    return code;
  }
  // Opens and closes; the answer of the open.
  long OpenHere(const std::string& path,
                std::uint32_t access = platform::kKeyQueryValue) {
    Key key = 0;
    const long code =
        platform::RegOpenKeyExA(scratch_, path.c_str(), 0, access, &key);
    if (code == 0) platform::RegCloseKey(key);
    return code;
  }
  void Set(const char* name, std::uint32_t type,
           const std::vector<std::uint8_t>& data) {
    ASSERT_EQ(
        0, platform::RegSetValueExA(scratch_, name, 0, type, data.data(),
                                    static_cast<std::uint32_t>(data.size())));
  }

  static constexpr std::array<Key, 2> kRoots = {platform::kHkeyCurrentUser,
                                                platform::kHkeyLocalMachine};
  Key scratch_ = 0;
};

TEST_F(RegistryTest, OpeningAnAbsentKeyAnswers2AndCreatesNothing) {
  for (std::uint32_t access :
       {platform::kKeyQueryValue, platform::kKeySetValue}) {
    Key key = 0x5555;
    EXPECT_EQ(2, platform::RegOpenKeyExA(scratch_, "Absent\\Deeper", 0, access,
                                         &key));
    EXPECT_EQ(Key{0x5555}, key) << "the handle is untouched on failure";
  }
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyCurrentUser,
                                  std::string(kScratch) + "\\Absent"));
}

TEST_F(RegistryTest, CreateMakesEveryMissingLevelUnderEitherRoot) {
  for (Key root : kRoots) {
    const std::string path = std::string(kScratch) + "\\A\\B\\C";
    Key key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(0, Create(root, path, &key, &disposition));
    EXPECT_EQ(1u, disposition) << "created";
    EXPECT_EQ(0, platform::RegCloseKey(key));
    ASSERT_EQ(0, Create(root, path, &key, &disposition));
    EXPECT_EQ(2u, disposition) << "opened existing";
    EXPECT_EQ(0, platform::RegCloseKey(key));
    for (const char* level : {"\\A", "\\A\\B", "\\A\\B\\C"}) {
      EXPECT_TRUE(fixture::KeyExists(root, std::string(kScratch) + level))
          << level;
    }
  }
}

TEST_F(RegistryTest, KeyNamesIgnoreCase) {
  ASSERT_EQ(0, CreateHere("MixedCase\\Child"));
  EXPECT_EQ(0, OpenHere("MIXEDCASE\\child"));
  EXPECT_EQ(0, OpenHere("mixedcase"));
  Key key = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(0, Create(scratch_, "mixedCASE", &key, &disposition));
  EXPECT_EQ(2u, disposition);
  platform::RegCloseKey(key);
}

// Empty components are skipped, a leading backslash is refused, and "." and
// ".." are ordinary names that never leave their parent.
TEST_F(RegistryTest, KeyPathRules) {
  EXPECT_EQ(0, CreateHere("D\\\\E\\\\"));
  EXPECT_EQ(0, OpenHere("D\\E"));
  EXPECT_EQ(0, OpenHere("D\\E\\"));
  EXPECT_EQ(0, OpenHere("D\\\\\\E"));

  EXPECT_EQ(161, CreateHere("\\Lead"));
  EXPECT_EQ(161, OpenHere("\\D"));
  EXPECT_EQ(2, OpenHere("Lead"));

  EXPECT_EQ(0, CreateHere("..\\F"));
  EXPECT_EQ(0, OpenHere("..\\F"));
  EXPECT_EQ(2, OpenHere("F"));
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyCurrentUser,
                                  "Software\\MovarinTests\\F"));
  EXPECT_EQ(0, CreateHere(".\\G"));
  EXPECT_EQ(2, OpenHere("G"));
}

// One key-name component may be 255 characters long.
//
// Where the backends differ: Wine accepts 256 characters too and refuses
// from 257 on (both with 87); the emulated registry refuses from 256 on, the
// limit Windows documents. So 256 is not asserted. The names are opened
// relative to the scratch key because Wine's "A" functions answer 234 for
// any key path of 261 characters or more.
TEST_F(RegistryTest, KeyNameComponentsUpTo255Characters) {
  const std::string longest(255, 'k');
  const std::string tooLong(257, 'k');
  EXPECT_EQ(0, CreateHere(longest));
  EXPECT_EQ(0, OpenHere(longest));
  EXPECT_EQ(87, CreateHere(tooLong));
  EXPECT_EQ(87, OpenHere(tooLong));
  EXPECT_EQ(2, OpenHere(std::string(255, 'x')));
  EXPECT_EQ(87, OpenHere(std::string(257, 'x')));
}

// The "A" functions refuse a key path of more than 260 characters, whatever
// its components, before looking anything up.
TEST_F(RegistryTest, KeyPathsUpTo260Characters) {
  auto path = [](std::size_t length) {
    std::string text;
    while (text.size() < length) text += "abcdefghi\\";
    text.resize(length - 1);
    return text + "z";
  };
  EXPECT_EQ(0, CreateHere(path(260)));
  EXPECT_EQ(0, OpenHere(path(260)));
  EXPECT_EQ(234, CreateHere(path(261)));
  EXPECT_EQ(234, OpenHere(path(261)));
  EXPECT_EQ(234, OpenHere(path(20000)));
  EXPECT_EQ(234, CreateHere("z" + std::string(260, '\\')));
}

TEST_F(RegistryTest, NullOrEmptySubKeyOpensTheKeyItself) {
  for (const char* subKey : {static_cast<const char*>(nullptr), ""}) {
    Key key = 0;
    ASSERT_EQ(0, platform::RegOpenKeyExA(platform::kHkeyCurrentUser, subKey, 0,
                                         platform::kKeyQueryValue, &key));
    EXPECT_EQ(platform::kHkeyCurrentUser, key) << "a root opens as itself";
    EXPECT_EQ(0, platform::RegCloseKey(key));

    Set("Here", platform::kRegSz, fixture::SzBytes("x"));
    ASSERT_EQ(0, platform::RegOpenKeyExA(scratch_, subKey, 0,
                                         platform::kKeyQueryValue, &key));
    EXPECT_NE(scratch_, key) << "an open key opens as a new handle";
    std::uint32_t size = 0;
    EXPECT_EQ(0, platform::RegQueryValueExA(key, "Here", nullptr, nullptr,
                                            nullptr, &size));
    EXPECT_EQ(2u, size);
    EXPECT_EQ(0, platform::RegCloseKey(key));
  }
}

TEST_F(RegistryTest, HandlesAreFreshAndCloseOnce) {
  Key first = 0, second = 0;
  ASSERT_EQ(0, platform::RegOpenKeyExA(platform::kHkeyCurrentUser, kScratch, 0,
                                       platform::kKeyQueryValue, &first));
  ASSERT_EQ(0, platform::RegOpenKeyExA(platform::kHkeyCurrentUser, kScratch, 0,
                                       platform::kKeyQueryValue, &second));
  EXPECT_NE(first, second);
  EXPECT_EQ(0, platform::RegCloseKey(first));
  EXPECT_EQ(6, platform::RegCloseKey(first)) << "closed already";
  std::uint32_t size = 0;
  EXPECT_EQ(6, platform::RegQueryValueExA(first, "x", nullptr, nullptr, nullptr,
                                          &size));
  EXPECT_EQ(0, platform::RegCloseKey(second));
  EXPECT_EQ(6, platform::RegCloseKey(Key{0x12345678}));
  EXPECT_EQ(0, platform::RegCloseKey(platform::kHkeyCurrentUser));
}

// The store's two-step read: a real buffer offered with size 0 answers 234
// and the size needed; the buffer is never touched by 234 or 2.
TEST_F(RegistryTest, QueryReportsTheNeededSizeAndLeavesTheBufferAlone) {
  Set("Clock", platform::kRegSz, fixture::SzBytes("175"));
  struct Case {
    std::uint32_t offered;
    long code;
  };
  for (const Case& c : {Case{0, 234}, Case{3, 234}, Case{4, 0}, Case{16, 0}}) {
    std::array<std::uint8_t, 16> buffer;
    buffer.fill(kFill);
    std::uint32_t size = c.offered;
    std::uint32_t type = 99;
    ASSERT_EQ(c.code, platform::RegQueryValueExA(scratch_, "clock", nullptr,
                                                 &type, buffer.data(), &size))
        << "offered " << c.offered;
    EXPECT_EQ(4u, size) << "offered " << c.offered;
    EXPECT_EQ(platform::kRegSz, type);
    const std::size_t written = c.code == 0 ? 4 : 0;
    if (written != 0) {
      EXPECT_EQ(0, std::memcmp(buffer.data(), "175", 4));
    }
    for (std::size_t i = written; i < buffer.size(); ++i) {
      ASSERT_EQ(kFill, buffer[i]) << "offered " << c.offered << ", byte " << i;
    }
  }
}

// A query of an absent value leaves the buffer and its size alone; asked
// for the size alone, it answers 0 there.
TEST_F(RegistryTest, QueryOfAnAbsentValueAnswers2AndTouchesNoBuffer) {
  std::array<std::uint8_t, 8> buffer;
  buffer.fill(kFill);
  std::uint32_t size = 8;
  EXPECT_EQ(2, platform::RegQueryValueExA(scratch_, "Absent", nullptr, nullptr,
                                          buffer.data(), &size));
  EXPECT_EQ(8u, size);
  for (std::uint8_t byte : buffer) EXPECT_EQ(kFill, byte);
  EXPECT_EQ(2, platform::RegQueryValueExA(scratch_, "Absent", nullptr, nullptr,
                                          nullptr, &size));
  EXPECT_EQ(0u, size);
}

// A text whose counted bytes stop just short of its NUL is stored with it:
// the set looks at the byte after the counted ones. Other types keep the
// count.
TEST_F(RegistryTest, ATextGetsTheNulJustAfterItsCountedBytes) {
  const std::uint8_t text[] = "ThisNeverBreaks";
  const std::uint8_t twoLetters[] = "ab";
  struct Case {
    std::uint32_t type;
    const std::uint8_t* data;
    std::uint32_t counted;
    std::uint32_t stored;
  };
  const Case cases[] = {
      {platform::kRegSz, text, 15, 16},
      {platform::kRegExpandSz, text, 15, 16},
      {platform::kRegMultiSz, text, 15, 16},
      {platform::kRegBinary, text, 15, 15},
      {platform::kRegSz, text, 16, 16},
      {platform::kRegSz, twoLetters, 1, 1},  // the next byte is no NUL
      {platform::kRegSz, text, 0, 0},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(0, platform::RegSetValueExA(scratch_, "v", 0, c.type, c.data,
                                          c.counted));
    std::uint32_t size = 0;
    EXPECT_EQ(0, platform::RegQueryValueExA(scratch_, "v", nullptr, nullptr,
                                            nullptr, &size));
    EXPECT_EQ(c.stored, size) << "type " << c.type << ", " << c.counted;
  }
}

// Data comes back as stored, byte for byte and with its size, whatever the
// type says; a REG_SZ of no bytes at all included.
TEST_F(RegistryTest, DataIsStoredByteForByte) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const Case cases[] = {
      {"EmptyText", platform::kRegSz, {}},
      {"Text", platform::kRegSz, fixture::SzBytes("MIPMapThreshold")},
      {"Accented", platform::kRegSz, {'c', 0xE9, 0}},
      {"EmptyBinary", platform::kRegBinary, {}},
      {"Binary", platform::kRegBinary, {0x00, 0xFF, 0x10, 0x00}},
      {"Word", platform::kRegBinary, {0xFF, 0xFF}},
      {"Dword", platform::kRegDword, {0x1F, 0x00, 0x00, 0x80}},
      {"ShortDword", platform::kRegDword, {0x01, 0x02}},
      {"None", platform::kRegNone, {0x01}},
  };
  for (const Case& c : cases) Set(c.name, c.type, c.data);
  for (const Case& c : cases) {
    std::array<std::uint8_t, 32> buffer;
    buffer.fill(kFill);
    std::uint32_t size = buffer.size();
    std::uint32_t type = 99;
    ASSERT_EQ(0, platform::RegQueryValueExA(scratch_, c.name, nullptr, &type,
                                            buffer.data(), &size))
        << c.name;
    EXPECT_EQ(c.type, type) << c.name;
    ASSERT_EQ(c.data.size(), size) << c.name;
    EXPECT_TRUE(std::equal(c.data.begin(), c.data.end(), buffer.begin()))
        << c.name;
    EXPECT_EQ(kFill, buffer[size]) << c.name << ": nothing written beyond";
    const auto raw =
        fixture::ReadRaw(platform::kHkeyCurrentUser, kScratch, c.name);
    ASSERT_TRUE(raw.has_value()) << c.name;
    EXPECT_EQ((fixture::RawValue{c.type, c.data}), *raw) << c.name;
  }
}

TEST_F(RegistryTest, SetReplacesAValueOfAnyTypeAndNamesIgnoreCase) {
  Set("Threshold", platform::kRegDword, {1, 0, 0, 0});
  Set("THRESHOLD", platform::kRegSz, fixture::SzBytes("3"));
  const auto raw =
      fixture::ReadRaw(platform::kHkeyCurrentUser, kScratch, "threshold");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ((fixture::RawValue{platform::kRegSz, fixture::SzBytes("3")}), *raw);
}

TEST_F(RegistryTest, NullAndEmptyValueNamesAreTheDefaultValue) {
  ASSERT_EQ(0, platform::RegSetValueExA(scratch_, nullptr, 0, platform::kRegSz,
                                        fixture::SzBytes("d").data(), 2));
  std::uint32_t size = 0;
  EXPECT_EQ(0, platform::RegQueryValueExA(scratch_, "", nullptr, nullptr,
                                          nullptr, &size));
  EXPECT_EQ(2u, size);
  EXPECT_EQ(0, platform::RegDeleteValueA(scratch_, ""));
  EXPECT_EQ(2, platform::RegQueryValueExA(scratch_, nullptr, nullptr, nullptr,
                                          nullptr, &size));
}

TEST_F(RegistryTest, DeleteRemovesAValueOnceAndAnswers2Afterwards) {
  Set("Gone", platform::kRegSz, fixture::SzBytes("x"));
  Set("Kept", platform::kRegSz, fixture::SzBytes("y"));
  EXPECT_EQ(0, platform::RegDeleteValueA(scratch_, "GONE"));
  EXPECT_EQ(2, platform::RegDeleteValueA(scratch_, "Gone"));
  EXPECT_EQ(2, platform::RegDeleteValueA(scratch_, "NeverThere"));
  EXPECT_FALSE(fixture::ReadRaw(platform::kHkeyCurrentUser, kScratch, "Gone"));
  EXPECT_TRUE(fixture::ReadRaw(platform::kHkeyCurrentUser, kScratch, "Kept"));
}

// A key opened for reading cannot be written through, and one opened for
// writing cannot be read through: the access masks the store passes matter.
TEST_F(RegistryTest, AccessMasksAreHonoured) {
  Set("Value", platform::kRegSz, fixture::SzBytes("x"));
  Key reader = 0;
  ASSERT_EQ(0, platform::RegOpenKeyExA(platform::kHkeyCurrentUser, kScratch, 0,
                                       platform::kKeyQueryValue, &reader));
  EXPECT_EQ(5, platform::RegSetValueExA(reader, "Value", 0, platform::kRegSz,
                                        fixture::SzBytes("y").data(), 2));
  EXPECT_EQ(5, platform::RegDeleteValueA(reader, "Value"));
  platform::RegCloseKey(reader);

  Key writer = 0;
  ASSERT_EQ(0, platform::RegOpenKeyExA(platform::kHkeyCurrentUser, kScratch, 0,
                                       platform::kKeySetValue, &writer));
  std::uint32_t size = 0;
  EXPECT_EQ(5, platform::RegQueryValueExA(writer, "Value", nullptr, nullptr,
                                          nullptr, &size));
  EXPECT_EQ(0, platform::RegDeleteValueA(writer, "Value"));
  platform::RegCloseKey(writer);
}

TEST_F(RegistryTest, FixtureClearsAWholeTree) {
  ASSERT_TRUE(fixture::SeedString(platform::kHkeyCurrentUser,
                                  std::string(kScratch) + "\\T\\U\\V", "n",
                                  "v"));
  ASSERT_TRUE(fixture::SeedDword(platform::kHkeyCurrentUser,
                                 std::string(kScratch) + "\\T", "d", 7));
  EXPECT_EQ((fixture::RawValue{platform::kRegDword, {7, 0, 0, 0}}),
            fixture::ReadRaw(platform::kHkeyCurrentUser,
                             std::string(kScratch) + "\\T", "d"));
  fixture::DeleteTree(platform::kHkeyCurrentUser,
                      std::string(kScratch) + "\\T");
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyCurrentUser,
                                  std::string(kScratch) + "\\T"));
  EXPECT_TRUE(fixture::KeyExists(platform::kHkeyCurrentUser, kScratch));
}

}  // namespace
