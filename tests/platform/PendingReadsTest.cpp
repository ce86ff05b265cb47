// While an event's placements are held back, every add re-applies the layout and reads each window
// again: a window with a target is asked of the window system once, and answers as it will stand.
#include <gtest/gtest.h>

#include "layout/placement.h"
#include "layout/readWindowRect.h"
#include "platform/ForwardingPlatform.h"
#include "platform/PendingPlacements.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

class CountingReads final : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override {
    ++placements;
    return desktop_.GetWindowPlacement(hwnd, placement);
  }
  int GetWindowRgn(HWND hwnd, HRGN region) override {
    ++regions;
    return desktop_.GetWindowRgn(hwnd, region);
  }
  int placements = 0;
  int regions = 0;
};

HWND windowAt(sim::SimDesktop& desk, const char* name, const RECT& at, sim::RegionKind region = sim::RegionKind::None) {
  sim::WindowSpec described;
  described.name = name;
  described.at = at;
  described.region = region;
  described.regionBox = RECT{10, 10, 50, 50};
  return desk.createWindow(described);
}

TEST(PendingReads, AWindowWithATargetIsAskedOnceAndAnswersItsTarget) {
  sim::SimDesktop desk;
  desk.setScreen(1280, 1024);
  CountingReads counted(desk);
  PendingPlacements pending(counted);
  const HWND plain = windowAt(desk, "plain", RECT{100, 100, 500, 400});
  const HWND shaped = windowAt(desk, "shaped", RECT{600, 100, 900, 400}, sim::RegionKind::Simple);

  for (int apply = 0; apply < 5; ++apply) {
    setNormalPlacement(pending, plain, RECT{0, 0, 640, 1024 - apply});
    setNormalPlacement(pending, shaped, RECT{640, 0, 1280, 1024});
    RECT read{};
    readWindowRect(pending, plain, &read);
    EXPECT_EQ(read, (RECT{0, 0, 640, 1024 - apply}));
    // A region is in the window's own coordinates, so it is asked each time: it moves with the window.
    readWindowRect(pending, shaped, &read);
    EXPECT_EQ(read, (RECT{650, 10, 690, 50}));
  }
  // Placing a window never reads its placement, and a window with a target answers from it.
  EXPECT_EQ(counted.placements, 0);
  WINDOWPLACEMENT held{};
  held.length = sizeof held;
  ASSERT_TRUE(pending.GetWindowPlacement(plain, &held));
  EXPECT_EQ(held.rcNormalPosition, (RECT{0, 0, 640, 1020}));
  EXPECT_EQ(held.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  pending.GetWindowPlacement(plain, &held);
  EXPECT_EQ(counted.placements, 1);
  EXPECT_EQ(counted.regions, 1 + 5);

  // After the event the window system is asked again, and the window stands at its last target.
  pending.flush();
  const int before = counted.placements;
  WINDOWPLACEMENT now{};
  now.length = sizeof now;
  pending.GetWindowPlacement(plain, &now);
  EXPECT_EQ(counted.placements, before + 1);
  EXPECT_EQ(now.rcNormalPosition, (RECT{0, 0, 640, 1020}));
}

}  // namespace
}  // namespace tessellor
