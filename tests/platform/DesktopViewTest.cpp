// The layouts' view of the desktop over the simulated one: work areas, invisible frames, monitors.
#include <gtest/gtest.h>

#include "layout/placement.h"
#include "platform/DesktopView.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

using sim::SimDesktop;
using sim::WindowSpec;

HWND makeWindow(SimDesktop& d, const std::string& name, RECT at, const RECT* frame = nullptr) {
  WindowSpec s;
  s.name = name;
  s.at = at;
  if (frame != nullptr) {
    s.hasFrame = true;
    s.frame = *frame;
  }
  return d.createWindow(s);
}

RECT rectThrough(Platform& p, HWND hwnd) {
  RECT r{};
  p.GetWindowRect(hwnd, &r);
  return r;
}

HMONITOR primary(SimDesktop& d) { return d.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY); }

const RECT kWin10Frame{7, 0, 7, 7};

// ---- Work area and frames ----

TEST(DesktopViewFrames, WestBandUnderATopTaskbarShowsEdgeToEdge) {
  SimDesktop d;
  d.setWorkArea(RECT{0, 40, 1280, 1024});
  HWND w = makeWindow(d, "w", RECT{300, 300, 700, 600}, &kWin10Frame);
  DesktopView view(d);
  view.useMonitor(primary(d));
  EXPECT_EQ(view.GetSystemMetrics(SM_CXMAXIMIZED), 1280);
  EXPECT_EQ(view.GetSystemMetrics(SM_CYMAXIMIZED), 984);
  setNormalPlacement(view, w, RECT{0, 0, 256, 984});
  EXPECT_EQ(d.rectOf(w), (RECT{-7, 40, 263, 1031}));
  EXPECT_EQ(d.visibleRectOf(w), (RECT{0, 40, 256, 1024}));
  EXPECT_EQ(rectThrough(view, w), (RECT{0, 0, 256, 984}));
}

TEST(DesktopViewFrames, EachWindowIsPlacedByItsOwnFrame) {
  SimDesktop d;
  const RECT thick{12, 3, 9, 20};
  HWND a = makeWindow(d, "a", RECT{0, 0, 100, 100}, &kWin10Frame);
  HWND b = makeWindow(d, "b", RECT{0, 0, 100, 100}, &thick);
  HWND plain = makeWindow(d, "plain", RECT{0, 0, 100, 100});  // no answer from the window manager
  DesktopView view(d);
  view.useMonitor(primary(d));
  for (HWND hwnd : {a, b, plain}) {
    view.SetWindowPos(hwnd, HWND_TOP, 640, 0, 640, 512, 0);
    EXPECT_EQ(d.visibleRectOf(hwnd), (RECT{640, 0, 1280, 512}));
    EXPECT_EQ(rectThrough(view, hwnd), (RECT{640, 0, 1280, 512}));
  }
  EXPECT_EQ(d.rectOf(a), (RECT{633, 0, 1287, 519}));
  EXPECT_EQ(d.rectOf(b), (RECT{628, -3, 1289, 532}));
  EXPECT_EQ(d.rectOf(plain), (RECT{640, 0, 1280, 512}));
}

TEST(DesktopViewFrames, ReadThenWrittenBackLeavesTheWindowWhereItWas) {
  SimDesktop d;
  d.setWorkArea(RECT{60, 0, 1280, 1024});  // a taskbar on the left
  HWND w = makeWindow(d, "w", RECT{213, 97, 811, 640}, &kWin10Frame);
  DesktopView view(d);
  view.useMonitor(primary(d));
  const RECT read = rectThrough(view, w);
  EXPECT_EQ(read, (RECT{160, 97, 744, 633}));
  setNormalPlacement(view, w, read);
  EXPECT_EQ(d.rectOf(w), (RECT{213, 97, 811, 640}));
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ASSERT_TRUE(view.GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.rcNormalPosition, read);
}

TEST(DesktopViewFrames, AMinimisedWindowKeepsTheFrameMeasuredWhenItWasNormal) {
  SimDesktop d;
  HWND w = makeWindow(d, "w", RECT{100, 100, 500, 400}, &kWin10Frame);
  DesktopView view(d);
  view.useMonitor(primary(d));
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  view.GetWindowPlacement(w, &wp);  // measured while normal
  d.minimize(w);
  ASSERT_TRUE(view.GetWindowPlacement(w, &wp));
  EXPECT_EQ(wp.rcNormalPosition, (RECT{107, 100, 493, 393}));
  setNormalPlacement(view, w, RECT{0, 0, 200, 200});
  EXPECT_FALSE(d.isMinimized(w));
  EXPECT_EQ(d.rectOf(w), (RECT{-7, 0, 207, 207}));
}

TEST(DesktopViewFrames, AWindowMaximisedBeforeItWasEverSeenNormalEndsAtItsVisibleBounds) {
  SimDesktop d;
  WindowSpec s;
  s.name = "w";
  s.maximized = true;
  s.hasFrame = true;
  s.frame = kWin10Frame;
  HWND w = d.createWindow(s);
  DesktopView view(d);
  view.useMonitor(primary(d));
  setNormalPlacement(view, w, RECT{0, 0, 256, 1024});
  EXPECT_FALSE(d.isMaximized(w));
  EXPECT_EQ(d.visibleRectOf(w), (RECT{0, 0, 256, 1024}));
  // Measured now: the next placement needs no second call.
  d.clearCalls();
  setNormalPlacement(view, w, RECT{0, 0, 300, 1024});
  EXPECT_EQ(d.calls().size(), 1u);
  EXPECT_EQ(d.visibleRectOf(w), (RECT{0, 0, 300, 1024}));
}

// ---- Hidden windows ----

