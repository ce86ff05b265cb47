// Putting a place back on a monitor that is there: kept while any monitor holds a part of it, else
// moved the least distance into the nearest monitor's work area, and shrunk to it when larger.
#include <gtest/gtest.h>

#include "platform/MonitorFit.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

class MonitorFit : public ::testing::Test {
 protected:
  MonitorFit() {
    desk.setScreen(1280, 1024);
    desk.setWorkArea(RECT{0, 0, 1280, 984});
    desk.setMonitor("left", RECT{-1920, 0, 0, 1080}, RECT{-1920, 40, 0, 1080});
  }
  sim::SimDesktop desk;
};

TEST_F(MonitorFit, APlaceAnyMonitorHoldsAPartOfStays) {
  EXPECT_EQ(ontoAMonitor(desk, RECT{1200, 100, 1600, 400}), (RECT{1200, 100, 1600, 400}));
  EXPECT_EQ(ontoAMonitor(desk, RECT{-100, 1000, 100, 1200}), (RECT{-100, 1000, 100, 1200}));  // under a taskbar
  EXPECT_EQ(ontoAMonitor(desk, RECT{5, 5, 5, 300}), (RECT{5, 5, 5, 300}));                    // empty: nothing to fit
}

TEST_F(MonitorFit, APlaceOnNoMonitorMovesTheLeastDistanceIntoTheNearestWorkArea) {
  // Right of the primary: 400 wide, so it ends at the work area's right edge, 1280 - 400 = 880.
  EXPECT_EQ(ontoAMonitor(desk, RECT{1400, 100, 1800, 400}), (RECT{880, 100, 1280, 400}));
  // Below and right: both edges move, the size stays.
  EXPECT_EQ(ontoAMonitor(desk, RECT{1500, 1100, 1700, 1300}), (RECT{1080, 784, 1280, 984}));
  // Far left: the left monitor is nearer; its work area starts at y 40.
  EXPECT_EQ(ontoAMonitor(desk, RECT{-3000, 0, -2800, 100}), (RECT{-1920, 40, -1720, 140}));
}

TEST_F(MonitorFit, APlaceLargerThanTheWorkAreaIsShrunkToIt) {
  EXPECT_EQ(ontoAMonitor(desk, RECT{1300, -50, 2700, 1100}), (RECT{0, 0, 1280, 984}));
  EXPECT_EQ(ontoAMonitor(desk, RECT{1300, 200, 2700, 400}), (RECT{0, 200, 1280, 400}));
}

TEST_F(MonitorFit, TheFarEndsOfTheCoordinatesStayInRange) {
  const RECT far{2147483000, 2147483000, 2147483647, 2147483647};
  EXPECT_EQ(ontoAMonitor(desk, far), (RECT{633, 337, 1280, 984}));
  const RECT huge{-2147483647 - 1, 0, 2147483647, 100};
  EXPECT_EQ(ontoAMonitor(desk, huge), huge);  // the primary holds a part of it
}

}  // namespace
}  // namespace tessellor
