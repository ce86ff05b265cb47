// Virtual desktops in the simulated desktop: what switching and moving post for the program, how
// cloaking by the shell and by a window's own program combine, and what the manager answers.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "MinmaxPosted.h"
#include "WindowDesc.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {
namespace {

bool cloaked(SimDesktop& d, HWND hwnd) {
  DWORD value = 0;
  EXPECT_EQ(d.DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &value, sizeof value), S_OK);
  return value != 0;
}

BOOL onCurrent(SimDesktop& d, HWND hwnd) {
  BOOL on = -1;
  EXPECT_EQ(d.IsWindowOnCurrentVirtualDesktop(hwnd, &on), S_OK);
  return on;
}

GUID desktopId(SimDesktop& d, HWND hwnd) {
  GUID id{};
  EXPECT_EQ(d.GetWindowDesktopId(hwnd, &id), S_OK);
  return id;
}

bool same(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SimVirtualDesktops, SwitchPostsTheCloakedFirstThenTheUncloakedEachInCreationOrder) {
  EXPECT_EQ(minmaxPosted("window x desktop 2\nwindow a\nwindow y desktop 2 maximized\nwindow b\n"
                         "window z desktop 2 minimized\nswitch-desktop 2\n"),
            (std::vector<Posted>{{"a", 6}, {"b", 6}, {"x", 9}, {"y", 3}}));
  // Made on a desktop that is not shown: cloaked at once, with nothing posted.
  EXPECT_EQ(minmaxPosted("window x desktop 2\nswitch-desktop 1\n"), std::vector<Posted>{});
}

TEST(SimVirtualDesktops, MovePostsOnlyWhenTheWindowIsCloakedOrUncloakedByIt) {
  EXPECT_EQ(minmaxPosted("window a\nmove-to-desktop a 1\nmove-to-desktop a 2\nmove-to-desktop a 3\n"
                         "move-to-desktop a 1\n"),
            (std::vector<Posted>{{"a", 6}, {"a", 9}}));
}

TEST(SimVirtualDesktops, UncloakUndoesOnlyTheProgramsOwnCloak) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  d.setCloaked(a, true);
  d.moveToDesktop(a, "2");
  d.setCloaked(a, false);
  EXPECT_TRUE(cloaked(d, a));  // still on a desktop that is not shown
  d.switchDesktop("2");
  EXPECT_FALSE(cloaked(d, a));
  EXPECT_TRUE(d.IsWindowVisible(a));
  d.setCloaked(a, true);
  d.switchDesktop("1");
  d.switchDesktop("2");
  EXPECT_TRUE(cloaked(d, a));  // its own cloak outlasts the switches
}

TEST(SimVirtualDesktops, ManagerAnswersOneIdPerDesktopAndRefusesNoWindow) {
  SimDesktop d;
  WindowSpec far = desc("x");
  far.desktop = "2";
  const HWND a = d.createWindow(desc("a")), b = d.createWindow(desc("b")), x = d.createWindow(far);
  EXPECT_TRUE(onCurrent(d, a));
  EXPECT_FALSE(onCurrent(d, x));
  EXPECT_TRUE(same(desktopId(d, a), desktopId(d, b)));
  EXPECT_FALSE(same(desktopId(d, a), desktopId(d, x)));
  d.switchDesktop("2");
  EXPECT_FALSE(onCurrent(d, a));
  EXPECT_TRUE(onCurrent(d, x));
  const GUID before = desktopId(d, a);
  d.moveToDesktop(a, "2");
  EXPECT_TRUE(same(desktopId(d, a), desktopId(d, x)));
  EXPECT_FALSE(same(desktopId(d, a), before));
  d.destroyWindow(b);
  BOOL on = -1;
  GUID id{};
  EXPECT_EQ(d.IsWindowOnCurrentVirtualDesktop(b, &on), E_INVALIDARG);
  EXPECT_EQ(d.GetWindowDesktopId(b, &id), E_INVALIDARG);
  EXPECT_EQ(on, -1);
}

TEST(SimVirtualDesktops, ProgramsOwnWindowsAreNeverCloakedByASwitch) {
  std::ostringstream out, err;
  ASSERT_EQ(runScenarioText("s.scn", "window a\nstart\nswitch-desktop 2\nprint visible\n", RunOptions{}, out, err), 0)
      << err.str();
  EXPECT_EQ(out.str(), "visible a 100 100 500 400 cloaked\nvisible Tessellor 0 0 393 459\n");
}

TEST(SimVirtualDesktops, LinesWithoutTheirArgumentsAreMalformed) {
  for (const char* text : {"switch-desktop\n", "switch-desktop \"2\"\n", "window a\nmove-to-desktop a\n",
                           "move-to-desktop nobody 2\n", "window a desktop\n"}) {
    std::ostringstream out, err;
    EXPECT_EQ(runScenarioText("s.scn", text, RunOptions{}, out, err), 2) << text;
  }
}

}  // namespace
}  // namespace tessellor::sim
