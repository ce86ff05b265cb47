#include "BorderFixture.h"

namespace tessellor::test {
namespace {

using BorderRestore = BorderTest;
using Kind = sim::PlacementCall::Kind;

TEST_F(BorderRestore, PutsWindowsBackNorthWestEastSouthThenCentre) {
  BorderLayout layout(desk);
  const HWND n = window("n", RECT{1, 1, 201, 101}), w = window("w", RECT{2, 2, 202, 102}),
             e = window("e", RECT{3, 3, 203, 103}), s = window("s", RECT{4, 4, 204, 104}),
             c = window("c", RECT{5, 5, 205, 105});
  // Added in another order than the one they come back in.
  layout.addWindow(c, Centre);
  layout.addWindow(s, South);
  layout.addWindow(e, East);
  layout.addWindow(w, West);
  layout.addWindow(n, North);
  desk.minimize(e);
  desk.clearCalls();

  layout.restoreAll();
  std::vector<HWND> moved;
  for (const sim::PlacementCall& call : desk.calls()) {
    if (call.kind == Kind::SetWindowPos) moved.push_back(call.hwnd);
  }
  EXPECT_EQ(moved, (std::vector<HWND>{n, w, e, s, c}));
  EXPECT_EQ(desk.rectOf(n), (RECT{1, 1, 201, 101}));
  EXPECT_EQ(desk.rectOf(e), (RECT{3, 3, 203, 103}));  // and no longer minimised
  EXPECT_FALSE(desk.isMinimized(e));
  EXPECT_EQ(desk.zOrder().front(), c);  // the last one restored ends on top
  EXPECT_EQ(layout.sideOf(n), North);   // the model is left as it was
}

TEST_F(BorderRestore, SkipsWindowsWithoutAUsableRectangle) {
  BorderLayout layout(desk);
  const HWND minimised = window(Desc("min").minimised());
  const HWND flat = window("flat", RECT{50, 50, 50, 300});  // zero width
  const HWND kept = window("kept", RECT{10, 10, 110, 110});
  layout.addWindow(minimised, North);
  layout.addWindow(flat, North);
  layout.addWindow(kept, West);
  const RECT laidOut = desk.rectOf(flat);
  desk.clearCalls();

  layout.restoreAll();
  EXPECT_TRUE(requests(minimised, Kind::SetWindowPos).empty());
  EXPECT_TRUE(requests(flat, Kind::SetWindowPos).empty());
  EXPECT_EQ(desk.rectOf(flat), laidOut);
  EXPECT_EQ(requests(kept, Kind::SetWindowPos), (std::vector<RECT>{RECT{10, 10, 110, 110}}));
}

// A window maximised when it joined goes back maximised, with its own normal rectangle to restore to;
// it is raised in its turn without being moved again.
TEST_F(BorderRestore, AMaximisedWindowComesBackMaximisedInItsTurn) {
  BorderLayout layout(desk);
  Desc big("big");
  big.at = RECT{100, 100, 600, 500};
  big.maximized = true;
  const HWND m = window(big);
  const HWND c = window("c", RECT{5, 5, 205, 105});
  layout.addWindow(m, North);
  layout.addWindow(c, Centre);
  ASSERT_FALSE(desk.isMaximized(m));  // the layout took it out of that state
  desk.clearCalls();

  layout.restoreAll();
  EXPECT_TRUE(desk.isMaximized(m));
  EXPECT_EQ(desk.normalRectOf(m), (RECT{100, 100, 600, 500}));
  EXPECT_EQ(requests(m, Kind::SetWindowPlacement), (std::vector<RECT>{RECT{100, 100, 600, 500}}));
  EXPECT_EQ(requests(m, Kind::SetWindowPos), (std::vector<RECT>{RECT{0, 0, 0, 0}}));  // a raise, no move
  EXPECT_EQ(desk.zOrder().front(), c);  // the Centre still last, on top and active
  EXPECT_EQ(desk.foreground(), c);
}

}  // namespace
}  // namespace tessellor::test
