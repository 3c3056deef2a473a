// The file search and full path names, in a fresh directory. Runs against
// the emulated functions natively and the real ones under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#undef FindFirstFile
#endif

#include "platform/platform.h"
#include "tests/support/temp_dir.h"

namespace {

using Outcome = platform::FileSearch::Outcome;
using fixture::kSeparator;
using fixture::TempDir;

class FileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name :
         {"b.ini", "A.ini", "a2.ini", "zz.txt", "noext", ".cfg.ini"}) {
      dir_.Write(name, "[S]\r\n");
    }
    std::filesystem::create_directory(dir_.Join("dir.ini"));
  }

  platform::FileSearch Find(const std::string& pattern) {
    return platform::FindFirstFile(dir_.Join(pattern));
  }

  TempDir dir_;
};

// Ordinary files only; a leading dot is part of a name, as on Windows
// (hidden is an attribute). Of several matches the search gives one: the
// order is the file system's (FAT keeps the directory's, NTFS sorts). A
// "?" before a dot may match nothing, as in DOS. Windows also matches the
// short (8.3) names: those of these files add no match.
TEST_F(FileSearchTest, FindsAnOrdinaryFileThatMatches) {
  struct Case {
    const char* pattern;
    std::vector<std::string> matches;  // none: no match
  };
  const Case cases[] = {
      {"*.ini", {"A.ini", "a2.ini", "b.ini", ".cfg.ini"}},
      {"*", {"A.ini", "a2.ini", "b.ini", ".cfg.ini", "zz.txt", "noext"}},
      {"B.INI", {"b.ini"}},
      {"b.ini.", {"b.ini"}},
      {"?.ini", {"A.ini", "b.ini"}},
      {"a?.ini", {"A.ini", "a2.ini"}},
      {"z*", {"zz.txt"}},
      {"*.txt", {"zz.txt"}},
      {"noext.*", {"noext"}},
      {".cfg.ini", {".cfg.ini"}},
      {".C*", {".cfg.ini"}},
      {"dir.ini", {}},
      {"d*", {}},
      {"nothing*", {}},
      {"?b.ini", {}},
  };
  for (const Case& c : cases) {
    const platform::FileSearch found = Find(c.pattern);
    if (c.matches.empty()) {
      EXPECT_EQ(Outcome::kNoMatch, found.outcome) << c.pattern;
      EXPECT_EQ("", found.name) << c.pattern;
    } else {
      EXPECT_EQ(Outcome::kFound, found.outcome) << c.pattern;
      EXPECT_NE(std::find(c.matches.begin(), c.matches.end(), found.name),
                c.matches.end())
          << c.pattern << " found " << found.name;
    }
  }
}

TEST_F(FileSearchTest, NoMatchAndFailure) {
  struct Case {
    std::string pattern;
    Outcome outcome;
  };
  const Case cases[] = {
      {"", Outcome::kNoMatch},
      {dir_.Join("missing" + kSeparator + "*"), Outcome::kNoMatch},
      {dir_.Join(""), Outcome::kNoMatch},  // a directory, not a file
      // Invalid names: a wildcard outside the last component, a file used as
      // a directory, a name of more than 255 characters.
      {dir_.Join("di?.ini" + kSeparator + "x"), Outcome::kFailed},
      {dir_.Join("b.ini" + kSeparator + "x"), Outcome::kFailed},
      {dir_.Join(std::string(256, 'n')), Outcome::kFailed},
  };
  for (const Case& c : cases) {
    const platform::FileSearch found = platform::FindFirstFile(c.pattern);
    EXPECT_EQ(c.outcome, found.outcome) << c.pattern;
    EXPECT_EQ("", found.name) << c.pattern;
  }
}

#ifdef _WIN32
// Hidden and system attributes exist on Windows (and under Wine) only; the
// emulated search has neither.
TEST_F(FileSearchTest, HiddenAndSystemFilesAreSkipped) {
  dir_.Write("_hidden.cfg", "");
  dir_.Write("_system.cfg", "");
  ASSERT_TRUE(SetFileAttributesA(dir_.Join("_hidden.cfg").c_str(),
                                 FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA(dir_.Join("_system.cfg").c_str(),
                                 FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(Outcome::kNoMatch, Find("_hidden.cfg").outcome);
  EXPECT_EQ(Outcome::kNoMatch, Find("_system.cfg").outcome);
  EXPECT_EQ(Outcome::kNoMatch, Find("*.cfg").outcome);
}
#endif

TEST(FullPathNameTest, FoldsDotsAgainstTheCurrentDirectory) {
  TempDir dir;
  const std::string base = dir.Path();
  const std::string& s = kSeparator;
  EXPECT_EQ(base + s + "b",
            platform::FullPathName(base + s + "a" + s + ".." + s + "b"));
  EXPECT_EQ(base + s + "a",
            platform::FullPathName(base + s + "." + s + "a" + s + "."));
  EXPECT_EQ(base + s + "x" + s, platform::FullPathName(base + s + "x" + s));
  EXPECT_EQ(std::filesystem::current_path().string() + s + "rel",
            platform::FullPathName("rel"));
  EXPECT_EQ(std::filesystem::current_path().parent_path().string() + s + "up",
            platform::FullPathName(".." + s + "up"));
  EXPECT_EQ("", platform::FullPathName(""));
}

}  // namespace
