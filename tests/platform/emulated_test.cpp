// The emulated backend's own hooks: REGEDIT4 fixtures and injected errors
// recorded shell calls and launches; and what only it can show, such as
// data kept byte for byte where Wine's "A" layer adds a NUL.
#include "platform/emulated/emulated.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/registry_fixture.h"

namespace {

namespace emulated = platform::emulated;
using platform::Key;

class EmulatedTest : public ::testing::Test {
 protected:
  void SetUp() override { emulated::Reset(); }
  void TearDown() override { emulated::Reset(); }

  static std::string Dump() {
    return emulated::DumpRegedit4().value_or("(no dump)");
  }
  // Creates or opens path below parent for writing, or opens it for
  // reading; the answer of the call.
  static long Create(Key parent, const char* path, Key* key) {
    return platform::RegCreateKeyExA(
        parent, path, 0, "", 0, platform::kKeySetValue, nullptr, key, nullptr);
  }
  static long Open(Key parent, const char* path, Key* key) {
    return platform::RegOpenKeyExA(parent, path, 0, platform::kKeyQueryValue,
                                   key);
  }
};

constexpr char kFixture[] =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\PowerVR\\KYRO\\Global\\D3D]\n"
    "\"MIPMapThreshold\"=\"3\"\n"
    "@=\"default \\\"quoted\\\" \\\\ text\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\PowerVR\\KYRO\\HWSettings\\PMXKERN]\n"
    "\"Binary\"=hex:00,ff,10\n"
    "\"CorePLLFreq2\"=dword:000000af\n"
    "\"EmptyText\"=hex(1):\n"
    "\"Multi\"=hex(7):61,00,00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Empty Key]\n"
    "\n";

// Whatever the registry holds, its dump loads back to the same registry.
TEST_F(EmulatedTest, EveryDumpLoadsBackToItself) {
  struct Case {
    Key root;
    const char* key;
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* dumped;  // what the dump shows of it
  };
  const Case cases[] = {
      {platform::kHkeyCurrentUser, "", "v", platform::kRegSz,
       fixture::SzBytes("x"), "[HKEY_CURRENT_USER]\n\"v\"=\"x\"\n"},
      {platform::kHkeyLocalMachine,
       "",
       "",
       platform::kRegDword,
       {1, 0, 0, 0},
       "[HKEY_LOCAL_MACHINE]\n@=dword:00000001\n"},
      // Quotes and backslashes escaped.
      {platform::kHkeyCurrentUser, "", "q", platform::kRegSz,
       fixture::SzBytes("a \"b\" \\ c"), "\"q\"=\"a \\\"b\\\" \\\\ c\"\n"},
      // A quoted string cannot hold a line end.
      {platform::kHkeyCurrentUser, "a", "multi", platform::kRegSz,
       fixture::SzBytes("l1\nl2"), "\"multi\"=hex(1):6c,31,0a,6c,32,00\n"},
      {platform::kHkeyCurrentUser, "a", "cr", platform::kRegSz,
       fixture::SzBytes("a\rb"), "\"cr\"=hex(1):61,0d,62,00\n"},
      {platform::kHkeyCurrentUser,
       "a",
       "raw",
       platform::kRegSz,
       {'a', 'b'},
       "\"raw\"=hex(1):61,62\n"},
      {platform::kHkeyCurrentUser,
       "a",
       "type",
       0x11111111u,
       {0},
       "\"type\"=hex(11111111):00\n"},
  };
  for (const Case& c : cases) {
    emulated::Reset();
    ASSERT_TRUE(fixture::SeedRaw(c.root, c.key, c.name, c.type, c.data));
    const std::string dump = Dump();
    EXPECT_NE(std::string::npos, dump.find(c.dumped)) << dump;
    emulated::Reset();
    EXPECT_TRUE(emulated::LoadRegedit4(dump)) << dump;
    EXPECT_EQ(dump, Dump());
  }
}

TEST_F(EmulatedTest, ANameWithALineEndHasNoDump) {
  for (const char* name : {"a\nb", "a\rb"}) {
    emulated::Reset();
    ASSERT_TRUE(fixture::SeedString(platform::kHkeyCurrentUser, "k", name, ""));
    EXPECT_FALSE(emulated::DumpRegedit4()) << "value " << name;
    emulated::Reset();
    ASSERT_TRUE(fixture::SeedString(platform::kHkeyCurrentUser,
                                    std::string("k\\") + name, "v", ""));
    EXPECT_FALSE(emulated::DumpRegedit4()) << "key " << name;
  }
}

// Value deletions and continued lines are the regedit suite's, on both
// backends.
TEST_F(EmulatedTest, Regedit4KeyDeletionTakesTheWholeSubtree) {
  ASSERT_TRUE(emulated::LoadRegedit4(kFixture));
  ASSERT_TRUE(emulated::LoadRegedit4(
      "REGEDIT4\r\n"
      "\r\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\PowerVR\\KYRO\\Global]\r\n"));
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyLocalMachine,
                                  "SOFTWARE\\PowerVR\\KYRO\\Global\\D3D"));
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyLocalMachine,
                                  "SOFTWARE\\PowerVR\\KYRO\\Global"));
  EXPECT_TRUE(fixture::KeyExists(platform::kHkeyLocalMachine,
                                 "SOFTWARE\\PowerVR\\KYRO"));
}

