#include <gtest/gtest.h>

#include <memory>

#include "app/WindowEvents.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

// The shell and a simulated desktop, with the hook's messages sent straight to the dispatcher, each
// an event of its own as the main dialog makes it: what was read before it is forgotten.
class WindowEvents : public ::testing::Test {
 protected:
  WindowEvents() : shell(desk, registerHookMessages(desk)) { desk.setScreen(1000, 800); }

  HWND window(const std::string& name) {
    sim::WindowSpec s;
    s.name = name;
    return desk.createWindow(s);
  }
  void minmax(HWND hwnd, WORD showCommand) {
    shell.reads.forget();
    dispatchWindowEvent(shell, shell.messages.minmax, reinterpret_cast<WPARAM>(hwnd), showCommand);
  }
  void close(HWND hwnd) {
    shell.reads.forget();
    dispatchWindowEvent(shell, shell.messages.close, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  void moved(HWND hwnd) {
    shell.reads.forget();
    dispatchWindowEvent(shell, shell.messages.moved, reinterpret_cast<WPARAM>(hwnd), 0);
  }

  // The one layout of the tests, added at first use.
  RunningLayout& running() {
    if (shell.layouts.empty()) addLayout(shell);
    return *shell.layouts.front();
  }

  sim::SimDesktop desk;
  Shell shell;
};

// A window minimised out of a band and then closed: its saved band and place, its parked record and
// both rectangles go, so nothing waits for a later window with the same handle.
TEST_F(WindowEvents, BorderCloseOfAMinimisedWindowLeavesNothing) {
  BorderLayout& border = *running().engine.start(std::make_unique<BorderLayout>(desk));
  const HWND a = window("a"), b = window("b");
  border.addWindow(a, West);
  border.addWindow(b, West);
  desk.minimize(b);
  minmax(b, SW_MINIMIZE);
  ASSERT_EQ(running().savedSides.findPos(b), West);
  ASSERT_EQ(running().savedSlots.findPos(b), 1);
  ASSERT_EQ(border.parked.size(), 1u);

  desk.destroyWindow(b);
  close(b);
  EXPECT_EQ(running().savedSides.findPos(b), NoPos);
  EXPECT_EQ(running().savedSlots.findPos(b), NoPos);
  EXPECT_TRUE(border.parked.empty());
  RECT rect{};
  EXPECT_FALSE(border.originalRects.findRect(b, &rect));
  EXPECT_FALSE(border.placedRects.findRect(b, &rect));
  // The window still in the band keeps everything.
  EXPECT_TRUE(border.originalRects.findRect(a, &rect));
  EXPECT_EQ(border.sideOf(a), West);
}

// A Centre window restored through the Centre, and a band window restored without a place (it
// left a band of six), come back without a stale parked record.
TEST_F(WindowEvents, BorderRestoreUnparks) {
  BorderLayout& border = *running().engine.start(std::make_unique<BorderLayout>(desk));
  const HWND c = window("c"), w = window("w");
  border.addWindow(c, Centre);
  border.addWindow(w, West);
  minmax(c, SW_MINIMIZE);
  minmax(w, SW_MAXIMIZE);
  ASSERT_EQ(border.parked.size(), 2u);
  running().savedSlots.updatePos(w, NoPos);  // as when it left a band of six
  minmax(c, SW_RESTORE);
  minmax(w, SW_RESTORE);
  EXPECT_EQ(border.sideOf(c), Centre);
  EXPECT_EQ(border.sideOf(w), West);
  EXPECT_TRUE(border.parked.empty());
}

// Closed while minimised out of the grid: its first rectangle would otherwise be where a later
// window with its handle is put back when the layout ends.
TEST_F(WindowEvents, GridCloseOfAMinimisedWindowForgetsItsRectangles) {
  GridLayout& grid = *running().engine.start(std::make_unique<GridLayout>(desk));
  const HWND a = window("a"), b = window("b");
  grid.addWindow(a);
  grid.addWindow(b);
  grid.arrange();
  grid.rememberAllPlacedRects();
  minmax(b, SW_MINIMIZE);
  RECT rect{};
  ASSERT_TRUE(grid.originalRects.findRect(b, &rect));
  desk.destroyWindow(b);
  close(b);
  EXPECT_FALSE(grid.originalRects.findRect(b, &rect));
  EXPECT_FALSE(grid.placedRects.findRect(b, &rect));
  EXPECT_TRUE(grid.originalRects.findRect(a, &rect));
}

// A shown or restored window joins the grid only if it is an application window Tessellor may move.
TEST_F(WindowEvents, GridRestoreTakesOnlyWindowsItCanTile) {
  GridLayout& grid = *running().engine.start(std::make_unique<GridLayout>(desk));
  sim::WindowSpec tool;
  tool.name = "tool";
  tool.exStyle = WS_EX_TOOLWINDOW;
  sim::WindowSpec admin;
  admin.name = "admin";
  admin.elevated = true;
  const HWND t = desk.createWindow(tool), e = desk.createWindow(admin), plain = window("plain");
  minmax(t, SW_RESTORE);
  minmax(e, SW_RESTORE);
  minmax(plain, SW_RESTORE);
  EXPECT_FALSE(grid.contains(t));
  EXPECT_FALSE(grid.contains(e));
  EXPECT_TRUE(grid.contains(plain));
}

// A settled move of a window found minimised, maximised or hidden is left to that change's own
// event: taken as a drag, the window would leave its band for good instead of being parked.
TEST_F(WindowEvents, SettledMovesOfWindowsNoLongerNormalAreLeftToTheirEvents) {
  BorderLayout& border = *running().engine.start(std::make_unique<BorderLayout>(desk));
  const HWND a = window("a"), b = window("b"), c = window("c");
  border.addWindow(a, West);
  border.addWindow(b, East);
  border.addWindow(c, North);
  desk.minimize(a);
  desk.maximize(b);
  desk.setRect(c, RECT{300, 300, 600, 600});  // every edge moved...
  desk.hideWindow(c);                         // ...and then hidden before the move settled
  for (HWND hwnd : {a, b, c}) moved(hwnd);
  EXPECT_EQ(border.sideOf(a), West);
  EXPECT_EQ(border.sideOf(b), East);
  EXPECT_EQ(border.sideOf(c), North);
  desk.showWindow(c);
  moved(c);  // shown again where it was moved to: a drag out of the layout
  EXPECT_EQ(border.sideOf(c), NoSide);
}

}  // namespace
}  // namespace tessellor
