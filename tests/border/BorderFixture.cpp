#include "BorderFixture.h"

#include "tools/check/Invariants.h"

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
  check::Findings findings;
  check::checkBorderOnDesktop(layout, desk, findings);
  for (const std::string& finding : findings) ADD_FAILURE() << finding;
}

}  // namespace tessellor::test
