// Band weights of 0 and above 1, which the border layout's constructor stores unchecked, on normal
// and degenerate screens: every operation keeps the layout's numbers finite and places no window
// farther off than the screen and the windows themselves justify.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tools/check/Invariants.h"

namespace tessellor::check {
namespace {

// A case of weights, named for the test's name.
struct NamedWeights {
  const char* name;
  BorderWeights weights;
};

void PrintTo(const NamedWeights& w, std::ostream* out) {
  *out << "north " << w.weights.northWeight << ", west " << w.weights.westWeight << ", east " << w.weights.eastWeight
       << ", south " << w.weights.southWeight;
}

struct Screen {
  int width, height;
};

class DegenerateWeights : public ::testing::TestWithParam<NamedWeights> {
 protected:
  // After each step: the layout's own rules, and placements within 64 times the largest screen.
  void expectSound(const BorderLayout& layout, const char* step) {
    Findings findings;
    checkBorder(layout, findings);
    checkPlacements(desk.calls(), PlacementLimits{10000, 64 * 1281}, findings);
    desk.clearCalls();
    for (const std::string& finding : findings) ADD_FAILURE() << step << ": " << finding;
  }

  HWND window(int k) {
    sim::WindowSpec desc;
    desc.name = "w" + std::to_string(k);
    desc.at = RECT{40 * k, 30 * k, 40 * k + 300, 30 * k + 200};
    if (k % 3 == 0) desc.minWidth = desc.minHeight = 150;
    return desk.createWindow(desc);
  }

  sim::SimDesktop desk;
};

TEST_P(DegenerateWeights, EveryOperationStaysFiniteAndNearTheScreen) {
  const BorderWeights w = GetParam().weights;
  for (const Screen screen : {Screen{1280, 1024}, Screen{0, 0}, Screen{1, 1}, Screen{100, 20}}) {
    SCOPED_TRACE(std::to_string(screen.width) + " x " + std::to_string(screen.height));
    desk = sim::SimDesktop{};
    desk.setScreen(screen.width, screen.height);
    desk.setMinSize(112, 27);
    BorderLayout layout(desk, w);
    HWND windows[10];
    for (int k = 0; k < 10; ++k) windows[k] = window(k);

    for (int k = 0; k < 9; ++k) layout.addWindow(windows[k], k % 5);
    expectSound(layout, "adding");
    for (int k = 0; k < 4; ++k) {
      desk.resize(windows[k], static_cast<sim::Edge>(k), 500);
      if (layout.sideOf(windows[k]) != NoSide) layout.onUserMoveSize(windows[k]);
      layout.applyLayout();
    }
    expectSound(layout, "resizing");
    layout.swapWithCentre(layWND{windows[1], 0.0, 0.0}, layout.sideOf(windows[1]));
    layout.moveWindowToSide(windows[2], layout.sideOf(windows[2]), North);
    layout.addToCentre(windows[9]);
    expectSound(layout, "moving between cells");
    if (const int side = layout.sideOf(windows[5]); side != NoSide)
      layout.removeWindow(windows[5], side, ForgetRects::No, Park::Yes);
    layout.insertWindow(windows[5], West, 0);
    expectSound(layout, "parking and returning");
    // The screen comes back to a normal size, and goes again.
    desk.setScreen(1280, 1024);
    layout.refreshMetrics();
    expectSound(layout, "a normal screen again");
    desk.setScreen(screen.width, screen.height);
    layout.refreshMetrics();
    layout.restoreAll();
    expectSound(layout, "putting every window back");
  }
}

// weights, in BorderSide order: north west east south
INSTANTIATE_TEST_SUITE_P(Constructor, DegenerateWeights,
                         ::testing::Values(NamedWeights{"ZeroWeights", {0.0, 0.0, 0.0, 0.0}},
                                           NamedWeights{"WholeScreen", {1.0, 1.0, 1.0, 1.0}},
                                           NamedWeights{"BeyondTheScreen", {3.0, 2.0, 1.5, 10.0}},
                                           NamedWeights{"ZeroAndFour", {0.0, 4.0, 0.0, 4.0}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tessellor::check
