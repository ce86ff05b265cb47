#include <array>
#include <cmath>
#include <limits>

#include "BorderFixture.h"
#include "layout/border/truncToPixel.h"
#include "platform/ForwardingPlatform.h"

namespace tessellor::test {
namespace {

// In BorderSide order.
std::array<double, 4> weights(const BorderLayout& l) {
  return {l.northWeight, l.westWeight, l.eastWeight, l.southWeight};
}
std::array<double, 4> boundaries(const BorderLayout& l) { return {l.northBottom, l.eastLeft, l.southTop, l.westRight}; }

TEST(BorderModel, TheConstructorStoresTheWeightsUnchecked) {
  sim::SimDesktop desk;
  EXPECT_EQ(weights(BorderLayout(desk)), (std::array{0.2, 0.2, 0.2, 0.2}));
  const BorderWeights odd{.northWeight = 0.1, .westWeight = -0.25, .eastWeight = 1.5, .southWeight = 0.4};
  EXPECT_EQ(weights(BorderLayout(desk, odd)), (std::array{0.1, -0.25, 1.5, 0.4}));
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
  for (const auto& [hwnd, side] : {std::pair{n, North}, {e, East}, {s, South}, {w, West}, {c, Centre}}) {
    ASSERT_TRUE(layout.addWindow(hwnd, side));
  }
  // 800 × 0.2 = 160; 1000 − 1000 × 0.2 = 800; 1000 × 0.2 = 200; 800 − 800 × 0.2 = 640.
  EXPECT_EQ(desk.rectOf(n), (RECT{0, 0, 800, 160}));
  EXPECT_EQ(desk.rectOf(e), (RECT{800, 0, 1000, 640}));
  EXPECT_EQ(desk.rectOf(s), (RECT{200, 640, 1000, 800}));
  EXPECT_EQ(desk.rectOf(w), (RECT{0, 160, 200, 800}));
  EXPECT_EQ(desk.rectOf(c), (RECT{200, 160, 800, 640}));
  expectConsistent(layout, desk);

  desk.clearCalls();
  layout.applyLayout();
  std::vector<HWND> order;
  for (const sim::PlacementCall& call : desk.calls()) order.push_back(call.hwnd);
  EXPECT_EQ(order, (std::vector<HWND>{n, e, s, w, c}));
}

TEST_F(BorderApply, EmptyBandsTakeNoRoom) {
  BorderLayout layout(desk);
  layout.applyLayout();
  EXPECT_TRUE(desk.calls().empty());
  EXPECT_EQ(boundaries(layout), (std::array{0.0, 1000.0, 800.0, 0.0}));
  EXPECT_EQ(weights(layout), (std::array{0.2, 0.2, 0.2, 0.2}));  // kept for when a window comes

  const HWND c = window("c");
  layout.addWindow(c, Centre);
  EXPECT_EQ(desk.rectOf(c), (RECT{0, 0, 1000, 800}));
  // North sees East empty by its list and takes the whole width; the Centre spans x 0..1000.
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
  // 800 × 1/3 = 266.7, each end truncated from the last one's: 0..266, 266..532 (532.7), and
  // the last from 532 to the band's end, 800, taking the two pixels the truncations left.
  EXPECT_EQ(desk.rectOf(a), (RECT{0, 0, 266, 160}));
  EXPECT_EQ(desk.rectOf(b), (RECT{266, 0, 532, 160}));
  EXPECT_EQ(desk.rectOf(c), (RECT{532, 0, 800, 160}));
}

TEST_F(BorderApply, TallNorthWindowWidensItsBand) {
  BorderLayout layout(desk);
  const HWND w = window("w"), c = window("c");
  const HWND n = window(Desc("n").min(0, 300));
  layout.addWindow(w, West);
  layout.addWindow(c, Centre);
  desk.clearCalls();
  layout.addWindow(n, North);
  // First asked for 800 × 0.2 = 160; it reads back 300, so 300 / 800 = 0.375 and one more round,
  // after which a height of exactly 0.375 × 800 raises nothing.
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
  const HWND a = window(Desc("a").min(450, 0));
  const HWND b = window(Desc("b").min(500, 0));
  layout.addWindow(a, East);
  layout.addWindow(b, East);
  // Read back 450 and 500 wide: 450 / 1000 then 500 / 1000 = 0.5; re-applied at 500 both fit.
  EXPECT_EQ(layout.eastWeight, 0.5);
  EXPECT_EQ(desk.rectOf(a), (RECT{500, 0, 1000, 400}));
  expectConsistent(layout, desk);
}

// A window that grows at every placement would raise its band's weight forever.
TEST_F(BorderApply, GrowingWindowStopsTheFitAfterTenRepetitions) {
  BorderLayout layout(desk);
  const HWND n = window(Desc("n").growing(10));
  layout.addWindow(n, North);
  // The outermost apply and ten nested ones: eleven placements.
  EXPECT_EQ(requests(n).size(), 11u);
  // Grown past the screen, the band stops at the whole of it (South holds nothing), and the last
  // weight was not applied.
  const RECT now = desk.rectOf(n);
  EXPECT_GT(now.bottom - now.top, 800);
  EXPECT_DOUBLE_EQ(layout.northWeight, 1.0);
  EXPECT_LT(layout.northBottom, 800.0);
  expectConsistent(layout, desk);

  // The next apply finds the band as wide as it can be, and places the window once.
  desk.clearCalls();
  layout.applyLayout();
  EXPECT_EQ(requests(n).size(), 1u);
  EXPECT_DOUBLE_EQ(layout.northWeight, 1.0);
}

// A band set thick by the user gives way to a window across from it that will not be thinner, down
// to no less than its own windows were seen to keep.
TEST_F(BorderApply, BandAcrossGivesWayToAWindowThatKeepsItsThickness) {
  BorderLayout layout(desk);
  layout.southWeight = 0.7;
  const HWND s = window("s");
  const HWND n = window(Desc("n").min(0, 300));
  ASSERT_TRUE(layout.addWindow(s, South));
  ASSERT_TRUE(layout.addWindow(n, North));
  EXPECT_DOUBLE_EQ(layout.northWeight, 300.0 / 800);
  EXPECT_DOUBLE_EQ(layout.southWeight, 500.0 / 800);
  EXPECT_EQ(desk.rectOf(n).bottom, desk.rectOf(s).top);
  expectConsistent(layout, desk);
}

// A window that will not be thinner than the screen widens its band only to what the band across
// leaves: the two never overlap, event after event.
TEST_F(BorderApply, BandWidensNoFurtherThanTheBandAcrossLeaves) {
  BorderLayout layout(desk);
  const HWND wide = window(Desc("wide").min(1500, 100));
  const HWND e = window("e");
  ASSERT_TRUE(layout.addWindow(e, East));
  ASSERT_TRUE(layout.addWindow(wide, West));
  for (int event = 0; event < 3; ++event) layout.applyLayout();
  EXPECT_DOUBLE_EQ(layout.westWeight + layout.eastWeight, 1.0);
  EXPECT_LE(layout.westRight, layout.eastLeft);
  EXPECT_EQ(desk.rectOf(e).right, 1000);
}

// A window of an elevated program refuses every placement and stays as it was: 800 px wide in West
// it must not widen West to 800 / 1000 = 0.8, which would leave the Centre 200 px.
TEST_F(BorderApply, RefusedPlacementWidensNoBand) {
  BorderLayout layout(desk);
  const HWND admin = window(Desc("admin").elevatedAt(RECT{0, 0, 800, 600}));
  const HWND c = window("c");
  ASSERT_TRUE(layout.addWindow(admin, West));
  ASSERT_TRUE(layout.addWindow(c, Centre));
  EXPECT_EQ(desk.rectOf(admin), (RECT{0, 0, 800, 600}));  // not moved
  EXPECT_EQ(layout.westWeight, 0.2);
  // 1000 × 0.2 = 200: the Centre starts where West's slice ends, not at the unmoved window's edge.
  EXPECT_EQ(desk.rectOf(c), (RECT{200, 0, 1000, 800}));
  // Where the layout put it is its slice, which the unmoved window does not share one edge with
  // but its left: a later drag of it is judged against the slice.
  RECT placed{};
  ASSERT_TRUE(layout.placedRects.findRect(admin, &placed));
  EXPECT_EQ(placed, (RECT{0, 0, 200, 800}));

  // Gone again, it leaves West its old weight.
  layout.removeWindow(admin, West, ForgetRects::Yes, Park::No);
  EXPECT_EQ(layout.westWeight, 0.2);
  EXPECT_EQ(desk.rectOf(c), (RECT{0, 0, 1000, 800}));
}

// Beside a refusing window, a band still widens to a window that took its place but is thicker.
TEST_F(BorderApply, RefusedPlacementLeavesTheOthersToTheFitPass) {
  BorderLayout layout(desk);
  const HWND admin = window(Desc("admin").elevatedAt(RECT{0, 0, 900, 400}));
  const HWND thick = window(Desc("thick").min(300, 0));
  layout.addWindow(admin, East);
  layout.addWindow(thick, East);
  // 300 / 1000 = 0.3 from the window that moved; the unmoved 900 counts for nothing.
  EXPECT_EQ(layout.eastWeight, 0.3);
  EXPECT_EQ(desk.rectOf(thick).left, 700);
  // Once the refusing window has been passed over, a later apply does not remember it as refused.
  layout.removeWindow(admin, East, ForgetRects::Yes, Park::No);
  const HWND wide = window(Desc("wide").min(400, 0));
  layout.addWindow(wide, East);
  EXPECT_EQ(layout.eastWeight, 0.4);
  expectConsistent(layout, desk);
}

// Counts the regions made and freed to measure windows with.
class RegionCount final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  HRGN CreateRectRgn(int left, int top, int right, int bottom) override {
    ++made;
    return desktop_.CreateRectRgn(left, top, right, bottom);
  }
  BOOL DeleteObject(HRGN region) override {
    ++freed;
    return desktop_.DeleteObject(region);
  }
  int made = 0;
  int freed = 0;
};

// Every add re-applies the layout and measures every window held: with a region made for each
// window, a start of n windows made n (n + 3) / 2 of them (324 for 24), each a call to the system.
// One region an apply keeps the calls as many as the windows, and none is left behind.
TEST_F(BorderApply, OneRegionMeasuresEveryWindowOfAnApply) {
  RegionCount counting(desk);
  BorderLayout layout(counting);
  constexpr int kWindows = 24;
  for (int i = 0; i < kWindows; ++i) ASSERT_TRUE(layout.addWindow(window("w" + std::to_string(i)), i % 4));
  EXPECT_LE(counting.made, 2 * kWindows);
  EXPECT_EQ(counting.made, counting.freed);
  expectConsistent(layout, desk);
}

}  // namespace
}  // namespace tessellor::test
