#include <gtest/gtest.h>

#include "app/PosTable.h"

namespace tessellor {
namespace {

const HWND a = handleFromValue(0x10010);
const HWND b = handleFromValue(0x10020);

TEST(PosTable, AddKeepsTheFirstValueAndUpdateNeverAdds) {
  PosTable table;
  EXPECT_EQ(table.findPos(a), -1);
  EXPECT_FALSE(table.updatePos(a, 3));
  EXPECT_EQ(table.findPos(a), -1);
  EXPECT_TRUE(table.addPos(a, 1));
  EXPECT_FALSE(table.addPos(a, 2));
  EXPECT_EQ(table.findPos(a), 1);
  EXPECT_TRUE(table.updatePos(a, 2));
  EXPECT_EQ(table.findPos(a), 2);
}

TEST(PosTable, AStoredMinusOneReadsLikeNoEntry) {
  PosTable table;
  table.addPos(a, -1);
  EXPECT_EQ(table.findPos(a), -1);
  EXPECT_FALSE(table.addPos(a, 4));  // but the entry is there
  EXPECT_TRUE(table.removePos(a));
  EXPECT_FALSE(table.removePos(a));
}

TEST(PosTable, ClearForgetsEveryWindow) {
  PosTable table;
  table.addPos(a, 0);
  table.addPos(b, 3);
  table.clearPos();
  EXPECT_EQ(table.findPos(a), -1);
  EXPECT_EQ(table.findPos(b), -1);
}

}  // namespace
}  // namespace tessellor
