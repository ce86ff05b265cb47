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

}  // namespace
}  // namespace tessellor
