#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderShares = BorderTest;

TEST_F(BorderShares, NewcomerTakesAnEvenShare) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c");
  layout.addWindow(a, North);
  EXPECT_EQ(sharesOf(layout, North), (std::vector<double>{1.0}));
  layout.addWindow(b, North);
  layout.addWindow(c, North);
  // 1/3 for the newcomer, 0.5 − 0.5 / 3 = 1/3 for each of the others.
  for (double s : sharesOf(layout, North)) EXPECT_NEAR(s, 1.0 / 3, 1e-12);
  expectConsistent(layout, desk);
}

TEST_F(BorderShares, LoneNewcomerTakesTheWholeBandWhateverItCarried) {
  BorderLayout layout(desk);
  const HWND a = window("a");
  layout.west.push_back(layWND{a, 0.7, 0.25});
  layout.shareForNewcomer(layWND{a}, West, false);
  EXPECT_EQ(layout.west.front().heightShare, 1.0);
  EXPECT_EQ(layout.west.front().widthShare, 0.7);  // the other orientation rides along
}

TEST_F(BorderShares, CentreNewcomerStillEnforcesAndApplies) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b");
  layout.addWindow(a, North);
  layout.addWindow(b, North);
  layout.north.front().widthShare = 0.05;  // below 112 / 1000
  layout.north.back().widthShare = 0.95;
  desk.clearCalls();
  layout.shareForNewcomer(layWND{}, Centre, true);
  EXPECT_DOUBLE_EQ(layout.north.front().widthShare, 0.112);
  EXPECT_FALSE(desk.calls().empty());
}

TEST_F(BorderShares, ReturningWindowGetsAboutItsOldShare) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), r = window("r");
  layout.addWindow(a, North);
  layout.addWindow(b, North);
  // Three windows, r = 0.4: t = (1/3) / 2 + (1/3) × 0.4 = 0.3; the others 0.5 − 0.3 × 0.5 = 0.35.
  layout.north.push_back(layWND{r, 0.4, 0.0});
  layout.shareForReturning(layWND{r, 0.4, 0.0}, North, false);
  const std::vector<double> three = sharesOf(layout, North);
  EXPECT_NEAR(three[0], 0.35, 1e-12);
  EXPECT_NEAR(three[1], 0.35, 1e-12);
  EXPECT_NEAR(three[2], 0.3, 1e-12);

  // Two windows: r = 0.4 gives 0.4 and 0.6; r = 1.0 would take everything, so 0.5 and 0.5.
  layout.north.remove(layWND{a});
  layout.shareForReturning(layWND{r, 0.4, 0.0}, North, false);
  EXPECT_NEAR(layout.north.front().widthShare, 0.6, 1e-12);
  EXPECT_NEAR(layout.north.back().widthShare, 0.4, 1e-12);
  layout.shareForReturning(layWND{r, 1.0, 0.0}, North, false);
  EXPECT_EQ(sharesOf(layout, North), (std::vector<double>{0.5, 0.5}));

  // The Centre: nothing at all, not even the minimum shares or an apply.
  layout.north.front().widthShare = 0.01;
  desk.clearCalls();
  layout.shareForReturning(layWND{r, 0.4, 0.0}, Centre, true);
  EXPECT_EQ(layout.north.front().widthShare, 0.01);
  EXPECT_TRUE(desk.calls().empty());
}

TEST_F(BorderShares, MinimumSharesTakeTheDeficitFromTheOthers) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), c = window("c"), e = window("e");
  for (HWND h : {a, b, c}) layout.addWindow(h, North);
  layout.addWindow(e, East);
  ASSERT_EQ(layout.eastLeft, 700.0);
  // m = 112 / 700 = 0.16: 0.1 rises by 0.06, taken as 0.03 from each of the others.
  layout.north.front().widthShare = 0.1;
  std::next(layout.north.begin())->widthShare = 0.45;
  layout.north.back().widthShare = 0.45;
  layout.enforceMinimumShares();
  const std::vector<double> shares = sharesOf(layout, North);
  EXPECT_NEAR(shares[0], 0.16, 1e-12);
  EXPECT_NEAR(shares[1], 0.42, 1e-12);
  EXPECT_NEAR(shares[2], 0.42, 1e-12);

  // A share exactly m is fixed: it adds nothing to the deficit and gives nothing away.
  layout.north.front().widthShare = 112.0 / 700;
  std::next(layout.north.begin())->widthShare = 0.1;
  layout.north.back().widthShare = 0.5;
  layout.enforceMinimumShares();
  EXPECT_EQ(layout.north.front().widthShare, 112.0 / 700);
  EXPECT_NEAR(layout.north.back().widthShare, 0.5 - 0.06, 1e-12);

  // All at or below m: every window is raised and nothing is taken back, so the band sums past 1.
  for (layWND& w : layout.north) w.widthShare = 0.1;
  layout.minWidth = 300;  // m = 300 / 700 = 0.43
  layout.enforceMinimumShares();
  for (double s : sharesOf(layout, North)) EXPECT_EQ(s, 300.0 / 700);
}

}  // namespace
}  // namespace tessellor::test
