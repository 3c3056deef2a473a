// One REGEDIT4 fixture means the same to the emulated loader as to the
// system's own regedit: the same keys, types and bytes come out of both.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/registry_fixture.h"

namespace {

constexpr char kScratch[] = "Software\\MovarinTests\\Regedit";

class RegeditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture::DeleteTree(platform::kHkeyCurrentUser, kScratch);
  }
  void TearDown() override {
    fixture::DeleteTree(platform::kHkeyCurrentUser, kScratch);
  }
};

TEST_F(RegeditTest, ImportsKeysAndValuesByteForByte) {
  ASSERT_TRUE(fixture::ImportRegedit4(
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\MovarinTests\\Regedit\\D3D]\r\n"
      "\"MIPMapThreshold\"=\"3\"\r\n"
      "\"Escaped\"=\"a \\\"b\\\" \\\\ c\"\r\n"
      "@=\"default\"\r\n"
      "\"Clock\"=dword:000000af\r\n"
      "\"Binary\"=hex:00,ff,\\\r\n"
      "  10\r\n"
      "\"Raw\"=hex(4):01,02\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\MovarinTests\\Regedit\\Empty]\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\MovarinTests\\Regedit\\Gone]\r\n"
      "\"x\"=\"y\"\r\n"
      "\r\n"
      "[-HKEY_CURRENT_USER\\Software\\MovarinTests\\Regedit\\Gone]\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\MovarinTests\\Regedit\\D3D]\r\n"
      "\"Raw\"=-\r\n"));
  const std::string key = std::string(kScratch) + "\\D3D";
  struct Case {
    const char* name;
    fixture::RawValue expected;
  };
  const Case cases[] = {
      {"MIPMapThreshold", {platform::kRegSz, fixture::SzBytes("3")}},
      {"Escaped", {platform::kRegSz, fixture::SzBytes("a \"b\" \\ c")}},
      {"", {platform::kRegSz, fixture::SzBytes("default")}},
      {"Clock", {platform::kRegDword, {0xAF, 0, 0, 0}}},
      {"Binary", {platform::kRegBinary, {0x00, 0xFF, 0x10}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected,
              fixture::ReadRaw(platform::kHkeyCurrentUser, key, c.name))
        << c.name;
  }
  EXPECT_FALSE(fixture::ReadRaw(platform::kHkeyCurrentUser, key, "Raw"));
  EXPECT_TRUE(fixture::KeyExists(platform::kHkeyCurrentUser,
                                 std::string(kScratch) + "\\Empty"));
  EXPECT_FALSE(fixture::KeyExists(platform::kHkeyCurrentUser,
                                  std::string(kScratch) + "\\Gone"));
}

}  // namespace
