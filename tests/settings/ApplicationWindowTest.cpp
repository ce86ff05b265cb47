#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"
#include "settings/ApplicationWindow.h"

namespace tessellor {
namespace {

sim::WindowSpec windowNamed(const std::string& name) {
  sim::WindowSpec s;
  s.name = name;
  return s;
}

// Each kind of window the taskbar does not show as an application is refused on its own; an owner
// is forgiven only by WS_EX_APPWINDOW, a tool or no-activate style never.
TEST(ApplicationWindow, OnlyWindowsTheTaskbarShowsAsApplications) {
  sim::SimDesktop desk;
  const HWND owner = desk.createWindow(windowNamed("owner"));
  struct Case {
    const char* name;
    bool cloaked;
    LONG_PTR exStyle;
    bool owned;
    bool application;
  };
  // clang-format off
  //   name                 cloaked extended style                      owned  application
  const Case cases[] = {
      {"plain",              false,  0,                                  false, true},
      {"cloaked",            true,   0,                                  false, false},
      {"tool",               false,  WS_EX_TOOLWINDOW,                   false, false},
      {"noactivate",         false,  WS_EX_NOACTIVATE,                   false, false},
      {"owned",              false,  0,                                  true,  false},
      {"ownedApp",           false,  WS_EX_APPWINDOW,                    true,  true},
      {"unownedApp",         false,  WS_EX_APPWINDOW,                    false, true},
      {"toolApp",            false,  WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, false, false},
      {"ownedAppCloaked",    true,   WS_EX_APPWINDOW,                    true,  false},
      {"ownedNoactivateApp", false,  WS_EX_NOACTIVATE | WS_EX_APPWINDOW, true,  false},
  };
  // clang-format on
  for (const Case& c : cases) {
    sim::WindowSpec s = windowNamed(c.name);
    s.cloaked = c.cloaked;
    s.exStyle = c.exStyle;
    if (c.owned) s.owner = owner;
    const HWND hwnd = desk.createWindow(s);
    EXPECT_EQ(isApplicationWindow(desk, hwnd), c.application) << c.name;
  }
}

// Only an elevated window under a Tessellor that is not elevated refuses; not knowing never does.
TEST(Integrity, OnlyAHigherLevelRefuses) {
  using enum Elevation;
  EXPECT_TRUE(outranks(Yes, No));
  EXPECT_FALSE(outranks(Yes, Yes));  // Tessellor elevated too: it may move the window
  EXPECT_FALSE(outranks(No, No));
  EXPECT_FALSE(outranks(No, Yes));
  EXPECT_FALSE(outranks(Unknown, No));
  EXPECT_FALSE(outranks(Yes, Unknown));
}

TEST(Integrity, ElevatedWindowsMayNotBeMoved) {
  sim::SimDesktop desk;
  sim::WindowSpec admin = windowNamed("admin");
  admin.elevated = true;
  admin.exe = "regedit.exe";
  sim::WindowSpec closed = windowNamed("closed");
  closed.exe = "-";  // its process cannot be opened at all
  EXPECT_FALSE(mayMoveWindow(desk, desk.createWindow(admin)));
  EXPECT_FALSE(isTileableWindow(desk, desk.createWindow(admin)));
  EXPECT_TRUE(mayMoveWindow(desk, desk.createWindow(windowNamed("plain"))));
  EXPECT_TRUE(mayMoveWindow(desk, desk.createWindow(closed)));
  EXPECT_TRUE(mayMoveWindow(desk, handleFromValue(0x99990)));  // no window: nothing known
}

// Every token and process handle opened to ask is closed again.
TEST(Integrity, AskingLeavesNoHandleOpen) {
  sim::SimDesktop desk;
  sim::WindowSpec admin = windowNamed("admin");
  admin.elevated = true;
  const HWND hwnd = desk.createWindow(admin);
  const std::size_t before = desk.openHandleCount();
  mayMoveWindow(desk, hwnd);
  mayMoveWindow(desk, desk.createWindow(windowNamed("plain")));
  EXPECT_EQ(desk.openHandleCount(), before);
}

}  // namespace
}  // namespace tessellor
