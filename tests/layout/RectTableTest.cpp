#include <gtest/gtest.h>

#include "layout/RectTable.h"

namespace tessellor {
namespace {

const HWND a = handleFromValue(0x10010);
const HWND b = handleFromValue(0x10020);

TEST(RectTable, KeepsTheFirstRectangleOfAWindow) {
  RectTable table;
  EXPECT_TRUE(table.addRect(a, RECT{1, 2, 3, 4}));
  EXPECT_FALSE(table.addRect(a, RECT{9, 9, 9, 9}));
  RECT out{};
  ASSERT_TRUE(table.findRect(a, &out));
  EXPECT_EQ(out, (RECT{1, 2, 3, 4}));
  EXPECT_EQ(table.entries().size(), 1u);
}

TEST(RectTable, UpdateAndRemoveTouchOnlyExistingEntries) {
  RectTable table;
  EXPECT_FALSE(table.updateRect(b, RECT{1, 1, 2, 2}));
  EXPECT_TRUE(table.entries().empty());
  EXPECT_FALSE(table.removeRect(b));

  table.addRect(a, RECT{0, 0, 10, 10});
  table.addRect(b, RECT{5, 5, 6, 6});
  EXPECT_TRUE(table.updateRect(b, RECT{7, 7, 8, 8}));
  EXPECT_TRUE(table.removeRect(a));
  RECT out{-1, -1, -1, -1};
  EXPECT_FALSE(table.findRect(a, &out));
  EXPECT_EQ(out, (RECT{-1, -1, -1, -1}));  // untouched when not found
  ASSERT_TRUE(table.findRect(b, &out));
  EXPECT_EQ(out, (RECT{7, 7, 8, 8}));
}

}  // namespace
}  // namespace tessellor
