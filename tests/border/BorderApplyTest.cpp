#include <cmath>
#include <limits>

#include "BorderFixture.h"
#include "layout/border/truncToPixel.h"

namespace tessellor::test {
namespace {

using Kind = sim::PlacementCall::Kind;

TEST(BorderModel, ConstructorsStoreWeightsAndStartEmpty) {
  sim::SimDesktop desk;
  desk.setScreen(1000, 800);
  desk.setMinSize(112, 27);
  const BorderLayout plain(desk);
  EXPECT_EQ(plain.eastWeight, 0.3);
  EXPECT_EQ(plain.westWeight, 0.3);
  EXPECT_EQ(plain.northWeight, 0.2);
  EXPECT_EQ(plain.southWeight, 0.2);
  EXPECT_EQ(plain.screenWidth, 1000.0);
  EXPECT_EQ(plain.screenHeight, 800.0);
  EXPECT_EQ(plain.minWidth, 112.0);
  EXPECT_EQ(plain.minHeight, 27.0);
  // The boundaries of a layout with every band empty.
  EXPECT_EQ(plain.northBottom, 0.0);
  EXPECT_EQ(plain.eastLeft, 1000.0);
  EXPECT_EQ(plain.southTop, 800.0);
  EXPECT_EQ(plain.westRight, 0.0);

  const BorderLayout given(desk, 1.5, -0.25, 0.1, 0.4);  // out of range: stored unchecked
  EXPECT_EQ(given.eastWeight, 1.5);
  EXPECT_EQ(given.westWeight, -0.25);
  EXPECT_EQ(given.northWeight, 0.1);
  EXPECT_EQ(given.southWeight, 0.4);
}

TEST(BorderModel, TruncToPixelIsDefinedEverywhere) {
  EXPECT_EQ(truncToPixel(233.999), 233);
  EXPECT_EQ(truncToPixel(-2.7), -2);  // toward zero, not down
  EXPECT_EQ(truncToPixel(std::nan("")), 0);
  EXPECT_EQ(truncToPixel(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(truncToPixel(-std::numeric_limits<double>::infinity()), std::numeric_limits<int>::min());
}

using BorderApply = BorderTest;

TEST_F(BorderApply, FourBandsFormAPinwheelAroundTheCentre) {
  BorderLayout layout(desk);
  const HWND n = window("n"), e = window("e"), s = window("s"), w = window("w"), c = window("c");
  ASSERT_TRUE(layout.addWindow(n, North));
  ASSERT_TRUE(layout.addWindow(e, East));
  ASSERT_TRUE(layout.addWindow(s, South));
  ASSERT_TRUE(layout.addWindow(w, West));
  ASSERT_TRUE(layout.addWindow(c, Centre));
  // 800 × 0.2 = 160; 1000 − 1000 × 0.3 = 700; 1000 × 0.3 = 300; 800 − 800 × 0.2 = 640.
  EXPECT_EQ(desk.rectOf(n), (RECT{0, 0, 700, 160}));
  EXPECT_EQ(desk.rectOf(e), (RECT{700, 0, 1000, 640}));
  EXPECT_EQ(desk.rectOf(s), (RECT{300, 640, 1000, 800}));
  EXPECT_EQ(desk.rectOf(w), (RECT{0, 160, 300, 800}));
  EXPECT_EQ(desk.rectOf(c), (RECT{300, 160, 700, 640}));
  expectConsistent(layout, desk);

  // Placement order North, East, South, West, then the Centre.
  desk.clearCalls();
  layout.applyLayout();
  ASSERT_EQ(desk.calls().size(), 5u);
  const HWND order[] = {n, e, s, w, c};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(desk.calls()[i].hwnd, order[i]);
}

TEST_F(BorderApply, EmptyBandsTakeNoRoom) {
  BorderLayout layout(desk);
  layout.applyLayout();
  EXPECT_TRUE(desk.calls().empty());
  EXPECT_EQ(layout.northBottom, 0.0);
  EXPECT_EQ(layout.eastLeft, 1000.0);
  EXPECT_EQ(layout.southTop, 800.0);
  EXPECT_EQ(layout.westRight, 0.0);
  EXPECT_EQ(layout.northWeight, 0.2);  // an empty band keeps its weight
  EXPECT_EQ(layout.eastWeight, 0.3);

  const HWND c = window("c");
  layout.addWindow(c, Centre);
  EXPECT_EQ(desk.rectOf(c), (RECT{0, 0, 1000, 800}));

  // North sees East empty through its list and takes the whole width; the Centre reaches x 0..1000.
  const HWND n = window("n");
  layout.addWindow(n, North);
  EXPECT_EQ(desk.rectOf(n), (RECT{0, 0, 1000, 160}));
  EXPECT_EQ(desk.rectOf(c), (RECT{0, 160, 1000, 800}));
}

TEST_F(BorderApply, SlicesTruncateAndAbut) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c"), e = window("e");
  for (HWND h : {a, b, c}) layout.addWindow(h, North);
  layout.addWindow(e, East);
  for (layWND& w : layout.north) w.widthShare = 1.0 / 3;
  layout.applyLayout();
  // 700 × 1/3 = 233.3: 0..233, 233..466, 466..699, the last a pixel short of the band's end.
  EXPECT_EQ(desk.rectOf(a), (RECT{0, 0, 233, 160}));
  EXPECT_EQ(desk.rectOf(b), (RECT{233, 0, 466, 160}));
  EXPECT_EQ(desk.rectOf(c), (RECT{466, 0, 699, 160}));

  // Shares over 1 are placed as they are: 700 × 0.4 × 3 = 840 reaches past eastLeft 700.
  for (layWND& w : layout.north) w.widthShare = 0.4;
  layout.applyLayout();
  EXPECT_EQ(desk.rectOf(c).right, 840);
  EXPECT_EQ(sharesOf(layout, North), (std::vector<double>{0.4, 0.4, 0.4}));
}

TEST_F(BorderApply, ShortBandIsToppedUpBeforePlacing) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b");
  layout.addWindow(a, West);
  layout.addWindow(b, West);
  for (layWND& w : layout.west) w.heightShare = 0.4;
  layout.applyLayout();
  // 0.4 + 0.2 / 2 = 0.5 each; West runs the full 800 with North empty.
  EXPECT_EQ(sharesOf(layout, West), (std::vector<double>{0.5, 0.5}));
  EXPECT_EQ(desk.rectOf(b), (RECT{0, 400, 300, 800}));
}

TEST_F(BorderApply, MinimisedWindowReturnsToItsSlice) {
  BorderLayout layout(desk);
  const HWND n = window("n");
  layout.addWindow(n, North);
  desk.minimize(n);
  layout.applyLayout();
  EXPECT_FALSE(desk.isMinimized(n));
  EXPECT_EQ(desk.rectOf(n), (RECT{0, 0, 1000, 160}));
  expectConsistent(layout, desk);
}

TEST_F(BorderApply, TallNorthWindowWidensItsBand) {
  BorderLayout layout(desk);
  const HWND w = window("w"), c = window("c");
  const HWND n = window(Spec("n").min(0, 300));
  layout.addWindow(w, West);
  layout.addWindow(c, Centre);
  desk.clearCalls();
  layout.addWindow(n, North);
  // First asked for 800 × 0.2 = 160; it reads back 300, so 300 / 800 = 0.375 and one more round.
  const std::vector<RECT> asked = requests(n);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].bottom, 160);
  EXPECT_EQ(asked[1].bottom, 300);
  EXPECT_EQ(layout.northWeight, 0.375);
  EXPECT_EQ(desk.rectOf(w).top, 300);
  EXPECT_EQ(desk.rectOf(c).top, 300);
  expectConsistent(layout, desk);
}

