#include "app/desktop/VirtualDesktops.h"

#include <algorithm>
#include <cstring>

namespace tessellor {

namespace {

// Inlined: this file is kept small for the size budget of the exe.

// Where there is no virtual desktop manager to ask, every window is on the shown desktop.
[[gnu::always_inline]] inline bool onShownDesktop(Platform& p, HWND hwnd) {
  BOOL on = TRUE;
  return p.IsWindowOnCurrentVirtualDesktop(hwnd, &on) != S_OK || on != FALSE;
}

// The null id where there is none to tell: it matches every desktop.
[[gnu::always_inline]] inline GUID desktopOf(Platform& p, HWND hwnd) {
  GUID id{};
  if (p.GetWindowDesktopId(hwnd, &id) != S_OK) return GUID{};
  return id;
}

[[gnu::always_inline]] inline bool isNull(const GUID& id) {
  const GUID null{};
  return std::memcmp(&id, &null, sizeof id) == 0;
}

// True when the window was in the list; it is not any more.
[[gnu::always_inline]] inline bool forget(std::vector<HWND>& list, HWND hwnd) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (*it == hwnd) return list.erase(it), true;
  }
  return false;
}

}  // namespace

GUID shownDesktop(Shell& shell) {
  Platform& p = shell.platform;
  const HWND foreground = p.GetForegroundWindow();
  const GUID id = foreground != nullptr && onShownDesktop(p, foreground) ? desktopOf(p, foreground) : GUID{};
  // With no window in front, our own dialog tells it: it is on the shown desktop.
  return isNull(id) ? desktopOf(p, shell.mainDialog) : id;
}

bool sameDesktop(const GUID& a, const GUID& b) { return isNull(a) || isNull(b) || std::memcmp(&a, &b, sizeof a) == 0; }

bool windowOnShownDesktop(Shell& shell, HWND hwnd) { return onShownDesktop(shell.platform, hwnd); }

bool onLayoutDesktop(Shell& shell, const RunningLayout& layout, HWND hwnd) {
  Platform& p = shell.platform;
  return onShownDesktop(p, hwnd) && sameDesktop(desktopOf(p, hwnd), layout.desktop);
}

bool layoutDesktopShown(Shell& shell, const RunningLayout& layout) {
  if (isNull(layout.desktop)) return true;
  Platform& p = shell.platform;
  // Its windows are on its desktop (one moved elsewhere leaves, once it is heard of): one of them
  // shown there tells it.
  const std::vector<HWND> held = layout.engine.heldWindows();
  for (HWND hwnd : held) {
    if (onShownDesktop(p, hwnd) && sameDesktop(desktopOf(p, hwnd), layout.desktop)) return true;
  }
  if (!held.empty()) return false;
  const HWND foreground = p.GetForegroundWindow();
  return foreground == nullptr || onLayoutDesktop(shell, layout, foreground) || !onShownDesktop(p, foreground);
}

DesktopEvent desktopEventOf(Shell& shell, RunningLayout& layout, UINT message, HWND hwnd, WORD showCommand) {
  std::vector<HWND>& away = layout.cloakedByDesktop;
  // A closed handle may come back as another window, which must not inherit the mark.
  if (message == shell.messages.close) forget(away, hwnd);
  if (message != shell.messages.minmax) return DesktopEvent::Window;
  Platform& p = shell.platform;
  if (showCommand == SW_MINIMIZE) {
    if (onShownDesktop(p, hwnd) || p.IsIconic(hwnd)) return DesktopEvent::Window;
    // A window the user moved to another desktop leaves, as a hidden one does.
    if (!sameDesktop(desktopOf(p, hwnd), layout.desktop)) return DesktopEvent::Window;
    forget(away, hwnd);
    away.push_back(hwnd);
    return DesktopEvent::Switch;
  }
  if (showCommand != SW_RESTORE && showCommand != SW_MAXIMIZE) return DesktopEvent::Window;
  const bool onItsDesktop = sameDesktop(desktopOf(p, hwnd), layout.desktop);
  if (forget(away, hwnd)) {
    // Shown again because its desktop is: it comes back as it went, with nothing placed. Shown on
    // another desktop while its own is away, the user moved it there.
    return onItsDesktop ? DesktopEvent::Switch : DesktopEvent::Left;
  }
  // A window of the layout shown on another desktop: moved there by the user.
  const std::vector<HWND> held = layout.engine.heldWindows();
  if (!onItsDesktop && std::find(held.begin(), held.end(), hwnd) != held.end()) return DesktopEvent::Left;
  return onLayoutDesktop(shell, layout, hwnd) ? DesktopEvent::Window : DesktopEvent::Switch;
}

}  // namespace tessellor
