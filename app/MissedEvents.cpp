#include "app/MissedEvents.h"

#include <algorithm>
#include <cstdint>

#include "app/WindowEvents.h"
#include "app/desktop/VirtualDesktops.h"

namespace tessellor {

namespace {

bool contains(const std::vector<HWND>& list, HWND hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

LPARAM showCommand(WORD command) { return static_cast<LPARAM>(command); }

}  // namespace

bool catchUpWith(Shell& shell, HWND hwnd) {
  Platform& p = shell.platform;
  const WPARAM w = static_cast<WPARAM>(reinterpret_cast<std::uintptr_t>(hwnd));
  if (!p.IsWindow(hwnd)) return dispatchWindowEvent(shell, shell.messages.close, w, 0);
  // The hook reports a hidden window, and one moved to another desktop, as a minimised one.
  const bool onItsDesktop = shell.current == nullptr || onLayoutDesktop(shell, *shell.current, hwnd);
  if (p.IsIconic(hwnd) || !p.IsWindowVisible(hwnd) || !onItsDesktop) {
    return dispatchWindowEvent(shell, shell.messages.minmax, w, showCommand(SW_MINIMIZE));
  }
  if ((p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0) {
    return dispatchWindowEvent(shell, shell.messages.minmax, w, showCommand(SW_MAXIMIZE));
  }
  return false;
}

void catchUpWithHeldWindows(Shell& shell, HWND except) {
  std::vector<RunningLayout*> layouts;
  for (const auto& layout : shell.layouts) layouts.push_back(layout.get());
  for (RunningLayout* layout : layouts) {
    if (!layoutDesktopShown(shell, *layout)) continue;
    const ActingOn acting(shell, layout);
    const std::vector<HWND> held = layout->engine.heldWindows();
    for (HWND hwnd : held) {
      // Only windows the layout has seen in their cells: one that joins minimised or maximised is
      // brought back to normal by its first placement, as it always was.
      if (hwnd == except || !contains(layout->settledWindows, hwnd) || contains(layout->lateWindows, hwnd)) continue;
      if (!contains(layout->engine.heldWindows(), hwnd)) continue;  // an earlier one's event took it out
      if (catchUpWith(shell, hwnd)) {
        std::erase(layout->settledWindows, hwnd);
        // The layout placed it again before it learnt that it left: it is no longer its to move.
        if (!contains(layout->engine.heldWindows(), hwnd)) layout->placements.cancel(hwnd);
        continue;
      }
      // Moved unheard: the layout's test of a settled move tells Tessellor's own placements apart.
      dispatchWindowEvent(shell, shell.messages.moved, static_cast<WPARAM>(reinterpret_cast<std::uintptr_t>(hwnd)), 0);
    }
  }
}

}  // namespace tessellor