TEST_F(BorderApply, EastBandEndsAtItsWidestWindow) {
  BorderLayout layout(desk);
  const HWND a = window(Spec("a").min(450, 0));
  const HWND b = window(Spec("b").min(500, 0));
  layout.addWindow(a, East);
  layout.addWindow(b, East);
  // Read back 450 and 500 wide: 450 / 1000 then 500 / 1000 = 0.5; re-applied at 500 both fit.
  EXPECT_EQ(layout.eastWeight, 0.5);
  EXPECT_EQ(desk.rectOf(a), (RECT{500, 0, 1000, 400}));
  expectConsistent(layout, desk);
}

TEST_F(BorderApply, WindowExactlyAsThickAsItsBandCausesNoRepetition) {
  BorderLayout layout(desk);
  const HWND n = window(Spec("n").min(0, 160));  // 0.2 × 800 = 160
  layout.addWindow(n, North);
  EXPECT_EQ(requests(n).size(), 1u);
  EXPECT_EQ(layout.northWeight, 0.2);
}

// A window that grows at every placement would raise its band's weight forever.
TEST_F(BorderApply, GrowingWindowStopsTheFitAfterTenRepetitions) {
  BorderLayout layout(desk);
  const HWND n = window(Spec("n").growing(10));
  layout.addWindow(n, North);
  // The outermost apply and ten nested ones: eleven placements.
  EXPECT_EQ(requests(n).size(), 11u);
  // The last pass raised the weight to what the window became, and that weight was not applied.
  const RECT now = desk.rectOf(n);
  EXPECT_EQ(layout.northWeight, (now.bottom - now.top) / 800.0);
  EXPECT_LT(layout.northBottom, now.bottom - now.top);
  expectConsistent(layout, desk);

  // The bound is per outermost call: the next one again repeats ten times.
  desk.clearCalls();
  layout.applyLayout();
  EXPECT_EQ(requests(n).size(), 11u);
}

