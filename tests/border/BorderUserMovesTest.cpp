#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using sim::Edge;

class BorderUserMoves : public BorderTest {
 protected:
  // Three North windows of 1/3 each; with East occupied they share 800 and lie at 0..266,
  // 266..532, 532..800 and the East window starts at 800, without it at 0..333, 333..666, 666..1000
  // (the last window of a band reaches the band's end).
  void threeNorth(bool withEast) {
    for (HWND h : {a, b, c}) layout.addWindow(h, North);
    if (withEast) layout.addWindow(e, East);
    for (layWND& w : layout.north) w.widthShare = 1.0 / 3;
    layout.applyLayout();
  }

  // What the main dialog does on the hook's sizing message.
  bool userMoved(HWND hwnd) {
    const bool kept = layout.onUserMoveSize(hwnd);
    layout.applyLayout();
    return kept;
  }

  BorderLayout layout{desk};
  HWND a = window("a"), b = window("b"), c = window("c"), e = window("e");
};

TEST_F(BorderUserMoves, BorderWindowMovesTheNeighbourBoundary) {
  threeNorth(true);
  ASSERT_EQ(desk.rectOf(c), (RECT{532, 0, 800, 160}));
  desk.resize(c, Edge::Right, 650);
  EXPECT_TRUE(layout.onUserMoveSize(c));
  // eastLeft follows the right edge: (1000 − 650) / 1000 = 0.35; the shares are widths over 650:
  // 266, 266 and 650 − 532 = 118.
  EXPECT_EQ(layout.eastWeight, 0.35);
  expectShares(layout, North, {266.0 / 650, 266.0 / 650, 118.0 / 650});
  layout.applyLayout();
  EXPECT_EQ(layout.eastLeft, 650.0);
  EXPECT_EQ(desk.rectOf(e).left, 650);
  expectConsistent(layout, desk);
}

TEST_F(BorderUserMoves, WithoutANeighbourOnlyTheSharesChange) {
  threeNorth(false);
  ASSERT_EQ(desk.rectOf(c), (RECT{666, 0, 1000, 160}));
  desk.resize(c, Edge::Right, 900);
  EXPECT_TRUE(userMoved(c));
  // (900 − 666) / 1000 = 0.234; the 1/3 − 0.234 it gave up goes half to each of the others.
  expectShares(layout, North, {(1 - 0.234) / 2, (1 - 0.234) / 2, 0.234});
  EXPECT_EQ(layout.eastWeight, 0.2);
  expectConsistent(layout, desk);
}

TEST_F(BorderUserMoves, BottomOnlyResizeStillSnapsTheNeighbourBoundary) {
  threeNorth(true);
  // A window that stopped short of its band's end, say at 790 (it would not be wider).
  desk.setRect(c, RECT{532, 0, 790, 160});
  desk.resize(c, Edge::Bottom, 200);
  EXPECT_TRUE(layout.onUserMoveSize(c));
  // Its right edge (790) is not the East band's left edge (800): eastLeft becomes 790.
  EXPECT_EQ(layout.eastLeft, 790.0);
  EXPECT_EQ(layout.eastWeight, (1000.0 - 790) / 1000);
  // And the band is as thick as the window now: 200 / 800 = 0.25.
  EXPECT_EQ(layout.northWeight, 0.25);
  EXPECT_EQ(layout.northBottom, 200.0);
}

TEST_F(BorderUserMoves, BandOfSixMovesNoBoundary) {
  threeNorth(true);
  for (const char* name : {"d", "f"}) layout.addWindow(window(name), North);
  const HWND g = window("g");
  layout.addWindow(g, North);
  desk.resize(g, Edge::Right, 600);
  EXPECT_TRUE(userMoved(g));
  EXPECT_EQ(layout.eastWeight, 0.2);
  EXPECT_EQ(desk.rectOf(e).left, 800);
  expectConsistent(layout, desk);
}

TEST_F(BorderUserMoves, DiagonalDragTakesTheWindowOut) {
  threeNorth(true);
  desk.drag(b, 30, 40);
  EXPECT_FALSE(userMoved(b));
  EXPECT_EQ(layout.sideOf(b), NoSide);
  RECT none{};
  EXPECT_FALSE(layout.originalRects.findRect(b, &none));
  EXPECT_FALSE(layout.placedRects.findRect(b, &none));
  EXPECT_EQ(desk.foreground(), b);
  EXPECT_EQ(desk.rectOf(b), (RECT{296, 40, 562, 200}));  // stays where it was dropped
  expectConsistent(layout, desk);
}

TEST_F(BorderUserMoves, StraightDragIsAResize) {
  threeNorth(true);
  desk.drag(b, 0, 50);  // left and right unchanged
  EXPECT_TRUE(userMoved(b));
  // 210 / 800 = 0.2625; its share is its width over eastLeft, 266 / 800.
  EXPECT_EQ(layout.northWeight, 210.0 / 800);
  EXPECT_EQ(layout.sideOf(b), North);
  EXPECT_EQ(desk.rectOf(a).bottom, 210);
  expectConsistent(layout, desk);
}

TEST_F(BorderUserMoves, CentreEdgesMoveOnlyOccupiedBands) {
  const HWND x = window("x"), w = window("w");
  layout.addWindow(w, West);
  layout.addWindow(x, Centre);
  ASSERT_EQ(desk.rectOf(x), (RECT{200, 0, 1000, 800}));
  desk.resize(x, Edge::Right, 900);  // East is empty: nothing follows
  EXPECT_TRUE(userMoved(x));
  EXPECT_EQ(layout.eastWeight, 0.2);
  desk.resize(x, Edge::Left, 250);  // West is there: 250 / 1000
  EXPECT_TRUE(userMoved(x));
  EXPECT_EQ(layout.westWeight, 0.25);
  EXPECT_EQ(desk.rectOf(w).right, 250);
  expectConsistent(layout, desk);
}

}  // namespace
}  // namespace tessellor::test
