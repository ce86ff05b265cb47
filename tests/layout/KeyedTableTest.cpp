#include <gtest/gtest.h>

#include "app/PosTable.h"
#include "layout/RectTable.h"
#include "layout/isParkedOffScreen.h"

namespace tessellor {
namespace {

const HWND a = handleFromValue(0x10010);
const HWND b = handleFromValue(0x10020);
const HWND c = handleFromValue(0x10030);

using IntTable = KeyedTable<WNDPOS, &WNDPOS::position>;

TEST(KeyedTable, AddKeepsTheFirstValueAndUpdateNeverAdds) {
  IntTable table;
  EXPECT_EQ(table.find(a), nullptr);
  EXPECT_FALSE(table.update(a, 3));
  EXPECT_TRUE(table.entries().empty());
  EXPECT_TRUE(table.add(a, 1));
  EXPECT_FALSE(table.add(a, 2));
  ASSERT_NE(table.find(a), nullptr);
  EXPECT_EQ(*table.find(a), 1);
  EXPECT_TRUE(table.update(a, 2));
  EXPECT_EQ(*table.find(a), 2);
  EXPECT_EQ(table.entries().size(), 1u);
}

TEST(KeyedTable, RemoveTakesOnlyThatWindowAndKeepsTheOrder) {
  IntTable table;
  table.add(a, 10);
  table.add(b, 20);
  table.add(c, 30);
  EXPECT_TRUE(table.remove(b));
  EXPECT_FALSE(table.remove(b));
  ASSERT_EQ(table.entries().size(), 2u);
  EXPECT_EQ(table.entries()[0].hwnd, a);
  EXPECT_EQ(table.entries()[1].hwnd, c);
  EXPECT_EQ(*table.find(c), 30);
  table.clear();
  EXPECT_EQ(table.find(a), nullptr);
}

TEST(KeyedTable, ReservedRoomIsNotReallocatedByAdding) {
  KeyedTable<WND, &WND::rect> table;
  table.reserve(3);
  const WND* before = table.entries().data();
  table.add(a, RECT{});
  table.add(b, RECT{});
  table.add(c, RECT{});
  EXPECT_EQ(table.entries().data(), before);
}

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

TEST(PosTable, AddKeepsTheFirstValueAndUpdateNeverAdds) {
  PosTable table;
  EXPECT_EQ(table.findPos(a), NoPos);
  EXPECT_FALSE(table.updatePos(a, 3));
  EXPECT_EQ(table.findPos(a), NoPos);
  EXPECT_TRUE(table.addPos(a, 1));
  EXPECT_FALSE(table.addPos(a, 2));
  EXPECT_EQ(table.findPos(a), 1);
  EXPECT_TRUE(table.updatePos(a, 2));
  EXPECT_EQ(table.findPos(a), 2);
}

TEST(PosTable, AStoredMinusOneReadsLikeNoEntry) {
  PosTable table;
  table.addPos(a, -1);
  EXPECT_EQ(table.findPos(a), NoPos);
  EXPECT_FALSE(table.addPos(a, 4));  // but the entry is there
  EXPECT_TRUE(table.removePos(a));
  EXPECT_FALSE(table.removePos(a));
}

TEST(PosTable, ClearForgetsEveryWindow) {
  PosTable table;
  table.addPos(a, 0);
  table.addPos(b, 3);
  table.clearPos();
  EXPECT_EQ(table.findPos(a), NoPos);
  EXPECT_EQ(table.findPos(b), NoPos);
  EXPECT_TRUE(table.entries().empty());
}

// Only a rectangle wholly at negative coordinates is where Windows parks a minimised window; one
// that merely starts left of or above the screen is a real place.
TEST(ParkedOffScreen, OnlyAllFourCoordinatesNegative) {
  EXPECT_TRUE(isParkedOffScreen(RECT{-32000, -32000, -31840, -31972}));
  EXPECT_TRUE(isParkedOffScreen(RECT{-1, -1, -1, -1}));
  EXPECT_FALSE(isParkedOffScreen(RECT{-8, -8, 1288, 1002}));  // a maximised window's frame
  EXPECT_FALSE(isParkedOffScreen(RECT{-500, -500, -100, 0}));
  EXPECT_FALSE(isParkedOffScreen(RECT{-500, -500, 0, -100}));
  EXPECT_FALSE(isParkedOffScreen(RECT{}));
}

}  // namespace
}  // namespace tessellor
