#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderMembership = BorderTest;

TEST_F(BorderMembership, NorthHoldsSevenMinimumWidthWindows) {
  BorderLayout layout(desk);
  // (1000 − 1000 × 0.2) / 112 = 7.14: capacity 7.
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(layout.addWindow(window("n" + std::to_string(i)), North));
  EXPECT_TRUE(layout.isSideFull(North));
  EXPECT_FALSE(layout.addWindow(window("n7"), North));
  EXPECT_EQ(layout.north.size(), 7u);

  // Past its capacity (the weights changed) the band is not "full" and takes one more.
  layout.eastWeight = 0.5;  // 500 / 112 = 4.46: capacity 4
  EXPECT_TRUE(layout.addWindow(window("n8"), North));
  expectConsistent(layout, desk);
}

TEST_F(BorderMembership, InsertPutsTheWindowAtItsPositionWithoutAFirstRectangle) {
  BorderLayout layout(desk);
  const HWND a = window("a"), m = window(Desc("m").minimised()), first = window("first"), neg = window("neg");
  layout.addWindow(a, West);
  layout.addWindow(m, West);  // minimised: not remembered
  EXPECT_TRUE(layout.insertWindow(first, West, 0));
  EXPECT_TRUE(layout.insertWindow(neg, West, -1));  // negative, like past the end: last
  EXPECT_EQ(layout.indexInSide(first, West), 0);
  EXPECT_EQ(layout.indexInSide(neg, West), 3);
  RECT remembered{};
  EXPECT_TRUE(layout.originalRects.findRect(a, &remembered));
  EXPECT_FALSE(layout.originalRects.findRect(m, &remembered));
  EXPECT_FALSE(layout.originalRects.findRect(first, &remembered));
  expectConsistent(layout, desk);
}

TEST_F(BorderMembership, ParkedWindowComesBackWithItsShare) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b");
  layout.addWindow(a, North);
  layout.addWindow(b, North);
  layout.north.front().widthShare = 0.6;
  layout.north.back().widthShare = 0.4;
  layout.removeWindow(b, North, ForgetRects::No, Park::Yes);
  EXPECT_TRUE(layout.insertWindow(b, North, 1));
  EXPECT_TRUE(layout.parked.empty());
  expectShares(layout, North, {0.6, 0.4});

  // Parked with the whole band (1.0): the two split evenly.
  layout.removeWindow(b, North, ForgetRects::No, Park::Yes);
  layout.parked.back().widthShare = 1.0;
  layout.insertWindow(b, North, 0);
  expectShares(layout, North, {0.5, 0.5});

  // Removed without parking: any parked record of the window goes.
  layout.parked.push_back(layWND{b, 0.3, 0.3});
  layout.removeWindow(b, North, ForgetRects::No, Park::No);
  EXPECT_TRUE(layout.parked.empty());
  expectConsistent(layout, desk);
}

// A failed insert used to lose the window's parked record, and with it the share it would get back.
TEST_F(BorderMembership, FailedInsertKeepsTheParkedRecord) {
  BorderLayout layout(desk);
  const HWND a = window("a");
  layout.addWindow(window("c"), Centre);
  layout.addWindow(a, North);
  layout.removeWindow(a, North, ForgetRects::No, Park::Yes);
  EXPECT_FALSE(layout.insertWindow(a, Centre, 0));  // taken
  EXPECT_FALSE(layout.insertWindow(a, 9, 0));       // no such cell
  ASSERT_EQ(layout.parked.size(), 1u);
  EXPECT_EQ(layout.parked.front().hwnd, a);
  EXPECT_TRUE(layout.insertWindow(a, West, 0));
  EXPECT_TRUE(layout.parked.empty());
}

TEST_F(BorderMembership, NullWindowIsInNoCell) {
  BorderLayout layout(desk);
  layout.addWindow(window("w"), West);
  // The empty Centre holds a null handle; it must not claim a null window.
  EXPECT_EQ(layout.sideOf(nullptr), NoSide);
  EXPECT_EQ(layout.sideOf(window("stranger")), NoSide);
}

TEST_F(BorderMembership, IndexInSideAnswersNothingForABandOfSix) {
  BorderLayout layout(desk);
  layout.minWidth = 10;  // room for seven
  std::vector<HWND> band;
  for (int i = 0; i < 7; ++i) band.push_back(window("s" + std::to_string(i)));
  for (int i = 0; i < 5; ++i) layout.addWindow(band[i], South);
  EXPECT_EQ(layout.indexInSide(band[4], South), 4);
  layout.addWindow(band[5], South);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(layout.indexInSide(band[i], South), -1);
  layout.addWindow(band[6], South);
  EXPECT_EQ(layout.indexInSide(band[6], South), 6);
}

TEST_F(BorderMembership, RemovingHandsTheShareToTheRest) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c");
  for (HWND h : {a, b, c}) layout.addWindow(h, North);
  layout.north.front().widthShare = 0.2;
  std::next(layout.north.begin())->widthShare = 0.5;
  layout.north.back().widthShare = 0.3;
  EXPECT_TRUE(layout.removeWindow(b, North, ForgetRects::Yes, Park::No));
  expectShares(layout, North, {0.45, 0.55});  // 0.5 / 2 = 0.25 more each
  RECT gone{};
  EXPECT_FALSE(layout.originalRects.findRect(b, &gone));
  EXPECT_FALSE(layout.placedRects.findRect(b, &gone));
  expectConsistent(layout, desk);
}

}  // namespace
}  // namespace tessellor::test
