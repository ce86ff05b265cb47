// A grid over a simulated 1280 × 1024 desktop, with the helpers the grid tests share.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"
#include "tools/check/Invariants.h"

namespace tessellor {

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// `cells` cells of `width` side by side from x 0, between top and bottom; the last one reaches
// the screen's right edge, as the grid gives it the pixels the division leaves over.
inline std::vector<RECT> row(int cells, int width, int top, int bottom, int screenRight = 1280) {
  std::vector<RECT> out;
  for (int c = 0; c < cells; ++c) out.push_back(RECT{width * c, top, width * c + width, bottom});
  if (!out.empty()) out.back().right = screenRight;
  return out;
}

inline std::vector<RECT> operator+(std::vector<RECT> a, const std::vector<RECT>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class GridTest : public ::testing::Test {
 protected:
  static Platform& withScreen(sim::SimDesktop& desktop) {
    desktop.setScreen(1280, 1024);
    return desktop;
  }

  HWND createWindow(const std::string& name, RECT at = RECT{100, 100, 500, 400}) {
    sim::WindowSpec desc;
    desc.name = name;
    desc.at = at;
    return desktop.createWindow(desc);
  }

  // n windows w0..w(n-1), added in that order and arranged.
  std::vector<HWND> arrangeWindows(int n) {
    std::vector<HWND> out;
    for (int i = 0; i < n; ++i) {
      out.push_back(createWindow("w" + std::to_string(i)));
      grid.addWindow(out.back());
    }
    grid.arrange();
    return out;
  }

  std::vector<RECT> rectsOf(const std::vector<HWND>& hwnds) const {
    std::vector<RECT> out;
    for (HWND hwnd : hwnds) out.push_back(desktop.rectOf(hwnd));
    return out;
  }

  // The grid's rules hold, and whatever moved a window also recorded where it ended up.
  void expectConsistent() {
    check::Findings findings;
    check::checkGridOnDesktop(grid, desktop, findings);
    for (const std::string& finding : findings) ADD_FAILURE() << finding;
  }

  sim::SimDesktop desktop;
  GridLayout grid{withScreen(desktop)};
};

}  // namespace tessellor
