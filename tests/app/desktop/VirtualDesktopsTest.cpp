// Where no virtual desktop manager can be asked (Wine, Windows before 10), every window counts as on
// the desktop that is shown: the layouts behave as they did before desktops were told apart.
#include <gtest/gtest.h>

#include <memory>

#include "app/WindowEvents.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/layouts/LayoutTable.h"
#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

class DesktopWithoutManager : public sim::SimDesktop {
 public:
  HRESULT IsWindowOnCurrentVirtualDesktop(HWND, BOOL*) override { return E_NOTIMPL; }
  HRESULT GetWindowDesktopId(HWND, GUID*) override { return E_NOTIMPL; }
};

HWND window(sim::SimDesktop& desk, const std::string& name) {
  sim::WindowSpec s;
  s.name = name;
  return desk.createWindow(s);
}

TEST(VirtualDesktopsWithoutManager, EveryWindowIsOnTheLayoutsDesktop) {
  DesktopWithoutManager desk;
  Shell shell(desk, registerHookMessages(desk));
  const HWND a = window(desk, "a"), b = window(desk, "b");
  desk.setForeground(a);
  RunningLayout& running = *addLayout(shell);  // on the desktop shown
  GridLayout& grid = *running.engine.start(std::make_unique<GridLayout>(desk));
  grid.addWindow(a);
  grid.addWindow(b);
  desk.moveToDesktop(b, "2");
  desk.switchDesktop("2");

  EXPECT_TRUE(layoutDesktopShown(shell, running));
  // A cloaked window leaves as a hidden one does, and a shown one may join again.
  EXPECT_EQ(desktopEventOf(shell, running, shell.messages.minmax, a, SW_MINIMIZE), DesktopEvent::Window);
  EXPECT_EQ(desktopEventOf(shell, running, shell.messages.minmax, a, SW_RESTORE), DesktopEvent::Window);
  dispatchWindowEvent(shell, shell.messages.minmax, reinterpret_cast<WPARAM>(a), SW_MINIMIZE);
  EXPECT_FALSE(grid.contains(a));
}

}  // namespace
}  // namespace tessellor
