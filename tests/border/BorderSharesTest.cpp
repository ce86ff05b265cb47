#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderShares = BorderTest;

TEST_F(BorderShares, NewcomerTakesAnEvenShare) {
  BorderLayout layout(desk);
  for (const char* name : {"a", "b", "c"}) layout.addWindow(window(name), North);
  // 1/3 for the newcomer, 0.5 − 0.5 / 3 = 1/3 for each of the others.
  expectShares(layout, North, {1.0 / 3, 1.0 / 3, 1.0 / 3});
}

TEST_F(BorderShares, ReturningWindowGetsAboutItsOldShare) {
  BorderLayout layout(desk);
  const HWND a = window("a"), b = window("b"), r = window("r");
  layout.addWindow(a, North);
  layout.addWindow(b, North);
  // Three windows, r = 0.4: t = (1/3) / 2 + (1/3) × 0.4 = 0.3; the others 0.5 − 0.3 × 0.5 = 0.35.
  layout.north.push_back(layWND{r, 0.4, 0.0});
  layout.shareForReturning(layWND{r, 0.4, 0.0}, North, Apply::No);
  expectShares(layout, North, {0.35, 0.35, 0.3});

  // Two windows: r = 0.4 gives 0.4 and 0.6; r = 1.0 would take everything, so 0.5 and 0.5.
  layout.north.remove(layWND{a});
  layout.shareForReturning(layWND{r, 0.4, 0.0}, North, Apply::No);
  expectShares(layout, North, {0.6, 0.4});
  layout.shareForReturning(layWND{r, 1.0, 0.0}, North, Apply::No);
  expectShares(layout, North, {0.5, 0.5});

  // The Centre: nothing at all, not even the minimum shares or an apply.
  layout.north.front().widthShare = 0.01;
  desk.clearCalls();
  layout.shareForReturning(layWND{r, 0.4, 0.0}, Centre, Apply::Yes);
  EXPECT_EQ(layout.north.front().widthShare, 0.01);
  EXPECT_TRUE(desk.calls().empty());
}

TEST_F(BorderShares, MinimumSharesTakeTheDeficitFromTheOthers) {
  BorderLayout layout(desk);
  for (const char* name : {"a", "b", "c"}) layout.addWindow(window(name), North);
  layout.addWindow(window("e"), East);
  const auto setShares = [&layout](double a, double b, double c) {
    auto it = layout.north.begin();
    for (double s : {a, b, c}) (it++)->widthShare = s;
  };
  // m = 112 / 800 = 0.14: 0.1 rises by 0.04, taken as 0.02 from each of the others.
  setShares(0.1, 0.45, 0.45);
  layout.enforceMinimumShares();
  expectShares(layout, North, {0.14, 0.43, 0.43});

  // A share exactly m is fixed: it adds nothing to the deficit and gives nothing away.
  setShares(112.0 / 800, 0.1, 0.5);
  layout.enforceMinimumShares();
  expectShares(layout, North, {0.14, 0.14, 0.46});

  // All at or below m = 300 / 800: every window is raised and nothing taken back; the sum passes 1.
  setShares(0.1, 0.1, 0.1);
  layout.minWidth = 300;
  layout.enforceMinimumShares();
  expectShares(layout, North, {300.0 / 800, 300.0 / 800, 300.0 / 800});
}

}  // namespace
}  // namespace tessellor::test
