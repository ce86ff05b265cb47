#include <random>

#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderInvariant = BorderTest;

// Random adds, inserts, removes, applies and screen changes over windows of every kind: after each
// step the layout must still agree with the desktop and with itself.
TEST_F(BorderInvariant, HoldsAfterAnySequenceOfChanges) {
  for (const unsigned seed : {1u, 7u, 42u, 2024u, 90210u}) {
    SCOPED_TRACE(seed);
    sim::SimDesktop fresh;
    fresh.setScreen(1000, 800);
    fresh.setMinSize(112, 27);
    BorderLayout layout(fresh);
    std::mt19937 rng(seed);
    const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<HWND> windows;

    for (int step = 0; step < 150; ++step) {
      if (windows.size() < 40 && pick(0, 3) == 0) {
        Desc desc("w" + std::to_string(windows.size()));
        desc.at = RECT{pick(-50, 600), pick(-50, 500), pick(650, 1100), pick(550, 900)};
        if (pick(0, 4) == 0) desc.minWidth = pick(100, 450);
        if (pick(0, 4) == 0) desc.minHeight = pick(20, 350);
        desc.region = static_cast<sim::RegionKind>(pick(0, 2));
        desc.regionBox = RECT{5, 5, 60, 40};
        desc.minimized = pick(0, 9) == 0;
        windows.push_back(fresh.createWindow(desc));
      }
      if (windows.empty()) continue;
      const HWND hwnd = windows[pick(0, static_cast<int>(windows.size()) - 1)];
      const int side = layout.sideOf(hwnd);
      switch (pick(0, 5)) {
        case 0:
        case 1:
          if (side == NoSide) layout.addWindow(hwnd, pick(0, 5));
          break;
        case 2:
          if (side == NoSide) layout.insertWindow(hwnd, pick(-1, 5), pick(-1, 7));
          break;
        case 3:
        case 4:
          if (side != NoSide) layout.removeWindow(hwnd, side, ForgetRects{pick(0, 1) == 1}, Park{pick(0, 1) == 1});
          break;
        default:
          if (pick(0, 3) == 0) {
            fresh.setScreen(pick(800, 1600), pick(600, 1200));
            layout.refreshMetrics();
          }
          layout.applyLayout();
          break;
      }
      expectConsistent(layout, fresh);
      if (HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tessellor::test
