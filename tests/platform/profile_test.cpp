// The profile (INI) functions' rules, on files in a fresh directory. Runs
// against the emulated functions natively and the real ones under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include "tests/support/file_size_limit.h"
#endif

namespace {

using fixture::TempDir;

constexpr char kFill = '#';

class ProfileTest : public ::testing::Test {
 protected:
  // The text read for section/key with the default "dflt", as the store
  // reads it: a 255-character buffer.
  std::string Read(const char* section, const char* key,
                   const char* defaultText = "dflt") {
    std::array<char, 255> buffer;
    buffer.fill(kFill);
    const std::uint32_t count = platform::GetPrivateProfileStringA(
        section, key, defaultText, buffer.data(), buffer.size(),
        File().c_str());
    EXPECT_LE(count, 254u);
    EXPECT_EQ('\0', buffer[count]) << "the text ends with a NUL";
    return std::string(buffer.data(), count);
  }
  std::uint32_t ReadInt(const char* section, const char* key,
                        std::int32_t defaultValue = -7) {
    return platform::GetPrivateProfileIntA(section, key, defaultValue,
                                           File().c_str());
  }
  bool Write(const char* section, const char* key, const char* text) {
    return platform::WritePrivateProfileStringA(section, key, text,
                                                File().c_str());
  }
  std::string File() const { return dir_.Join("settings.ini"); }

