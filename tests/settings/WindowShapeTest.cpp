// Which windows a cell can size: a sizing border, and no full-screen program.
#include <gtest/gtest.h>

#include "platform/ForwardingPlatform.h"
#include "platform/sim/SimDesktop.h"
#include "settings/WindowShape.h"
#include "tests/sim/WindowDesc.h"

namespace tessellor {
namespace {

using sim::desc;

// The primary monitor 1000 x 800, a second one to its right from x 1000 to 2000.
struct TwoMonitors {
  sim::SimDesktop d;
  TwoMonitors() {
    d.setScreen(1000, 800);
    d.setMonitor("right", RECT{1000, 0, 2000, 800}, RECT{1000, 0, 2000, 760});
  }
  HWND window(const char* name, RECT at, bool nocaption) {
    sim::WindowSpec s = desc(name, at);
    s.nocaption = nocaption;
    return d.createWindow(s);
  }
};

// Full-screen means the rectangle holds the whole monitor (not the work area), edges included, and
// the title bar is gone; one pixel short on any side is a window like any other.
TEST(WindowShape, FullScreenIsTheWholeMonitorWithoutATitleBar) {
  TwoMonitors t;
  struct Case {
    const char* name;
    RECT at;
    bool nocaption;
    bool fullScreen;
  };
  // clang-format off
  //   name          rectangle                     no caption  full-screen
  const Case cases[] = {
      {"exact",       {0, 0, 1000, 800},            true,       true},
      {"past",        {-8, -8, 1008, 808},          true,       true},
      {"titled",      {0, 0, 1000, 800},            false,      false},
      {"shortLeft",   {1, 0, 1000, 800},            true,       false},
      {"shortTop",    {0, 1, 1000, 800},            true,       false},
      {"shortRight",  {0, 0, 999, 800},             true,       false},
      {"shortBottom", {0, 0, 1000, 799},            true,       false},
      {"second",      {1000, 0, 2000, 800},         true,       true},   // its own monitor, not the work area
      {"secondWork",  {1000, 0, 2000, 760},         true,       false},  // maximised there: the taskbar shows
      {"small",       {100, 100, 500, 400},         true,       false},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(isFullScreenWindow(t.d, t.window(c.name, c.at, c.nocaption)), c.fullScreen) << c.name;
  }
  EXPECT_FALSE(isFullScreenWindow(t.d, handleFromValue(0x99990)));  // no window
}

// A title bar is WS_BORDER and WS_DLGFRAME together: either alone leaves the window without one.
class StyleOf : public ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  LONG_PTR style = 0;
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override {
    return index == GWL_STYLE ? style : ForwardingPlatform::GetWindowLongPtrA(hwnd, index);
  }
};

TEST(WindowShape, HalfATitleBarIsNone) {
  TwoMonitors t;
  const HWND hwnd = t.window("w", RECT{0, 0, 1000, 800}, false);
  StyleOf p(t.d);
  constexpr LONG_PTR border = 0x00800000;  // WS_BORDER; WS_DLGFRAME is the other half of WS_CAPTION
  p.style = WS_POPUP | border;
  EXPECT_TRUE(isFullScreenWindow(p, hwnd));
  p.style = WS_POPUP | (WS_CAPTION & ~border);
  EXPECT_TRUE(isFullScreenWindow(p, hwnd));
  p.style = WS_POPUP | WS_CAPTION;
  EXPECT_FALSE(isFullScreenWindow(p, hwnd));
}

// A minimised full-screen program is parked far off its monitor: it no longer fills it.
TEST(WindowShape, AMinimisedFullScreenProgramIsNotFullScreen) {
  TwoMonitors t;
  const HWND game = t.window("game", RECT{0, 0, 1000, 800}, true);
  t.d.minimize(game);
  EXPECT_FALSE(isFullScreenWindow(t.d, game));
}

}  // namespace
}  // namespace tessellor
