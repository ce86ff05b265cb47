#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderMembership = BorderTest;

TEST_F(BorderMembership, NorthHoldsSixMinimumWidthWindows) {
  BorderLayout layout(desk);
  // (1000 − 1000 × 0.3) / 112 = 6.25: capacity 6.
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(layout.isSideFull(North));
    EXPECT_TRUE(layout.addWindow(window("n" + std::to_string(i)), North));
  }
  EXPECT_TRUE(layout.isSideFull(North));
  EXPECT_FALSE(layout.addWindow(window("n6"), North));
  EXPECT_EQ(layout.north.size(), 6u);

  // Past its capacity (the weights changed) the band is not "full" and takes one more.
  layout.eastWeight = 0.5;  // 500 / 112 = 4.46: capacity 4
  EXPECT_FALSE(layout.isSideFull(North));
  EXPECT_TRUE(layout.addWindow(window("n7"), North));
  expectConsistent(layout, desk);
}

TEST_F(BorderMembership, CentreHoldsOneWindow) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b");
  EXPECT_TRUE(layout.addWindow(a, Centre));
  EXPECT_FALSE(layout.isSideFull(Centre));
  EXPECT_FALSE(layout.addWindow(b, Centre));
  EXPECT_FALSE(layout.addWindow(b, 5));
  EXPECT_EQ(layout.centre.hwnd, a);
  EXPECT_EQ(layout.sideOf(b), -1);
}

TEST_F(BorderMembership, OriginalRectangleIsTheFirstOneUnlessMinimised) {
  BorderLayout layout(desk);
  const HWND a = window("a", RECT{10, 20, 310, 220});
  const HWND m = window(Spec("m").minimised());  // all four coordinates negative
  layout.addWindow(a, North);
  layout.addWindow(m, North);
  RECT remembered{};
  EXPECT_TRUE(layout.originalRects.findRect(a, &remembered));
  EXPECT_EQ(remembered, (RECT{10, 20, 310, 220}));
  EXPECT_FALSE(layout.originalRects.findRect(m, &remembered));
}

TEST_F(BorderMembership, InsertPutsTheWindowAtItsPosition) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), first = window("first"), last = window("last"), neg = window("neg");
  layout.addWindow(a, West);
  layout.addWindow(b, West);
  EXPECT_TRUE(layout.insertWindow(first, West, 0));
  EXPECT_TRUE(layout.insertWindow(last, West, 3));  // == count: last
  EXPECT_TRUE(layout.insertWindow(neg, West, -1));  // negative: last
  EXPECT_EQ(layout.indexInSide(first, West), 0);
  EXPECT_EQ(layout.indexInSide(a, West), 1);
  EXPECT_EQ(layout.indexInSide(neg, West), 4);
  // Not parked: shared in as a newcomer, and no first rectangle is recorded.
  RECT remembered{};
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
  layout.removeWindow(b, North, false, true);
  ASSERT_EQ(layout.parked.size(), 1u);
  EXPECT_EQ(layout.parked.front().widthShare, 0.4);

  EXPECT_TRUE(layout.insertWindow(b, North, 1));
  EXPECT_TRUE(layout.parked.empty());
  EXPECT_NEAR(layout.north.front().widthShare, 0.6, 1e-12);
  EXPECT_NEAR(layout.north.back().widthShare, 0.4, 1e-12);

  // Parked with the whole band (1.0): the two split evenly.
  layout.removeWindow(b, North, false, true);
  layout.parked.back().widthShare = 1.0;
  layout.insertWindow(b, North, 0);
  EXPECT_EQ(sharesOf(layout, North), (std::vector<double>{0.5, 0.5}));

  // Removed without parking: any parked record of the window goes.
  layout.parked.push_back(layWND{b, 0.3, 0.3});
  layout.removeWindow(b, North, false, false);
  EXPECT_TRUE(layout.parked.empty());
  expectConsistent(layout, desk);
}

