#include <gmock/gmock.h>

#include "GridFixture.h"

namespace tessellor {
namespace {

using sim::Edge;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A, B on top and C, D below: A (0, 0, 640, 512), B (640, 0, 1280, 512), C (0, 512, 640, 1024),
// D (640, 512, 1280, 1024).
class GridResize : public GridTest {
 protected:
  void SetUp() override {
    const std::vector<HWND> hwnds = arrangeWindows(4);
    a = hwnds[0];
    b = hwnds[1];
    c = hwnds[2];
    d = hwnds[3];
  }

  void resize(HWND hwnd, Edge edge, int coordinate) {
    desktop.resize(hwnd, edge, coordinate);
    EXPECT_TRUE(grid.onUserMoveSize(hwnd));
    expectConsistent();
  }

  HWND a{}, b{}, c{}, d{};
};

TEST_F(GridResize, RightEdgeLeftwardsPullsTheNeighbour) {
  resize(a, Edge::Right, 600);
  EXPECT_THAT(rectsOf({a, b, c, d}), ElementsAre(RECT{0, 0, 600, 512}, RECT{600, 0, 1280, 512}, RECT{0, 512, 640, 1024},
                                                 RECT{640, 512, 1280, 1024}));
}

TEST_F(GridResize, RightEdgeOverTheNeighbourTrimsIt) {
  resize(a, Edge::Right, 700);
  EXPECT_THAT(rectsOf({a, b, c, d}), ElementsAre(RECT{0, 0, 700, 512}, RECT{700, 0, 1280, 512}, RECT{0, 512, 640, 1024},
                                                 RECT{640, 512, 1280, 1024}));
}

TEST_F(GridResize, BottomEdgeUpwardsRaisesTheRowBelowAndLevelsItsOwnRow) {
  resize(a, Edge::Bottom, 400);
  EXPECT_THAT(rectsOf({a, b, c, d}), ElementsAre(RECT{0, 0, 640, 400}, RECT{640, 0, 1280, 400}, RECT{0, 400, 640, 1024},
                                                 RECT{640, 400, 1280, 1024}));
}

TEST_F(GridResize, TopEdgeDownwardsLowersTheRowAboveAndLevelsItsOwnRow) {
  resize(d, Edge::Top, 600);
  EXPECT_THAT(rectsOf({a, b, c, d}), ElementsAre(RECT{0, 0, 640, 600}, RECT{640, 0, 1280, 600}, RECT{0, 600, 640, 1024},
                                                 RECT{640, 600, 1280, 1024}));
}

TEST_F(GridResize, GapInAnotherRowIsClosedFromItsRightNeighbour) {
  desktop.setRect(c, RECT{0, 512, 600, 1024});
  grid.rememberPlacedRect(c);
  resize(a, Edge::Bottom, 400);
  // D follows the row's new top (400) and then reaches left to C's right edge.
  EXPECT_EQ(desktop.rectOf(c), (RECT{0, 400, 600, 1024}));
  EXPECT_EQ(desktop.rectOf(d), (RECT{600, 400, 1280, 1024}));
}

TEST_F(GridResize, NeighbourIsNotTrimmedBelowTheMinimum) {
  // 1280 - 1200 = 80 < 150: B keeps its place and the overlap stays.
  desktop.resize(a, Edge::Right, 1200);
  grid.rememberPlacedRect(a);
  grid.resolveOverlaps(a, GapFill::Skip);
  EXPECT_EQ(desktop.rectOf(b), (RECT{640, 0, 1280, 512}));
  EXPECT_EQ(desktop.rectOf(a), (RECT{0, 0, 1200, 512}));

  // Filling the gaps levels B with A's row and B in turn trims A back to its own left edge.
  grid.fillGaps(a);
  EXPECT_EQ(desktop.rectOf(b), (RECT{640, 0, 1280, 512}));
  EXPECT_EQ(desktop.rectOf(a), (RECT{0, 0, 640, 512}));
  expectConsistent();
}

TEST_F(GridResize, DragLeavesTheGridAndActivatesTheWindow) {
  desktop.drag(a, 30, 40);
  EXPECT_FALSE(grid.onUserMoveSize(a));
  EXPECT_EQ(grid.windows, (std::vector<HWND>{b, c, d}));
  EXPECT_THAT(rectsOf({a, b, c, d}), ElementsAre(RECT{30, 40, 670, 552}, RECT{0, 0, 426, 1024}, RECT{426, 0, 852, 1024},
                                                 RECT{852, 0, 1280, 1024}));
  RECT forgotten{};
  EXPECT_FALSE(grid.originalRects.findRect(a, &forgotten));
  EXPECT_FALSE(grid.placedRects.findRect(a, &forgotten));
  ASSERT_FALSE(desktop.calls().empty());
  EXPECT_EQ(desktop.calls().back().kind, sim::PlacementCall::Kind::SetActiveWindow);
  EXPECT_EQ(desktop.calls().back().hwnd, a);
}

TEST_F(GridResize, AMoveOfAWindowOutsideTheGridChangesNothing) {
  const HWND stranger = createWindow("stranger");
  desktop.drag(stranger, 30, 40);
  desktop.clearCalls();
  EXPECT_FALSE(grid.onUserMoveSize(stranger));
  EXPECT_TRUE(desktop.calls().empty());
  EXPECT_EQ(grid.windows, (std::vector<HWND>{a, b, c, d}));
}

TEST_F(GridResize, AResizeWithoutARecordedPlaceIsKeptAndRecorded) {
  grid.placedRects.removeRect(a);
  desktop.setRect(a, RECT{10, 20, 600, 500});
  EXPECT_TRUE(grid.onUserMoveSize(a));
  EXPECT_TRUE(grid.contains(a));
  expectConsistent();
}

TEST_F(GridResize, OnlyFourChangedEdgesMakeADrag) {
  desktop.setRect(a, RECT{10, 20, 600, 512});
  EXPECT_FALSE(grid.wasDragged(a));
  desktop.setRect(a, RECT{10, 20, 600, 500});
  EXPECT_TRUE(grid.wasDragged(a));
  EXPECT_FALSE(grid.wasDragged(createWindow("stranger")));
}

TEST(GridTrimOverlap, MovesOneEdgeOffTheFixedRectangle) {
  const RECT other{100, 100, 500, 500};
  struct Case {
    RECT fixed;
    bool trimmed;
    RECT after;
  } const cases[] = {
      {{0, 0, 200, 150}, true, {100, 150, 500, 500}},      // 100 × 50 corner: top down by 50
      {{0, 0, 150, 200}, true, {150, 100, 500, 500}},      // 50 × 100 corner: left right by 50
      {{0, 0, 160, 160}, true, {160, 100, 500, 500}},      // 60 × 60: square cuts the vertical edge
      {{400, 0, 600, 150}, true, {100, 150, 500, 500}},    // 100 × 50 top-right corner: top down by 50
      {{0, 450, 200, 600}, true, {100, 100, 500, 450}},    // 100 × 50 bottom-left corner: bottom up by 50
      {{0, 400, 150, 600}, true, {150, 100, 500, 500}},    // 50 × 100 bottom-left corner: left right by 50
      {{400, 400, 600, 600}, true, {100, 100, 400, 500}},  // 100 × 100 bottom-right: right left by 100
      {{0, 0, 200, 600}, true, {200, 100, 500, 500}},      // whole height from the left
      {{400, 0, 600, 600}, true, {100, 100, 400, 500}},    // whole height from the right
      {{0, 450, 600, 600}, true, {100, 100, 500, 450}},    // whole width from below
      {{0, 0, 100, 500}, false, {100, 100, 500, 500}},     // shares the left edge only
      {{0, 0, 400, 600}, false, {400, 100, 500, 500}},     // 500 - 400 = 100 < 150
  };
  for (const Case& test : cases) {
    RECT rect = other;
    EXPECT_EQ(GridLayout::trimOverlap(test.fixed, rect), test.trimmed) << test.fixed;
    EXPECT_EQ(rect, test.after) << test.fixed;
  }
}

// w0 (0, 0, 640, 512), w1 (640, 0, 1280, 512) on top; 1280 / 3 = 426 wide below: w2 (0, 512, 426,
// 1024), w3 (426, 512, 852, 1024), w4 (852, 512, 1280, 1024).
class GridWideRow : public GridTest {
 protected:
  void SetUp() override { w = arrangeWindows(5); }

