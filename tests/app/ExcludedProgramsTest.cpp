#include <gtest/gtest.h>

#include "app/ExcludedPrograms.h"

namespace tessellor {
namespace {

// The extension is the second piece between dots; runs of dots separate, leading dots are skipped.
TEST(ExcludedPrograms, AcceptsOnlyAnExactLowerCaseExeSecondPiece) {
  EXPECT_TRUE(hasExeExtension("notepad.exe"));
  EXPECT_TRUE(hasExeExtension("notepad.exe.bak"));
  EXPECT_TRUE(hasExeExtension("notepad..exe"));
  EXPECT_TRUE(hasExeExtension("..notepad.exe"));
  EXPECT_FALSE(hasExeExtension("notepad.EXE"));
  EXPECT_FALSE(hasExeExtension("my.app.exe"));
  EXPECT_FALSE(hasExeExtension(".exe"));
  EXPECT_FALSE(hasExeExtension("exe"));
  EXPECT_FALSE(hasExeExtension("notepad."));
  EXPECT_FALSE(hasExeExtension("notepad.exex"));
}

// A rule needs something besides blanks after its prefix; anything else is judged as a program name.
TEST(ExcludedPrograms, TakesRulesWithTextAndProgramNamesByTheirExtension) {
  EXPECT_TRUE(isAddableEntry("title:Picture in picture"));
  EXPECT_TRUE(isAddableEntry("class:Chrome_WidgetWin_1"));
  EXPECT_TRUE(isAddableEntry("title:  x"));
  EXPECT_TRUE(isAddableEntry("title:x.exe"));
  EXPECT_TRUE(isAddableEntry("GitHub Desktop.exe"));
  EXPECT_TRUE(isAddableEntry("TITLE:x.exe"));  // a program name that only looks like a rule
  EXPECT_FALSE(isAddableEntry("title:"));
  EXPECT_FALSE(isAddableEntry("class: \t "));
  EXPECT_FALSE(isAddableEntry("Title:Picture"));
  EXPECT_FALSE(isAddableEntry("notepad"));
}

// The settings file keeps an entry on one line: with a line end it would come back as two.
TEST(ExcludedPrograms, RefusesLineEndsInAnyEntry) {
  EXPECT_FALSE(isAddableEntry("title:two\nlines"));
  EXPECT_FALSE(isAddableEntry("class:a\rb"));
  EXPECT_FALSE(isAddableEntry("a.exe.\r\nx"));  // its extension alone would pass
  EXPECT_TRUE(isAddableEntry("title:tab\there"));
}

}  // namespace
}  // namespace tessellor