  TempDir dir_;
};

TEST_F(ProfileTest, LookUpRules) {
  dir_.Write("settings.ini",
             "; a comment\r\n"
             "[Section]\r\n"
             "Key=value\r\n"
             "  Spaced Key  =  spaced value  \r\n"
             "Quoted=\"in quotes\"\r\n"
             "Single='single'\r\n"
             "Mismatched=\"abc'\r\n"
             "Inner=a \"b\" c\r\n"
             "Empty=\r\n"
             "NoEquals\r\n"
             "Dup=first\r\n"
             "Dup=second\r\n"
             "Equals=a=b\r\n"
             "\r\n"
             "[Other]\r\n"
             "K=other\r\n"
             "[section]\r\n"
             "Late=never seen\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Section", "Key", "value"},
      {"SECTION", "kEY", "value"},
      {"  Section ", " Key  ", "value"},
      {"Section", "Spaced Key", "spaced value"},
      {"Section", "Quoted", "in quotes"},
      {"Section", "Single", "single"},
      {"Section", "Mismatched", "\"abc'"},
      {"Section", "Inner", "a \"b\" c"},
      {"Section", "Empty", ""},
      {"Section", "NoEquals", "dflt"},
      {"Section", "Dup", "first"},
      {"Section", "Equals", "a=b"},
      {"Section", "Late", "dflt"},  // only the first [Section] counts
      {"Section", "K", "dflt"},
      {"Other", "K", "other"},
      {"Missing", "Key", "dflt"},
      {"Section", "Missing", "dflt"},
      {"Section", "", "dflt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Read(c.section, c.key))
        << "[" << c.section << "] " << c.key;
  }
}

// The default loses its trailing spaces (tabs stay), and its quotes.
TEST_F(ProfileTest, DefaultTextLosesTrailingBlanks) {
  dir_.Write("settings.ini", "[S]\r\n");
  EXPECT_EQ("5", Read("S", "Absent", "5  "));
  EXPECT_EQ("  5", Read("S", "Absent", "  5"));
  EXPECT_EQ("", Read("S", "Absent", ""));
  EXPECT_EQ("\t", Read("S", "Absent", "\t "));
  EXPECT_EQ("  ", Read("S", "Absent", "\"  \""));
  // Where the backends differ: Windows strips every trailing blank, as it
  // documents, so an all-blank default reads as ""; Wine's loop never looks
  // at the first character and keeps one blank.
#ifdef _WIN32
  EXPECT_EQ(" ", Read("S", "Absent", "   "));
#else
  EXPECT_EQ("", Read("S", "Absent", "   "));
#endif
}

TEST_F(ProfileTest, MissingFileGivesTheDefault) {
  EXPECT_EQ("dflt", Read("S", "K"));
  EXPECT_EQ(static_cast<std::uint32_t>(-7), ReadInt("S", "K"));
  EXPECT_TRUE(dir_.Names().empty()) << "reading creates no file";
}

// At most size - 1 characters and a NUL; nothing beyond the buffer.
TEST_F(ProfileTest, LongValuesAreCutToFitTheBuffer) {
  std::string value(300, 'v');
  for (std::size_t i = 0; i < value.size(); ++i) value[i] = 'a' + i % 26;
  dir_.Write("settings.ini", "[S]\r\nLong=" + value + "\r\n");
  std::array<char, 16> buffer;
  buffer.fill(kFill);
  EXPECT_EQ(9u, platform::GetPrivateProfileStringA(
                    "S", "Long", "", buffer.data(), 10, File().c_str()));
  EXPECT_EQ(value.substr(0, 9), std::string(buffer.data()));
  EXPECT_TRUE(std::all_of(buffer.begin() + 10, buffer.end(),
                          [](char c) { return c == kFill; }));
  EXPECT_EQ(0u, platform::GetPrivateProfileStringA(
                    "S", "Long", "", buffer.data(), 1, File().c_str()));
  EXPECT_EQ('\0', buffer[0]);
}

TEST_F(ProfileTest, IntegersParseAsWindowsParsesThem) {
  dir_.Write("settings.ini",
             "[N]\r\n"
             "Plain=42\r\n"
             "Negative=-17\r\n"
             "Plus=+5\r\n"
             "Hex=0x1F\r\n"
             "Trailing=12abc\r\n"
             "Spaced=3 4\r\n"
             "Text=abc\r\n"
             "Empty=\r\n"
             "Quoted=\"8\"\r\n"
             "HexOnly=0x\r\n"
             "Zero=0\r\n");
  struct Case {
    const char* key;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"Plain", 42},
      {"Negative", static_cast<std::uint32_t>(-17)},
      {"Plus", 5},
      {"Hex", 31},
      {"Trailing", 12},
      {"Spaced", 3},
      {"Text", 0},
      {"Empty", static_cast<std::uint32_t>(-7)},  // no digits at all: default
      {"Quoted", 8},
      {"HexOnly", 0},
      {"Zero", 0},
      {"Missing", static_cast<std::uint32_t>(-7)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, ReadInt("N", c.key)) << c.key;
}

// A write changes its own line only; every other line stays as it was.
TEST_F(ProfileTest, WriteKeepsEveryOtherLine) {
  const std::string before =
      "; settings\r\n"
      "[A]\r\n"
      "One=1\r\n"
      "Two=2\r\n"
      "\r\n"
      "[B]\r\n"
      "Three=3\r\n";
  dir_.Write("settings.ini", before);
  ASSERT_TRUE(Write("a", "two", "22"));
  // Where the backends differ: Wine rewrites the whole file from what it
  // parsed and drops blank lines; the emulated functions keep them.
#ifdef _WIN32
  const char* blank = "";
#else
  const char* blank = "\r\n";
#endif
  EXPECT_EQ(std::string("; settings\r\n"
                        "[A]\r\n"
                        "One=1\r\n"
                        "Two=22\r\n") +
                blank +
                "[B]\r\n"
                "Three=3\r\n",
            dir_.Read("settings.ini"))
      << "the key keeps the spelling it was first written with";
  EXPECT_EQ(std::vector<std::string>{"settings.ini"}, dir_.Names())
      << "no temporary file is left behind";
}

TEST_F(ProfileTest, WriteCreatesKeysSectionsAndFiles) {
  ASSERT_TRUE(Write("First", "Key", "v1"));
  EXPECT_EQ("[First]\r\nKey=v1\r\n", dir_.Read("settings.ini"));
  ASSERT_TRUE(Write("Second", "Other", "v2"));
  ASSERT_TRUE(Write("First", "Added", "v3"));
  EXPECT_EQ(
      "[First]\r\n"
      "Key=v1\r\n"
      "Added=v3\r\n"
      "[Second]\r\n"
      "Other=v2\r\n",
      dir_.Read("settings.ini"));
}

TEST_F(ProfileTest, EmptyTextKeepsTheKeyWithAnEmptyValue) {
  dir_.Write("settings.ini", "[S]\r\nK=old\r\n");
  ASSERT_TRUE(Write("S", "K", ""));
  EXPECT_EQ("", Read("S", "K"));
  EXPECT_EQ("[S]\r\nK=\r\n", dir_.Read("settings.ini"));
}

TEST_F(ProfileTest, NullTextRemovesTheKeyAndNullKeyTheSection) {
  dir_.Write("settings.ini",
             "[A]\r\n"
             "K=1\r\n"
             "L=2\r\n"
             "[B]\r\n"
             "M=3\r\n"
             "[C]\r\n"
             "N=4\r\n");
  ASSERT_TRUE(Write("A", "k", nullptr));
  ASSERT_TRUE(Write("b", nullptr, nullptr));
  EXPECT_EQ(
      "[A]\r\n"
      "L=2\r\n"
      "[C]\r\n"
      "N=4\r\n",
      dir_.Read("settings.ini"));
  EXPECT_EQ("dflt", Read("A", "K"));
  EXPECT_EQ("dflt", Read("B", "M"));
  EXPECT_EQ("4", Read("C", "N"));
}

// A null section lists the sections, a null key the keys of a section:
// each name and a NUL, one more NUL at the end. A name is placed whole only
// while a byte stays free after its NUL; otherwise it is cut, followed by
// two NULs, and the answer is size - 2 (a list that fills the buffer
// exactly counts as cut). Nothing is written beyond the buffer.
TEST_F(ProfileTest, NullSectionOrKeyListsNames) {
  const std::string twoSections = "[abc]\n[d]\n";
  const std::string oneSection = "[One]\r\na=1\r\nbb=2\r\n[Two]\r\n";
  struct Case {
    const std::string& file;
    const char* section;
    std::uint32_t size;
    std::string expected;  // the answer's characters and the NUL after them
    bool cut = false;
  };
  const Case cases[] = {
      {oneSection, nullptr, 64, std::string("One\0Two\0\0", 9)},
      {oneSection, "one", 64, std::string("a\0bb\0\0", 6)},
      {oneSection, nullptr, 7, std::string("One\0T\0", 6), true},
      {oneSection, "One", 5, std::string("a\0b\0", 4), true},
      {oneSection, "One", 6, std::string("a\0bb\0", 5), true},  // exactly full
      {oneSection, "One", 4, std::string("a\0\0", 3), true},
      {oneSection, "Absent", 64, std::string("dflt\0", 5)},  // the default
      {twoSections, nullptr, 2, std::string("\0", 1), true},
      {twoSections, nullptr, 3, std::string("a\0", 2), true},
      {twoSections, nullptr, 5, std::string("abc\0", 4), true},
      {twoSections, nullptr, 6, std::string("abc\0\0", 5), true},
      {twoSections, nullptr, 7, std::string("abc\0d\0", 6), true},
      {twoSections, nullptr, 8, std::string("abc\0d\0\0", 7)},
  };
  for (const Case& c : cases) {
    dir_.Write("settings.ini", c.file);
    std::array<char, 64> buffer;
    buffer.fill(kFill);
    const std::uint32_t count = platform::GetPrivateProfileStringA(
        c.section, nullptr, "dflt", buffer.data(), c.size, File().c_str());
    const std::string label = "row " + std::to_string(&c - cases);
    EXPECT_EQ(c.expected.size() - 1, count) << label;
    EXPECT_EQ(c.expected, std::string(buffer.data(), c.expected.size()))
        << label;
    EXPECT_TRUE(std::all_of(buffer.begin() + c.size, buffer.end(), [](char b) {
      return b == kFill;
    })) << label;
#ifndef _WIN32
    // Where the backends differ: Windows documents a second NUL in the
    // buffer's last byte after a cut list; Wine does not write it.
    if (c.cut) {
      EXPECT_EQ('\0', buffer[c.size - 1]) << label;
    }
#endif
  }
}

// A null section reads the first section name as the number.
TEST_F(ProfileTest, IntegerOfANullSectionReadsTheSectionList) {
  dir_.Write("settings.ini", "[" + std::string(28, 's') + "]\n[t]\n");
  EXPECT_EQ(0u,
            platform::GetPrivateProfileIntA(nullptr, "k", 7, File().c_str()));
  dir_.Write("settings.ini", "[12]\n[t]\n");
  EXPECT_EQ(12u,
            platform::GetPrivateProfileIntA(nullptr, "k", 7, File().c_str()));
}

// Where the backends differ: Windows refuses to write a read-only file, and
// so do the emulated functions (a file without write permission bits); Wine
// writes it all the same when it runs as root, as it does on this project's
// build machines. So this runs natively only.
#ifndef _WIN32
TEST_F(ProfileTest, WriteToAReadOnlyFileFailsAndLeavesIt) {
  dir_.Write("settings.ini", "[S]\r\nK=old\r\n");
  std::filesystem::permissions(File(),
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(Write("S", "K", "new"));
  EXPECT_EQ(5u, platform::GetLastError());
  EXPECT_EQ("old", Read("S", "K"));
  EXPECT_EQ(std::vector<std::string>{"settings.ini"}, dir_.Names());
  std::filesystem::permissions(File(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

// A write that cannot complete (the disk full, or here a file size limit)
// fails, says why, and leaves the old file.
TEST_F(ProfileTest, AWriteThatCannotCompleteFailsAndLeavesTheOldFile) {
  const std::string before = "[S]\r\nK=old\r\n";
  dir_.Write("settings.ini", before);
  {
    fixture::FileSizeLimit limit(1024);
    EXPECT_FALSE(Write("S", "K", std::string(4096, 'x').c_str()));
    EXPECT_EQ(112u, platform::GetLastError());
  }
  EXPECT_EQ(before, dir_.Read("settings.ini"));
  EXPECT_EQ(std::vector<std::string>{"settings.ini"}, dir_.Names())
      << "no temporary file is left behind";
}
#endif

TEST_F(ProfileTest, WriteIntoAMissingDirectoryFails) {
  EXPECT_FALSE(platform::WritePrivateProfileStringA(
      "S", "K", "v",
      dir_.Join("absent" + fixture::kSeparator + "x.ini").c_str()));
}

}  // namespace
