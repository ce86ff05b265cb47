// The window model of the simulated desktop: handles, z-order, foreground, clamping, the
// minimised and maximised rectangles, and the record of placement calls.
#include <gtest/gtest.h>

#include "WindowDesc.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {
namespace {

WINDOWPLACEMENT normalAt(RECT r) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  wp.showCmd = SW_SHOWNORMAL;
  wp.rcNormalPosition = r;
  return wp;
}

const HWND kNoWindow = handleFromValue(0x99990);

TEST(SimWindows, HandlesCountEveryWindowCreated) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  const HWND b = d.createWindow(desc("b"));
  d.destroyWindow(a);
  const HWND c = d.createWindow(desc("a"));
  EXPECT_EQ(handleValue(a), 0x10010u);
  EXPECT_EQ(handleValue(b), 0x10020u);
  EXPECT_EQ(handleValue(c), 0x10030u);
  EXPECT_EQ(d.handleOf("a"), c);
  EXPECT_EQ(d.lastHandleOf("a"), c);
  EXPECT_EQ(d.nameOf(a), "0x10010");
  EXPECT_FALSE(d.IsWindow(a));
}

TEST(SimWindows, NewWindowsGoOnTopAndEnumerateTopmostFirst) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  WindowSpec hidden = desc("h");
  hidden.hidden = true;
  const HWND h = d.createWindow(hidden);
  const HWND b = d.createWindow(desc("b"));
  EXPECT_EQ(d.zOrder(), (std::vector<HWND>{b, h, a}));

  struct Seen {
    SimDesktop* desktop;
    std::vector<HWND> order;
  } seen{&d, {}};
  // The callback destroys a window not yet visited: the snapshot skips it.
  d.EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Seen*>(lp);
        s->order.push_back(hwnd);
        if (s->order.size() == 1) s->desktop->destroyWindow(s->desktop->handleOf("a"));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen.order, (std::vector<HWND>{b, h}));
}

TEST(SimWindows, MinimumTrackSizeKeepsLeftAndTop) {
  SimDesktop d;
  WindowSpec s = desc("w");
  s.minWidth = 300;
  s.minHeight = 200;
  const HWND w = d.createWindow(s);
  const WINDOWPLACEMENT wp = normalAt(RECT{10, 20, 110, 70});
  d.SetWindowPlacement(w, &wp);
  EXPECT_EQ(d.rectOf(w), (RECT{10, 20, 310, 220}));
  d.SetWindowPos(w, nullptr, 50, 60, 10, 500, 0);
  EXPECT_EQ(d.rectOf(w), (RECT{50, 60, 350, 560}));
  // The record keeps what was asked, before clamping.
  ASSERT_EQ(d.calls().size(), 2u);
  EXPECT_EQ(d.calls()[0].rect, (RECT{10, 20, 110, 70}));
  EXPECT_EQ(d.calls()[1].rect, (RECT{50, 60, 60, 560}));
}

TEST(SimWindows, UserResizeStopsAtTheMinimum) {
  SimDesktop d;
  WindowSpec s = desc("w", RECT{100, 100, 500, 400});
  s.minWidth = 300;
  const HWND w = d.createWindow(s);
  d.resize(w, Edge::Left, 350);  // 500 - 300 = 200 is as far as it goes
  EXPECT_EQ(d.rectOf(w), (RECT{200, 100, 500, 400}));
  d.resize(w, Edge::Bottom, 50);  // no minimum height: stops at zero height
  EXPECT_EQ(d.rectOf(w), (RECT{200, 100, 500, 100}));
}

TEST(SimWindows, NegativeSizesBecomeZeroAndUnclampedWindowsTakeAnySize) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  d.SetWindowPos(w, nullptr, 10, 10, -5, 3, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(d.rectOf(w), (RECT{10, 10, 10, 13}));
}

