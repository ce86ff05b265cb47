// A placement that ends maximised, held back to the event's end like any other: the window is
// maximised with its normal rectangle and raised where it stands, or only raised when it is
// maximised there already; nothing moves it afterwards.
#include <gtest/gtest.h>

#include "platform/DesktopView.h"
#include "platform/PendingPlacements.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

using Kind = sim::PlacementCall::Kind;

class PendingMaximize : public ::testing::Test {
 protected:
  PendingMaximize() : view(desk), pending(view) {
    desk.setScreen(1280, 1024);
    view.useMonitor(nullptr);
    sim::WindowSpec windowSpec;
    windowSpec.name = "a";
    windowSpec.at = RECT{0, 0, 640, 1024};
    a = desk.createWindow(windowSpec);
  }
  void maximizeAt(const RECT& normal) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    pending.GetWindowPlacement(a, &placement);
    placement.rcNormalPosition = normal;
    placement.showCmd = SW_MAXIMIZE;
    pending.SetWindowPlacement(a, &placement);
  }
  void raise() { pending.SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

  sim::SimDesktop desk;
  DesktopView view;
  PendingPlacements pending;
  HWND a = nullptr;
};

TEST_F(PendingMaximize, ANormalWindowIsMaximisedThenRaisedWithoutAMove) {
  maximizeAt(RECT{100, 100, 600, 500});
  raise();
  // Read back before the end of the event: maximised over that normal rectangle.
  WINDOWPLACEMENT seen{};
  seen.length = sizeof seen;
  pending.GetWindowPlacement(a, &seen);
  EXPECT_EQ(seen.showCmd, static_cast<UINT>(SW_MAXIMIZE));
  EXPECT_EQ(seen.rcNormalPosition, (RECT{100, 100, 600, 500}));
  EXPECT_FALSE(pending.IsIconic(a));
  EXPECT_TRUE(desk.calls().empty());

  const PlacementOutcome outcome = pending.flush();
  ASSERT_EQ(desk.calls().size(), 2u);
  EXPECT_EQ(desk.calls()[0].kind, Kind::SetWindowPlacement);
  EXPECT_EQ(desk.calls()[0].rect, (RECT{100, 100, 600, 500}));
  EXPECT_EQ(desk.calls()[1].kind, Kind::SetWindowPos);
  EXPECT_TRUE(desk.isMaximized(a));
  EXPECT_EQ(desk.normalRectOf(a), (RECT{100, 100, 600, 500}));
  EXPECT_EQ(desk.foreground(), a);
  EXPECT_EQ(outcome.placed, std::vector<HWND>{a});
}

TEST_F(PendingMaximize, AWindowMaximisedThereAlreadyIsOnlyRaisedOrLeftAlone) {
  maximizeAt(RECT{100, 100, 600, 500});
  pending.flush();
  desk.clearCalls();

  maximizeAt(RECT{100, 100, 600, 500});
  EXPECT_EQ(pending.flush().standing, std::vector<HWND>{a});
  EXPECT_TRUE(desk.calls().empty());

  maximizeAt(RECT{100, 100, 600, 500});
  raise();
  pending.flush();
  ASSERT_EQ(desk.calls().size(), 1u);
  EXPECT_EQ(desk.calls()[0].kind, Kind::SetWindowPos);
  EXPECT_TRUE(desk.isMaximized(a));

  // Another normal rectangle is a placement again.
  desk.clearCalls();
  maximizeAt(RECT{10, 10, 300, 300});
  pending.flush();
  ASSERT_EQ(desk.calls().size(), 1u);
  EXPECT_EQ(desk.normalRectOf(a), (RECT{10, 10, 300, 300}));
}

// A raise after the placement keeps the normal rectangle asked for, also one taller than the int
// range, which measured again would come back cut short.
TEST_F(PendingMaximize, TheRaiseKeepsANormalRectangleLongerThanTheIntRange) {
  const RECT tall{1180, -2147483647 - 1, 1480, 15267};
  maximizeAt(tall);
  raise();
  pending.flush();
  EXPECT_TRUE(desk.isMaximized(a));
  EXPECT_EQ(desk.normalRectOf(a), tall);
}

// So does a move to that rectangle, as a window put back normal is placed and then raised there.
TEST_F(PendingMaximize, AMoveToTheSameRectangleKeepsItWhole) {
  const RECT tall{1180, -2147483647 - 1, 1480, 15267};
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.rcNormalPosition = tall;
  placement.showCmd = SW_SHOWNORMAL;
  pending.SetWindowPlacement(a, &placement);
  pending.SetWindowPos(a, HWND_TOP, tall.left, tall.top, 300, 2147483647, 0);
  pending.flush();
  EXPECT_EQ(desk.normalRectOf(a), tall);
}

}  // namespace
}  // namespace tessellor
