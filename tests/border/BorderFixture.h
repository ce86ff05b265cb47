// Shared set-up for the border engine tests: a 1000 × 800 simulated screen with a minimum window
// size of 112 × 27, and the one invariant checker every test reuses.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/border/BorderLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::test {

// A window description that reads as a phrase: Desc("n").min(0, 300).
struct Desc : sim::WindowSpec {
  explicit Desc(std::string windowName) { name = std::move(windowName); }
  Desc& min(int width, int height) {
    minWidth = width;
    minHeight = height;
    return *this;
  }
  Desc& growing(int pixels) {
    grows = pixels;
    return *this;
  }
  Desc& elevatedAt(RECT rect) {
    elevated = true;
    at = rect;
    return *this;
  }
  Desc& minimised() {
    minimized = true;
    return *this;
  }
};

class BorderTest : public ::testing::Test {
 protected:
  BorderTest() {
    desk.setScreen(1000, 800);
    desk.setMinSize(112, 27);
  }

  HWND window(const std::string& name, RECT at = RECT{100, 100, 500, 400}) {
    Desc desc(name);
    desc.at = at;
    return desk.createWindow(desc);
  }
  HWND window(const Desc& desc) { return desk.createWindow(desc); }

  // The rectangles asked for hwnd, in order, by calls of that kind.
  std::vector<RECT> requests(HWND hwnd,
                             sim::PlacementCall::Kind kind = sim::PlacementCall::Kind::SetWindowPlacement) const {
    std::vector<RECT> out;
    for (const sim::PlacementCall& call : desk.calls()) {
      if (call.hwnd == hwnd && call.kind == kind) out.push_back(call.rect);
    }
    return out;
  }

  sim::SimDesktop desk;
};

// The layout keeps every rule of the checker the fuzzer uses too, and each window it holds reads
// back at its placedRects entry.
void expectConsistent(const BorderLayout& layout, sim::SimDesktop& desk);

// The shares of a band, in order.
std::vector<double> sharesOf(const BorderLayout& layout, int side);
// The band holds exactly these shares, each within 1e-12.
void expectShares(const BorderLayout& layout, int side, const std::vector<double>& expected);

}  // namespace tessellor::test