TEST_F(EmulatedTest, MalformedRegedit4IsRefusedAndChangesNothing) {
  ASSERT_TRUE(emulated::LoadRegedit4(kFixture));
  const std::string before = Dump();
  std::string deep = "REGEDIT4\n[HKEY_CURRENT_USER";
  for (int level = 0; level < 513; ++level) deep += "\\d";
  for (const std::string& text : std::vector<std::string>{
           "",
           "[HKEY_CURRENT_USER\\X]\n",           // no header
           "REGEDIT4\n[HKEY_NOWHERE\\X]\n",      // unknown root
           "REGEDIT4\n[HKEY_CURRENT_USER\\X\n",  // unclosed
           "REGEDIT4\n\"orphan\"=\"value\"\n",   // no key yet
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"v\"=dword:123456789\n",
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"v\"=hex:0g\n",
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"v\"=\"open\n",
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\nv=\"unquoted name\"\n",
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"v\"=hex(11111111111111111):"
           "00\n",
           // Good lines first: nothing of them stays either.
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"ok\"=\"1\"\n"
           "[-HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"v\"=\"no key selected\"\n",
           "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"ok\"=\"1\"\n"
           "[HKEY_CURRENT_USER\\" +
               std::string(256, 'k') + "]\n",
           deep + "]\n",
       }) {
    EXPECT_FALSE(emulated::LoadRegedit4(text)) << text;
    EXPECT_EQ(before, Dump()) << text;
  }
}

TEST_F(EmulatedTest, KeysKeepTheSpellingTheyWereCreatedWith) {
  ASSERT_TRUE(fixture::SeedString(platform::kHkeyCurrentUser, "First\\Spelling",
                                  "Name", "1"));
  ASSERT_TRUE(fixture::SeedString(platform::kHkeyCurrentUser, "FIRST\\spelling",
                                  "NAME", "2"));
  EXPECT_EQ(
      "REGEDIT4\n\n"
      "[HKEY_CURRENT_USER\\First]\n\n"
      "[HKEY_CURRENT_USER\\First\\Spelling]\n"
      "\"Name\"=\"2\"\n\n",
      emulated::DumpRegedit4());
}

// Wine's "A" layer hands back a REG_SZ stored without its NUL with one
// added (and counts it); the emulated registry keeps the bytes as stored.
// Windows 9x never meets such a value from its own RegSetValueExA, which
// stores a REG_SZ's text with its NUL whatever the count says.
TEST_F(EmulatedTest, TextWithoutANulComesBackAsStored) {
  ASSERT_TRUE(fixture::SeedRaw(platform::kHkeyCurrentUser, "K", "V",
                               platform::kRegSz, {'a', 'b', 'c'}));
  Key key = 0;
  ASSERT_EQ(0, Open(platform::kHkeyCurrentUser, "K", &key));
  std::uint8_t buffer[8] = {};
  std::uint32_t size = 3;
  EXPECT_EQ(
      0, platform::RegQueryValueExA(key, "V", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(3u, size);
  platform::RegCloseKey(key);
}

// Windows documents a tree at most 512 levels deep; Wine sets no limit.
TEST_F(EmulatedTest, KeysGoAtMost512LevelsDeep) {
  Key key = platform::kHkeyCurrentUser;
  for (int level = 1; level <= 512; ++level) {
    Key child = 0;
    ASSERT_EQ(0, Create(key, "d", &child)) << level;
    platform::RegCloseKey(key);
    key = child;
  }
  Key child = 0;
  EXPECT_EQ(87, Create(key, "d", &child));
  ASSERT_EQ(0, platform::RegSetValueExA(key, "v", 0, platform::kRegSz,
                                        fixture::SzBytes("x").data(), 2));
  platform::RegCloseKey(key);
  // The dump names the deepest key by a path far over 260 characters, which
  // a load takes as regedit does.
  const std::string dump = Dump();
  emulated::Reset();
  ASSERT_TRUE(emulated::LoadRegedit4(dump));
  EXPECT_EQ(dump, Dump());
}

TEST_F(EmulatedTest, InjectedErrorsCoverTheKeyAndEverythingBelow) {
  ASSERT_TRUE(fixture::SeedString(platform::kHkeyLocalMachine,
                                  "A\\Denied\\Below", "v", "x"));
  ASSERT_TRUE(fixture::DenyAccess(platform::kHkeyLocalMachine, "a\\DENIED"));
  Key key = 0;
  for (const char* path : {"A\\Denied", "A\\Denied\\Below", "A\\Denied\\New"}) {
    EXPECT_EQ(5, Open(platform::kHkeyLocalMachine, path, &key)) << path;
    EXPECT_EQ(5, Create(platform::kHkeyLocalMachine, path, &key)) << path;
  }
  EXPECT_FALSE(
      fixture::KeyExists(platform::kHkeyLocalMachine, "A\\Denied\\New"));
  // Reached through an open parent as well; siblings and the parent are free.
  ASSERT_EQ(0, Open(platform::kHkeyLocalMachine, "A", &key));
  Key child = 0;
  EXPECT_EQ(5, Open(key, "Denied", &child));
  EXPECT_EQ(2, Open(key, "DeniedNot", &child));
  platform::RegCloseKey(key);
  EXPECT_EQ(2, Open(platform::kHkeyCurrentUser, "A\\Denied", &key))
      << "other roots are free";
  emulated::Reset();
  EXPECT_EQ(0, Create(platform::kHkeyLocalMachine, "A\\Denied", &key))
      << "a reset forgets injected errors";
  platform::RegCloseKey(key);
}

TEST_F(EmulatedTest, HandlesOfADeletedKeyAnswerKeyDeleted) {
  Key key = 0;
  ASSERT_EQ(0, Create(platform::kHkeyCurrentUser, "Doomed\\Sub", &key));
  fixture::DeleteTree(platform::kHkeyCurrentUser, "Doomed");
  EXPECT_EQ(1018, platform::RegSetValueExA(key, "v", 0, platform::kRegSz,
                                           fixture::SzBytes("x").data(), 2));
  EXPECT_EQ(0, platform::RegCloseKey(key));
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyCurrentUser, "Doomed"));
}

}  // namespace
