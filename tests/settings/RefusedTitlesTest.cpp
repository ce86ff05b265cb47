#include <gtest/gtest.h>

#include "settings/RefusedTitles.h"

namespace tessellor {
namespace {

// Every use refuses untitled windows, the start menu and the desktop.
TEST(RefusedTitles, CommonTitlesAreRefusedByEveryUse) {
  for (const TitleUse use : {AutoAdd, BorderSend, GridSend, CentreSend}) {
    EXPECT_TRUE(isTitleRefused("", use));
    EXPECT_TRUE(isTitleRefused("Menu Avvio", use));
    EXPECT_TRUE(isTitleRefused("Program Manager", use));
    EXPECT_FALSE(isTitleRefused("Untitled - Notepad", use));
  }
}

// The lists differ by use, and the start button's title by letter case.
TEST(RefusedTitles, EachUseKeepsItsOwnList) {
  EXPECT_TRUE(isTitleRefused("Tessellor", AutoAdd));
  EXPECT_TRUE(isTitleRefused("Tessellor", BorderSend));
  EXPECT_TRUE(isTitleRefused("Tessellor", GridSend));
  EXPECT_FALSE(isTitleRefused("Tessellor", CentreSend));

  EXPECT_TRUE(isTitleRefused("Start", AutoAdd));
  EXPECT_FALSE(isTitleRefused("start", AutoAdd));
  EXPECT_FALSE(isTitleRefused("start", BorderSend));
  EXPECT_FALSE(isTitleRefused("Start", BorderSend));
  EXPECT_TRUE(isTitleRefused("start", GridSend));
  EXPECT_FALSE(isTitleRefused("Start", GridSend));
  EXPECT_TRUE(isTitleRefused("start", CentreSend));
  EXPECT_FALSE(isTitleRefused("Start", CentreSend));
}

TEST(RefusedTitles, WholeTitlesOnly) {
  EXPECT_FALSE(isTitleRefused("Program Manager ", AutoAdd));
  EXPECT_FALSE(isTitleRefused("Menu", BorderSend));
  EXPECT_FALSE(isTitleRefused("tessellor", AutoAdd));
}

}  // namespace
}  // namespace tessellor
