#include <gtest/gtest.h>

#include <cstdint>

#include "app/layouts/PosTable.h"
#include "layout/RectTable.h"
#include "platform/KeptPlacement.h"
#include "platform/sim/SimDesktop.h"

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

// A minimised window has no place to go back to; a window on a monitor above and left of the
// primary one stands wholly at negative coordinates and has.
TEST(HasOwnPlace, AskedOfTheWindowNotReadFromItsCoordinates) {
  sim::SimDesktop d;
  sim::WindowSpec desc;
  desc.name = "left";
  desc.at = RECT{-1280, -600, -100, -20};
  HWND left = d.createWindow(desc);
  desc.name = "parked";
  desc.at = RECT{100, 100, 500, 400};
  HWND parked = d.createWindow(desc);
  d.minimize(parked);
  EXPECT_TRUE(hasOwnPlace(d, left));
  EXPECT_FALSE(hasOwnPlace(d, parked));
  EXPECT_FALSE(hasOwnPlace(d, handleFromValue(0x99990)));  // no window at all
}

TEST(RectTable, OffsetMovesEveryRectangleAndStopsAtTheRangeEnds) {
  RectTable table;
  table.addRect(a, RECT{0, 40, 256, 1024});
  table.addRect(b, RECT{-2147483600, 0, 2147483600, 10});
  table.offsetRects(-100, 40);
  RECT r{};
  ASSERT_TRUE(table.findRect(a, &r));
  EXPECT_EQ(r, (RECT{-100, 80, 156, 1064}));
  ASSERT_TRUE(table.findRect(b, &r));
  EXPECT_EQ(r, (RECT{-2147483647 - 1, 40, 2147483500, 50}));

  // The distance between origins at the two ends of the range is itself past it.
  table.offsetRects(std::int64_t{2147483647} + 2147483647, -(std::int64_t{2147483647} + 1) * 2);
  ASSERT_TRUE(table.findRect(a, &r));
  EXPECT_EQ(r, (RECT{2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1}));
}

}  // namespace
}  // namespace tessellor
