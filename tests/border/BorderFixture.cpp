#include "BorderFixture.h"

#include <algorithm>
#include <cmath>

#include "layout/readWindowRect.h"

namespace tessellor::test {

namespace {

const std::list<layWND>& band(const BorderLayout& layout, int side) {
  switch (side) {
    case North:
      return layout.north;
    case West:
      return layout.west;
    case East:
      return layout.east;
    default:
      return layout.south;
  }
}

}  // namespace

std::vector<double> sharesOf(const BorderLayout& layout, int side) {
  std::vector<double> out;
  for (const layWND& w : band(layout, side)) out.push_back(isHorizontal(side) ? w.widthShare : w.heightShare);
  return out;
}

void expectShares(const BorderLayout& layout, int side, const std::vector<double>& expected) {
  const std::vector<double> shares = sharesOf(layout, side);
  ASSERT_EQ(shares.size(), expected.size()) << "windows in side " << side;
  for (std::size_t i = 0; i < shares.size(); ++i) EXPECT_NEAR(shares[i], expected[i], 1e-12) << "window " << i;
}

void expectConsistent(const BorderLayout& layout, sim::SimDesktop& desk) {
  std::vector<HWND> held;
  for (const int side : {North, West, East, South}) {
    for (const layWND& w : band(layout, side)) held.push_back(w.hwnd);
    const std::vector<double> shares = sharesOf(layout, side);
    if (shares.empty()) continue;
    double sum = 0.0;
    for (double s : shares) sum += s;
    // A band whose every window was raised to the minimum share holds equal shares summing past 1.
    const bool allRaised =
        sum > 1.0 && std::all_of(shares.begin(), shares.end(), [&](double s) { return s == shares[0]; });
    if (!allRaised) {
      EXPECT_NEAR(sum, 1.0, 1e-9) << "shares of side " << side;
    }
  }
  if (layout.centre.hwnd != nullptr) held.push_back(layout.centre.hwnd);

  for (HWND hwnd : held) {
    EXPECT_EQ(std::count(held.begin(), held.end(), hwnd), 1) << desk.nameOf(hwnd) << " is in two cells";
    const auto& entries = layout.placedRects.entries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [hwnd](const WND& e) { return e.hwnd == hwnd; });
    ASSERT_NE(entry, entries.end()) << desk.nameOf(hwnd) << " has no placed rectangle";
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [hwnd](const WND& e) { return e.hwnd == hwnd; }), 1);
    RECT now{};
    readWindowRect(desk, hwnd, &now);
    EXPECT_EQ(entry->rect, now) << desk.nameOf(hwnd) << " is not where placedRects says";
  }
}

}  // namespace tessellor::test
