#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using Kind = sim::PlacementCall::Kind;
using BorderCellMoves = BorderTest;

std::vector<HWND> handlesOf(const std::list<layWND>& band) {
  std::vector<HWND> out;
  for (const layWND& w : band) out.push_back(w.hwnd);
  return out;
}

TEST_F(BorderCellMoves, SwapPutsTheCentreWindowInTheBandWindowsPlace) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c"), x = window("x");
  for (HWND h : {a, b, c}) layout.addWindow(h, West);
  layout.addWindow(x, Centre);
  const double bShare = std::next(layout.west.begin())->heightShare;

  EXPECT_TRUE(layout.swapWithCentre(layWND{b}, West));
  EXPECT_EQ(handlesOf(layout.west), (std::vector<HWND>{a, x, c}));
  EXPECT_EQ(layout.centre.hwnd, b);
  EXPECT_EQ(layout.centre.heightShare, bShare);
  // x comes in with 1/4, the others keep 3/4 of 1/3, and b's 1/4 goes back in thirds: 1/3 each.
  expectShares(layout, West, {1.0 / 3, 1.0 / 3, 1.0 / 3});
  expectConsistent(layout, desk);

  // With the Centre window itself: nothing moves. For a cell that is no band: false.
  desk.clearCalls();
  EXPECT_TRUE(layout.swapWithCentre(layWND{b}, 9));
  EXPECT_FALSE(layout.swapWithCentre(layWND{a}, Centre));
  EXPECT_FALSE(layout.swapWithCentre(layWND{a}, NoSide));
  EXPECT_TRUE(desk.calls().empty());
}

TEST_F(BorderCellMoves, MovedWindowIsSharedInByWhatItCarries) {
  BorderLayout layout(desk);
  const HWND n1 = window("n1"), n2 = window("n2"), s = window("s"), w = window("w");
  layout.addWindow(n1, North);
  layout.addWindow(n2, North);
  layout.addWindow(s, South);
  layout.addWindow(w, West);
  layout.north.back().widthShare = 0.25;
  layout.north.front().widthShare = 0.75;

  // Returning into South with its 0.25: two windows, 0.25 and 0.75.
  layout.moveWindowToSide(n2, North, South);
  EXPECT_EQ(handlesOf(layout.south), (std::vector<HWND>{s, n2}));
  expectShares(layout, South, {0.75, 0.25});
  expectShares(layout, North, {1.0});

  // Into West with heightShare 0: a newcomer, 1/2.
  layout.moveWindowToSide(n1, North, West);
  expectShares(layout, West, {0.5, 0.5});

  // Within its own band: to the end, by the share it had there.
  layout.moveWindowToSide(s, South, South);
  EXPECT_EQ(handlesOf(layout.south), (std::vector<HWND>{n2, s}));
  expectShares(layout, South, {0.25, 0.75});
  expectConsistent(layout, desk);
}

TEST_F(BorderCellMoves, MovedWindowIsPlacedByItsOwnWalkWithoutTakingTheFocus) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c"), e = window("e"), w = window("w");
  for (HWND h : {a, b, c}) layout.addWindow(h, North);
  layout.addWindow(e, East);
  layout.addWindow(w, West);
  desk.clearCalls();
  const auto zOrder = desk.zOrder();
  layout.moveWindowToSide(w, West, East);
  // The North run ends at 798 (three thirds of 800, each end truncated), and that is where this
  // walk starts East: x 798, width 1000 − 798 = 202; y 800 × 0.5 = 400, height 400.
  EXPECT_EQ(requests(w, Kind::SetWindowPos), (std::vector<RECT>{RECT{798, 400, 1000, 800}}));
  EXPECT_EQ(desk.foreground(), nullptr);
  EXPECT_EQ(desk.zOrder(), zOrder);
}

// A band of six with room by its capacity used to swallow the window: it left its cell and was
// never appended.
TEST_F(BorderCellMoves, MoveToABandWithoutRoomChangesNothing) {
  BorderLayout layout(desk);
  const HWND mover = window("mover");
  layout.addWindow(mover, South);
  for (int i = 0; i < 7; ++i) layout.addWindow(window("n" + std::to_string(i)), North);
  for (int i = 0; i < 6; ++i) layout.addWindow(window("w" + std::to_string(i)), West);
  ASSERT_TRUE(layout.isSideFull(North));  // (1000 − 200) / 112 = 7.1: seven
  ASSERT_FALSE(layout.isSideFull(West));  // (800 − 160) / 27 = 23
  desk.clearCalls();
  layout.moveWindowToSide(mover, South, North);
  layout.moveWindowToSide(mover, South, West);
  EXPECT_EQ(layout.sideOf(mover), South);
  EXPECT_EQ(layout.west.size(), 6u);
  EXPECT_TRUE(desk.calls().empty());
}

TEST_F(BorderCellMoves, AddToATakenCentreSendsItsWindowToTheDrawnBand) {
  BorderLayout layout(desk);
  const HWND x = window("x"), y = window("y"), e = window("e");
  EXPECT_TRUE(layout.addToCentre(x));  // empty Centre: a plain addWindow
  EXPECT_EQ(layout.centre.hwnd, x);

  layout.addWindow(e, East);
  desk.setRand(6);  // 6 % 4 = 2: East
  EXPECT_TRUE(layout.addToCentre(y));
  EXPECT_EQ(layout.centre.hwnd, y);
  EXPECT_EQ(handlesOf(layout.east), (std::vector<HWND>{e, x}));
  expectConsistent(layout, desk);

  // The drawn band is full: the Centre stays taken and the newcomer stays out.
  for (int i = 0; i < 6; ++i) layout.addWindow(window("n" + std::to_string(i)), North);
  desk.setRand(4);  // North
  const HWND z = window("z");
  EXPECT_FALSE(layout.addToCentre(z));
  EXPECT_EQ(layout.centre.hwnd, y);
  EXPECT_EQ(layout.sideOf(z), NoSide);
}

}  // namespace
}  // namespace tessellor::test