TEST(SimWindows, MinimizedAndMaximizedRectanglesKeepTheNormalOne) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  d.minimize(w);
  EXPECT_EQ(d.rectOf(w), (RECT{-32000, -32000, -31840, -31972}));
  EXPECT_TRUE(d.IsIconic(w));
  d.maximize(w);
  EXPECT_EQ(d.rectOf(w), (RECT{0, 0, 1280, 1024}));
  d.setScreen(800, 600);
  EXPECT_EQ(d.rectOf(w), (RECT{0, 0, 800, 600}));
  WINDOWPLACEMENT wp{};
  ASSERT_TRUE(d.GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_MAXIMIZE));
  EXPECT_EQ(wp.rcNormalPosition, (RECT{100, 100, 500, 400}));
  d.restore(w);
  EXPECT_EQ(d.rectOf(w), (RECT{100, 100, 500, 400}));
}

TEST(SimWindows, UserMovesOfMinimizedWindowsStartFromTheirCurrentRect) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  d.maximize(w);
  d.drag(w, 10, 20);
  EXPECT_FALSE(d.isMaximized(w));
  EXPECT_EQ(d.rectOf(w), (RECT{10, 20, 1290, 1044}));
}

TEST(SimWindows, SetWindowPosRaisesAndActivatesUnlessTold) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  const HWND b = d.createWindow(desc("b"));
  d.SetWindowPos(a, nullptr, 0, 0, 10, 10, SWP_NOACTIVATE);
  EXPECT_EQ(d.zOrder().front(), a);
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  d.SetWindowPos(b, nullptr, 0, 0, 10, 10, SWP_NOZORDER);
  EXPECT_EQ(d.zOrder().front(), a);
  EXPECT_EQ(d.GetForegroundWindow(), b);
}

TEST(SimWindows, SetWindowPosOnMinimizedWindowOnlyReorders) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  d.createWindow(desc("b"));
  d.minimize(a);
  d.SetWindowPos(a, nullptr, 0, 0, 10, 10, 0);
  EXPECT_TRUE(d.isMinimized(a));
  EXPECT_EQ(d.zOrder().front(), a);
  EXPECT_EQ(d.GetForegroundWindow(), a);
  EXPECT_EQ(d.normalRectOf(a), (RECT{100, 100, 500, 400}));
  EXPECT_EQ(d.placementCount(), 1);
}

TEST(SimWindows, SetWindowPosOnMaximizedWindowStaysMaximized) {
  SimDesktop d;
  const HWND w = d.createWindow(desc("w"));
  d.maximize(w);
  d.SetWindowPos(w, nullptr, 5, 5, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(d.isMaximized(w));
  EXPECT_EQ(d.rectOf(w), (RECT{5, 5, 105, 105}));
  EXPECT_EQ(d.normalRectOf(w), (RECT{100, 100, 500, 400}));
}

TEST(SimWindows, SetWindowPlacementRestoresWithoutReorderingOrActivating) {
  SimDesktop d;
  WindowSpec s = desc("a");
  s.hidden = true;
  s.minimized = true;
  const HWND a = d.createWindow(s);
  const HWND b = d.createWindow(desc("b"));
  d.setForeground(b);
  const WINDOWPLACEMENT wp = normalAt(RECT{0, 0, 200, 100});
  d.SetWindowPlacement(a, &wp);
  EXPECT_FALSE(d.isHidden(a));
  EXPECT_FALSE(d.isMinimized(a));
  EXPECT_EQ(d.rectOf(a), (RECT{0, 0, 200, 100}));
  EXPECT_EQ(d.zOrder().front(), b);
  EXPECT_EQ(d.GetForegroundWindow(), b);
}

TEST(SimWindows, ActivationAndShowing) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  WindowSpec s = desc("h");
  s.hidden = true;
  const HWND h = d.createWindow(s);
  d.createWindow(desc("c"));
  d.SetActiveWindow(a);
  EXPECT_EQ(d.zOrder().front(), a);
  EXPECT_EQ(d.GetForegroundWindow(), a);
  d.ShowWindow(h, SW_SHOW);
  EXPECT_EQ(d.GetForegroundWindow(), h);
  EXPECT_EQ(d.zOrder().front(), h);
  d.SetForegroundWindow(a);
  d.ShowWindow(h, SW_SHOW);  // already visible: nothing happens
  EXPECT_EQ(d.GetForegroundWindow(), a);
  d.ShowWindow(a, SW_HIDE);
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  d.setForeground(h);
  d.destroyWindow(h);
  EXPECT_EQ(d.GetForegroundWindow(), nullptr);
  // SetActiveWindow is in the record but not in the count.
  EXPECT_EQ(d.calls().size(), 1u);
  EXPECT_EQ(d.placementCount(), 0);
}