  void resize(HWND hwnd, Edge edge, int coordinate) {
    desktop.resize(hwnd, edge, coordinate);
    EXPECT_TRUE(grid.onUserMoveSize(hwnd));
    expectConsistent();
  }

  std::vector<HWND> w;
};

TEST_F(GridWideRow, ResizingTheLastWindowStretchesOnlyItsLeftNeighbour) {
  desktop.clearCalls();
  resize(w[4], Edge::Left, 900);
  EXPECT_THAT(rectsOf(w),
              ElementsAreArray(row(2, 640, 0, 512) +
                               std::vector<RECT>{{0, 512, 426, 1024}, {426, 512, 900, 1024}, {900, 512, 1280, 1024}}));
  for (const auto& call : desktop.calls()) EXPECT_TRUE(call.hwnd == w[2] || call.hwnd == w[3]);
}

TEST_F(GridWideRow, MiddleWindowIsNotTheLastOfItsRow) {
  resize(w[3], Edge::Right, 800);
  EXPECT_EQ(desktop.rectOf(w[4]), (RECT{800, 512, 1280, 1024}));
}

TEST_F(GridWideRow, FirstWindowOfTheWideRowClosesItsGapWhateverWasResized) {
  // Gaps on both sides of w3: 426..500 and 800..852. The resize happens in the first column of
  // the top row, which the wide row's first window shares.
  desktop.setRect(w[3], RECT{500, 512, 800, 1024});
  grid.rememberPlacedRect(w[3]);
  resize(w[0], Edge::Right, 600);
  EXPECT_THAT(rectsOf({w[2], w[3], w[4]}),
              ElementsAre(RECT{0, 512, 426, 1024}, RECT{426, 512, 800, 1024}, RECT{800, 512, 1280, 1024}));
}

}  // namespace
}  // namespace tessellor