TEST_F(BorderApply, SpreadShareHandsOutEvenly) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b");
  layout.addWindow(a, North);
  layout.addWindow(b, North);
  layout.north.front().widthShare = 0.2;
  layout.north.back().widthShare = 0.3;
  desk.clearCalls();
  layout.spreadShare(North, 0.5, false);
  // 0.5 / 2 = 0.25 each: 0.45 and 0.55.
  EXPECT_DOUBLE_EQ(layout.north.front().widthShare, 0.45);
  EXPECT_DOUBLE_EQ(layout.north.back().widthShare, 0.55);
  EXPECT_TRUE(desk.calls().empty());

  // Skipping b: a alone gets 0.1 / (2 − 1).
  layout.spreadShareExcept(North, 0.1, layWND{b}, false);
  EXPECT_DOUBLE_EQ(layout.north.front().widthShare, 0.55);
  EXPECT_DOUBLE_EQ(layout.north.back().widthShare, 0.55);

  // Centre and bad codes: nothing, not even an apply.
  layout.spreadShare(Centre, 0.5, true);
  layout.spreadShareExcept(7, 0.5, layWND{a}, true);
  EXPECT_TRUE(desk.calls().empty());
}

TEST_F(BorderApply, RefreshMetricsReappliesOnlyForANewScreenSize) {
  BorderLayout layout(desk);
  const HWND n = window("n");
  layout.addWindow(n, North);
  desk.clearCalls();
  desk.setMinSize(150, 40);
  layout.refreshMetrics();
  EXPECT_EQ(layout.minWidth, 150.0);
  EXPECT_EQ(layout.minHeight, 40.0);
  EXPECT_TRUE(desk.calls().empty());

  desk.setScreen(1200, 900);
  layout.refreshMetrics();
  EXPECT_EQ(desk.rectOf(n), (RECT{0, 0, 1200, 180}));  // 900 × 0.2 = 180
}

}  // namespace
}  // namespace tessellor::test
