#include <gtest/gtest.h>

#include <string>

#include "settings/BorderSettingsDialog.h"
#include "settings/SettingsFile.h"

namespace tessellor {
namespace {

using Words = std::vector<std::string>;

// The words' texts, quoted or not.
Words texts(const std::vector<SettingsWord>& words) {
  Words texts;
  for (const SettingsWord& word : words) texts.push_back(word.text);
  return texts;
}

TEST(SettingsFile, WritesEachLineWithCrLf) {
  EXPECT_EQ(settingsBytes({"a.exe", "b.exe"}, true, false), "a.exe\r\nb.exe\r\nauto\r\n");
  EXPECT_EQ(settingsBytes({}, false, true), "nostart\r\n");
  // No settings at all still make a line: only a write cut short leaves an empty file.
  EXPECT_EQ(settingsBytes({}, false, false), "\r\n");
  EXPECT_EQ(texts(settingsWords(settingsBytes({}, false, false))), Words{});
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
  EXPECT_EQ(texts(settingsWords("auto nostart foo.exe")), (Words{"auto", "nostart", "foo.exe"}));
  EXPECT_EQ(texts(settingsWords("nostart")), (Words{"nostart"}));  // no final line end
  EXPECT_EQ(texts(settingsWords("my app.exe\r\n")), (Words{"my", "app.exe"}));
  EXPECT_EQ(texts(settingsWords(" \t\r\n\v\f")), Words{});
}

TEST(SettingsFile, OddBytesStillSplitIntoWords) {
  using namespace std::string_literals;
  EXPECT_EQ(texts(settingsWords("a.exe\0b.exe\r\n"s)), (Words{"a.exe", "b.exe"}));  // NUL separates
  const std::string binary = "\x01\xff\xfe x.exe\x7f"s;
  EXPECT_EQ(texts(settingsWords(binary)), (Words{"\x01\xff\xfe", "x.exe\x7f"}));
  const std::string longName(5000, 'n');
  EXPECT_EQ(texts(settingsWords(longName + ".exe\r\n")), Words{longName + ".exe"});  // kept whole
}

TEST(SettingsFile, SaveThenLoadKeepsLongNamesWhole) {
  const std::string name = std::string(300, 'x') + ".exe";
  EXPECT_EQ(texts(settingsWords(settingsBytes({name, "b.exe"}, true, true))),
            (Words{name, "b.exe", "auto", "nostart"}));
}

// ---- Entries with blanks and quotes ----

TEST(SettingsQuoting, OnlyEntriesThatWouldNotReadBackAreQuoted) {
  EXPECT_EQ(settingsEntry("notepad.exe"), "notepad.exe");
  EXPECT_EQ(settingsEntry("title:Picture"), "title:Picture");
  EXPECT_EQ(settingsEntry(R"(a\b.exe)"), R"(a\b.exe)");  // a backslash alone needs no quotes
  EXPECT_EQ(settingsEntry("GitHub Desktop.exe"), R"("GitHub Desktop.exe")");
  EXPECT_EQ(settingsEntry("title:Picture in picture"), R"("title:Picture in picture")");
  EXPECT_EQ(settingsEntry("tab\there"), "\"tab\there\"");
  EXPECT_EQ(settingsEntry(R"(title:say "hi")"), R"("title:say \"hi\"")");
  EXPECT_EQ(settingsEntry(R"(title:C:\Program Files\)"), R"("title:C:\\Program Files\\")");
  // Spelt as an option, an entry would come back as the option.
  EXPECT_EQ(settingsEntry("auto"), R"("auto")");
  EXPECT_EQ(settingsEntry("nostart"), R"("nostart")");
  EXPECT_EQ(settingsEntry("Auto"), "Auto");
  EXPECT_EQ(settingsBytes({"GitHub Desktop.exe", "b.exe"}, true, false), "\"GitHub Desktop.exe\"\r\nb.exe\r\nauto\r\n");
}

TEST(SettingsQuoting, AQuotedWordEndsAtItsClosingQuoteOrItsLine) {
  using W = SettingsWord;
  using Found = std::vector<SettingsWord>;
  EXPECT_EQ(settingsWords(R"("GitHub Desktop.exe")"), (Found{W{"GitHub Desktop.exe", true}}));
  EXPECT_EQ(settingsWords(R"("a b"c "d")"), (Found{W{"a b", true}, W{"c", false}, W{"d", true}}));
  // No closing quote: the line's end closes it, and the next line is read as ever.
  EXPECT_EQ(settingsWords("\"open  \r\nauto"), (Found{W{"open  ", true}, W{"auto", false}}));
  EXPECT_EQ(settingsWords("\"open\nx\"y"), (Found{W{"open", true}, W{"x\"y", false}}));
  // \" and \\ stand for a quote and a backslash; a backslash before anything else stays.
  EXPECT_EQ(settingsWords(R"("x\\y\"z\q\")"), (Found{W{R"(x\y"z\q")", true}}));
  EXPECT_EQ(settingsWords("\"end\\"), (Found{W{"end\\", true}}));
  // A quote inside a plain word is part of it.
  EXPECT_EQ(settingsWords(R"(ab"cd)"), (Found{W{R"(ab"cd)", false}}));
  // "" is no word, and the word after it starts right there.
  EXPECT_EQ(settingsWords(R"("" ""auto)"), (Found{W{"auto", false}}));
}

TEST(SettingsQuoting, AQuotedWordIsAlwaysAnEntry) {
  const Settings read = readSettings("\"auto\"\r\n\"nostart\"\r\nnostart\r\n\"\"\r\n");
  EXPECT_EQ(read.excluded, (Words{"auto", "nostart"}));
  EXPECT_FALSE(read.autoAdd);
  EXPECT_TRUE(read.noStart);
}

// The fault this mends: a name with a blank, which "ADD" takes, came back as two entries.
TEST(SettingsQuoting, EveryListThatCanBeHeldReadsBackTheSame) {
  const Settings lists[] = {
      {{"GitHub Desktop.exe", "title:Picture in picture", "class:Chrome_WidgetWin_1"}, true, false},
      {{"auto", "nostart", "\"", "\\", "a\\", "\"\\\"", "title:  a \"b\" \\", "tab\there", "\v\f"}, false, true},
      {{"title:", "class:", "x.exe", "x.exe"}, true, true},
      {{}, false, false},
  };
  for (const Settings& list : lists) {
    EXPECT_EQ(readSettings(settingsBytes(list.excluded, list.autoAdd, list.noStart)), list);
  }
}

// An older Tessellor splits the file at every blank: a quoted entry's first and last words carry a
// quote, so no program has their name.
TEST(SettingsQuoting, AnOlderReaderFindsQuotesOnTheEntrysOuterWords) {
  const std::string bytes = settingsBytes({"GitHub Desktop.exe", "auto"}, false, false);
  Words old;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || std::string_view(" \r\n").find(bytes[i]) != std::string_view::npos) {
      if (i > start) old.push_back(bytes.substr(start, i - start));
      start = i + 1;
    }
  }
  EXPECT_EQ(old, (Words{"\"GitHub", "Desktop.exe\"", "\"auto\""}));
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