TEST(DesktopViewHidden, APlacementMovesAHiddenWindowWithoutShowingOrActivatingIt) {
  SimDesktop d;
  HWND hidden = makeWindow(d, "hidden", RECT{0, 0, 100, 100}, &kWin10Frame);
  HWND shown = makeWindow(d, "shown", RECT{0, 0, 100, 100});
  d.setForeground(shown);
  d.hideWindow(hidden);
  DesktopView view(d);
  view.useMonitor(primary(d));
  setNormalPlacement(view, hidden, RECT{0, 0, 640, 512});
  view.SetWindowPos(hidden, HWND_TOP, 0, 0, 640, 512, 0);
  EXPECT_TRUE(d.isHidden(hidden));
  EXPECT_EQ(d.foreground(), shown);
  EXPECT_EQ(d.zOrder().front(), shown);
  EXPECT_EQ(d.visibleRectOf(hidden), (RECT{0, 0, 640, 512}));
}

// ---- Monitors ----

TEST(DesktopViewMonitors, AMonitorAboveAndLeftIsLaidOutFromItsOwnCorner) {
  SimDesktop d;
  d.setMonitor("left", RECT{-1920, -1080, 0, 0}, RECT{-1920, -1080, 0, -40});
  HWND w = makeWindow(d, "w", RECT{-1500, -900, -700, -300}, &kWin10Frame);
  DesktopView view(d);
  view.useMonitor(d.MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST));
  EXPECT_EQ(view.GetSystemMetrics(SM_CXMAXIMIZED), 1920);
  EXPECT_EQ(view.GetSystemMetrics(SM_CYMAXIMIZED), 1040);
  EXPECT_EQ(rectThrough(view, w), (RECT{427, 180, 1213, 773}));
  setNormalPlacement(view, w, RECT{0, 0, 960, 1040});
  EXPECT_EQ(d.visibleRectOf(w), (RECT{-1920, -1080, -960, -40}));
}

TEST(DesktopViewMonitors, AMonitorThatGoesAwayHandsTheLayoutToThePrimary) {
  SimDesktop d;
  d.setMonitor("right", RECT{1280, 0, 3200, 1080}, RECT{1280, 0, 3200, 1080});
  HWND w = makeWindow(d, "w", RECT{1500, 100, 1900, 500});
  DesktopView view(d);
  view.useMonitor(d.MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST));
  EXPECT_EQ(view.area(), (DesktopView::Area{1280, 0, 1920, 1080}));
  EXPECT_EQ(view.refresh(), DesktopView::Change::None);
  d.removeMonitor("right");
  EXPECT_EQ(view.refresh(), DesktopView::Change::Resized);
  EXPECT_EQ(view.monitor(), primary(d));
  EXPECT_EQ(view.area(), (DesktopView::Area{0, 0, 1280, 1024}));
}

TEST(DesktopViewMonitors, ATaskbarMovedToTheOtherEdgeMovesTheAreaWithoutResizingIt) {
  SimDesktop d;
  d.setWorkArea(RECT{0, 40, 1280, 1024});
  DesktopView view(d);
  view.useMonitor(nullptr);
  d.setWorkArea(RECT{0, 0, 1280, 984});
  EXPECT_EQ(view.refresh(), DesktopView::Change::Moved);
  EXPECT_EQ(view.area(), (DesktopView::Area{0, 0, 1280, 984}));
  d.setWorkArea(RECT{0, 0, 1280, 1024});
  EXPECT_EQ(view.refresh(), DesktopView::Change::Resized);
}

// ---- Scale per monitor ----

TEST(DesktopViewScale, TheSmallestWindowIsMeasuredAtTheLayoutMonitorsScale) {
  SimDesktop d;
  d.setMonitor("M", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 1024}, 144);
  DesktopView view(d);
  view.useMonitor(primary(d));
  EXPECT_EQ(view.GetSystemMetrics(SM_CXMIN), 112);
  HWND m = makeWindow(d, "m", RECT{1400, 100, 1800, 400});
  view.useMonitor(d.MonitorFromWindow(m, MONITOR_DEFAULTTONEAREST));
  // 112 x 27 at 96 DPI is 168 x 40.5, rounded 41, at 144.
  EXPECT_EQ(view.GetSystemMetrics(SM_CXMIN), 168);
  EXPECT_EQ(view.GetSystemMetrics(SM_CYMIN), 41);
}

TEST(DesktopViewScale, AWindowThatRescalesOnAnotherMonitorIsPlacedOnceMore) {
  SimDesktop d;
  d.setMonitor("M", RECT{1280, 0, 2560, 1024}, RECT{1280, 0, 2560, 1024}, 192);
  const RECT frame{14, 0, 14, 14};
  HWND w = makeWindow(d, "w", RECT{1400, 100, 2000, 700}, &frame);
  DesktopView view(d);
  view.useMonitor(primary(d));
  d.clearCalls();
  setNormalPlacement(view, w, RECT{0, 0, 640, 1024});
  // At 200 % the frame was 14 px; on the primary monitor the window halves itself and its frame
  // (7 px), so it is placed a second time, to stand at the rectangle asked for.
  ASSERT_EQ(d.calls().size(), 2u);
  EXPECT_EQ(d.visibleRectOf(w), (RECT{0, 0, 640, 1024}));
  EXPECT_EQ(d.GetDpiForWindow(w), 96u);
  // Placed again on the same monitor, it stays at its scale: one call.
  d.clearCalls();
  setNormalPlacement(view, w, RECT{0, 0, 600, 1024});
  EXPECT_EQ(d.calls().size(), 1u);
  EXPECT_EQ(d.visibleRectOf(w), (RECT{0, 0, 600, 1024}));
}

}  // namespace
}  // namespace tessellor