// A failed insert used to lose the window's parked record, and with it the share it would get back.
TEST_F(BorderMembership, FailedInsertKeepsTheParkedRecord) {
  BorderLayout layout(desk);
  const HWND a = window("a"), c = window("c");
  layout.addWindow(c, Centre);
  layout.addWindow(a, North);
  layout.removeWindow(a, North, false, true);
  ASSERT_EQ(layout.parked.size(), 1u);

  EXPECT_FALSE(layout.insertWindow(a, Centre, 0));  // taken
  EXPECT_FALSE(layout.insertWindow(a, 9, 0));       // no such cell
  ASSERT_EQ(layout.parked.size(), 1u);
  EXPECT_EQ(layout.parked.front().hwnd, a);

  EXPECT_TRUE(layout.insertWindow(a, West, 0));
  EXPECT_TRUE(layout.parked.empty());
}

TEST_F(BorderMembership, SideOfSearchesTheBandsThenTheCentre) {
  BorderLayout layout(desk);
  const HWND w = window("w"), e = window("e");
  layout.addWindow(w, West);
  layout.addWindow(e, East);
  EXPECT_EQ(layout.sideOf(w), West);
  EXPECT_EQ(layout.sideOf(e), East);
  EXPECT_EQ(layout.sideOf(window("stranger")), -1);
  // The empty Centre holds a null handle; a null window must still be in no cell.
  EXPECT_EQ(layout.sideOf(nullptr), -1);
}

TEST_F(BorderMembership, IndexInSideAnswersNothingForABandOfSix) {
  BorderLayout layout(desk);
  layout.minWidth = layout.minHeight = 10;  // room for seven
  std::vector<HWND> band;
  for (int i = 0; i < 7; ++i) band.push_back(window("s" + std::to_string(i)));
  for (int i = 0; i < 5; ++i) layout.addWindow(band[i], South);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(layout.indexInSide(band[i], South), i);
  layout.addWindow(band[5], South);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(layout.indexInSide(band[i], South), -1);
  layout.addWindow(band[6], South);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(layout.indexInSide(band[i], South), i);
  EXPECT_EQ(layout.indexInSide(band[0], Centre), -1);
}

TEST_F(BorderMembership, WindowsInSideIsACopy) {
  BorderLayout layout(desk);
  const HWND a = window("a");
  layout.addWindow(a, East);
  std::list<layWND> copy = layout.windowsInSide(East);
  copy.front().heightShare = 0.1;
  EXPECT_EQ(layout.east.front().heightShare, 1.0);

  const std::list<layWND> centre = layout.windowsInSide(Centre);
  ASSERT_EQ(centre.size(), 1u);
  EXPECT_EQ(centre.front().hwnd, nullptr);
  EXPECT_TRUE(layout.windowsInSide(-1).empty());
}

TEST_F(BorderMembership, RemovingHandsTheShareToTheRest) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c");
  for (HWND h : {a, b, c}) layout.addWindow(h, North);
  layout.north.front().widthShare = 0.2;
  std::next(layout.north.begin())->widthShare = 0.5;
  layout.north.back().widthShare = 0.3;
  EXPECT_TRUE(layout.removeWindow(b, North, true, false));
  // 0.5 / 2 = 0.25 more each: 0.45 and 0.55.
  const std::vector<double> shares = sharesOf(layout, North);
  ASSERT_EQ(shares.size(), 2u);
  EXPECT_NEAR(shares[0], 0.45, 1e-12);
  EXPECT_NEAR(shares[1], 0.55, 1e-12);
  RECT gone{};
  EXPECT_FALSE(layout.originalRects.findRect(b, &gone));
  EXPECT_FALSE(layout.placedRects.findRect(b, &gone));
  expectConsistent(layout, desk);

  // The Centre is emptied and the bands take its room at once.
  const HWND x = window("x");
  layout.addWindow(x, Centre);
  layout.removeWindow(x, Centre, false, false);
  EXPECT_EQ(layout.centre.hwnd, nullptr);
  EXPECT_EQ(layout.placedRects.findRect(x, &gone), true);  // kept: forgetRects was clear
}

TEST_F(BorderMembership, RectChangedOnlyWhenEveryEdgeMoved) {
  BorderLayout layout(desk);
  const HWND a = window("a");
  layout.addWindow(a, North);
  desk.drag(a, 40, 0);  // straight right: top and bottom stay
  EXPECT_FALSE(layout.rectChanged(a));
  desk.drag(a, 0, 30);  // now all four differ from the placement
  EXPECT_TRUE(layout.rectChanged(a));
  EXPECT_FALSE(layout.rectChanged(window("never placed")));
}

}  // namespace
}  // namespace tessellor::test
