#include <gtest/gtest.h>

#include <string>

#include "settings/BorderSettingsDialog.h"
#include "settings/SettingsFile.h"

namespace tessellor {
namespace {

using Words = std::vector<std::string>;

TEST(SettingsFile, WritesEachLineWithCrLf) {
  EXPECT_EQ(settingsBytes({"a.exe", "b.exe"}, true, false), "a.exe\r\nb.exe\r\nauto\r\n");
  EXPECT_EQ(settingsBytes({}, false, true), "nostart\r\n");
  // No settings at all still make a line: only a write cut short leaves an empty file.
  EXPECT_EQ(settingsBytes({}, false, false), "\r\n");
  EXPECT_EQ(settingsWords(settingsBytes({}, false, false)), Words{});
}

TEST(SettingsFile, EmptyOrNulHoldingFilesAreDamaged) {
  using namespace std::string_literals;
  EXPECT_TRUE(isDamagedSettings(""));
  EXPECT_TRUE(isDamagedSettings("\0\0\0\0"s));               // the zeroed blocks a power cut can leave
  EXPECT_TRUE(isDamagedSettings("a.exe\r\n\0\0auto\r\n"s));  // never half-trusted
  EXPECT_FALSE(isDamagedSettings("\r\n"));
  EXPECT_FALSE(isDamagedSettings(" "));
  EXPECT_FALSE(isDamagedSettings("\x01\xff x.exe"));
}

TEST(SettingsFile, ReadsWordsSplitOnAnyWhitespace) {
  EXPECT_EQ(settingsWords("auto nostart foo.exe"), (Words{"auto", "nostart", "foo.exe"}));
  EXPECT_EQ(settingsWords("nostart"), (Words{"nostart"}));  // no final line end
  EXPECT_EQ(settingsWords("my app.exe\r\n"), (Words{"my", "app.exe"}));
  EXPECT_EQ(settingsWords(" \t\r\n\v\f"), Words{});
}

TEST(SettingsFile, OddBytesStillSplitIntoWords) {
  using namespace std::string_literals;
  EXPECT_EQ(settingsWords("a.exe\0b.exe\r\n"s), (Words{"a.exe", "b.exe"}));  // NUL separates
  const std::string binary = "\x01\xff\xfe x.exe\x7f"s;
  EXPECT_EQ(settingsWords(binary), (Words{"\x01\xff\xfe", "x.exe\x7f"}));
  const std::string longName(5000, 'n');
  EXPECT_EQ(settingsWords(longName + ".exe\r\n"), Words{longName + ".exe"});  // kept whole
}

TEST(SettingsFile, SaveThenLoadKeepsLongNamesWhole) {
  const std::string name = std::string(300, 'x') + ".exe";
  EXPECT_EQ(settingsWords(settingsBytes({name, "b.exe"}, true, true)), (Words{name, "b.exe", "auto", "nostart"}));
}

// Every band more than 120 pixels, and the centre more than 120 each way.
TEST(BorderSettings, BandSizesAreCheckedStrictly) {
  EXPECT_FALSE(bandSizesValid(120, 200, 200, 200, 1288, 1002));
  EXPECT_TRUE(bandSizesValid(121, 200, 200, 200, 1288, 1002));
  EXPECT_FALSE(bandSizesValid(441, 441, 200, 200, 1288, 1002));  // 1002 - 882 = 120
  EXPECT_TRUE(bandSizesValid(440, 441, 200, 200, 1288, 1002));   // 1002 - 881 = 121
  EXPECT_FALSE(bandSizesValid(200, 200, 0, 200, 1288, 1002));
  EXPECT_FALSE(bandSizesValid(200, 200, 200, 200, 0, 0));
}

}  // namespace
}  // namespace tessellor