TEST(SimWindows, GrowingWindowTakesMoreOnEachPlacement) {
  SimDesktop d;
  WindowSpec s = desc("g");
  s.grows = 5;
  const HWND g = d.createWindow(s);
  const WINDOWPLACEMENT wp = normalAt(RECT{0, 0, 100, 100});
  d.SetWindowPlacement(g, &wp);
  EXPECT_EQ(d.rectOf(g), (RECT{0, 0, 105, 105}));
  d.SetWindowPlacement(g, &wp);
  EXPECT_EQ(d.rectOf(g), (RECT{0, 0, 110, 110}));
}

TEST(SimWindows, HandleThatIsNoWindowLeavesOutputsUntouched) {
  SimDesktop d;
  RECT r{1, 2, 3, 4};
  EXPECT_FALSE(d.GetWindowRect(kNoWindow, &r));
  EXPECT_EQ(r, (RECT{1, 2, 3, 4}));
  WINDOWPLACEMENT wp{};
  wp.showCmd = 77;
  EXPECT_FALSE(d.GetWindowPlacement(kNoWindow, &wp));
  EXPECT_EQ(wp.showCmd, 77u);
  char text[8] = "abc";
  EXPECT_EQ(d.GetWindowTextA(kNoWindow, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  DWORD pid = 42;
  d.GetWindowThreadProcessId(kNoWindow, &pid);
  EXPECT_EQ(pid, 42u);
  // Placements on it are still recorded and counted.
  const WINDOWPLACEMENT place = normalAt(RECT{0, 0, 10, 10});
  EXPECT_FALSE(d.SetWindowPlacement(kNoWindow, &place));
  EXPECT_FALSE(d.SetWindowPos(kNoWindow, nullptr, 1, 2, 3, 4, 0));
  EXPECT_EQ(d.placementCount(), 2);
  EXPECT_EQ(d.calls()[1].rect, (RECT{1, 2, 4, 6}));
}

TEST(SimWindows, RegionsAnswerInWindowCoordinates) {
  SimDesktop d;
  WindowSpec s = desc("r");
  s.region = RegionKind::Simple;
  s.regionBox = RECT{7, 0, 393, 393};
  const HWND r = d.createWindow(s);
  WindowSpec c = desc("c");
  c.region = RegionKind::Complex;
  const HWND cx = d.createWindow(c);
  const HWND plain = d.createWindow(desc("p"));

  const HRGN rgn = d.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(d.GetWindowRgn(plain, rgn), ERROR);
  EXPECT_EQ(d.GetWindowRgn(cx, rgn), COMPLEXREGION);
  ASSERT_EQ(d.GetWindowRgn(r, rgn), SIMPLEREGION);
  alignas(RGNDATA) unsigned char buffer[sizeof(RGNDATAHEADER) + sizeof(RECT)] = {};
  auto* data = reinterpret_cast<RGNDATA*>(buffer);
  EXPECT_EQ(d.GetRegionData(rgn, 0, nullptr), sizeof buffer);
  ASSERT_EQ(d.GetRegionData(rgn, sizeof buffer, data), sizeof buffer);
  EXPECT_EQ(data->rdh.rcBound, (RECT{7, 0, 393, 393}));
  EXPECT_TRUE(d.DeleteObject(rgn));
  EXPECT_FALSE(d.DeleteObject(rgn));
}

TEST(SimWindows, ScreenAndMinimumMetrics) {
  SimDesktop d;
  EXPECT_EQ(d.GetSystemMetrics(SM_CXMAXIMIZED), 1280);
  EXPECT_EQ(d.GetSystemMetrics(SM_CYMAXIMIZED), 1024);
  EXPECT_EQ(d.GetSystemMetrics(SM_CXMIN), 112);
  EXPECT_EQ(d.GetSystemMetrics(SM_CYMIN), 27);
  d.setMinSize(10, 20);
  EXPECT_EQ(d.GetSystemMetrics(SM_CYMIN), 20);
}

}  // namespace
}  // namespace tessellor::sim
