#include "app/VirtualDesktops.h"

#include <algorithm>
#include <cstring>

namespace tessellor {

namespace {

// Where there is no virtual desktop manager to ask, every window is on the shown desktop.
bool onShownDesktop(Platform& p, HWND hwnd) {
  BOOL on = TRUE;
  return p.IsWindowOnCurrentVirtualDesktop(hwnd, &on) != S_OK || on != FALSE;
}

// The null id where there is none to tell: it matches every desktop.
GUID desktopOf(Platform& p, HWND hwnd) {
  GUID id{};
  if (p.GetWindowDesktopId(hwnd, &id) != S_OK) return GUID{};
  return id;
}

bool isNull(const GUID& id) {
  static constexpr GUID kNull{};
  return std::memcmp(&id, &kNull, sizeof id) == 0;
}

bool sameDesktop(const GUID& a, const GUID& b) { return isNull(a) || isNull(b) || std::memcmp(&a, &b, sizeof a) == 0; }

struct Search {
  Platform* platform;
  GUID id{};
};

BOOL takeFirstShown(HWND hwnd, LPARAM searchParam) {
  Search& search = *reinterpret_cast<Search*>(searchParam);
  Platform& p = *search.platform;
  if (!p.IsWindowVisible(hwnd) || !onShownDesktop(p, hwnd)) return TRUE;
  search.id = desktopOf(p, hwnd);
  return isNull(search.id) ? TRUE : FALSE;
}

}  // namespace

void takeShownDesktop(Shell& shell) {
  Platform& p = shell.platform;
  shell.cloakedByDesktop.clear();
  const HWND foreground = p.GetForegroundWindow();
  shell.layoutDesktop = foreground != nullptr && onShownDesktop(p, foreground) ? desktopOf(p, foreground) : GUID{};
  if (!isNull(shell.layoutDesktop)) return;
  // No foreground window to ask: the first visible window of the shown desktop tells it.
  Search search{&p};
  p.EnumWindows(takeFirstShown, reinterpret_cast<LPARAM>(&search));
  shell.layoutDesktop = search.id;
}

bool onLayoutDesktop(Shell& shell, HWND hwnd) {
  Platform& p = shell.platform;
  return onShownDesktop(p, hwnd) && sameDesktop(desktopOf(p, hwnd), shell.layoutDesktop);
}

bool layoutDesktopShown(Shell& shell) {
  if (isNull(shell.layoutDesktop)) return true;
  Platform& p = shell.platform;
  // Its windows are all on its desktop (one moved elsewhere leaves): one of them shown tells it.
  const std::vector<HWND> held = shell.layout.heldWindows();
  if (!held.empty()) return std::any_of(held.begin(), held.end(), [&](HWND h) { return onShownDesktop(p, h); });
  const HWND foreground = p.GetForegroundWindow();
  return foreground == nullptr || onLayoutDesktop(shell, foreground) || !onShownDesktop(p, foreground);
}

bool isDesktopSwitchEvent(Shell& shell, UINT message, HWND hwnd, WORD showCommand) {
  std::vector<HWND>& away = shell.cloakedByDesktop;
  // A closed handle may come back as another window, which must not inherit the mark.
  if (message == shell.messages.close) std::erase(away, hwnd);
  if (message != shell.messages.minmax) return false;
  Platform& p = shell.platform;
  if (showCommand == SW_MINIMIZE) {
    if (onShownDesktop(p, hwnd) || p.IsIconic(hwnd)) return false;
    // A window the user moved to another desktop leaves, as a hidden one does.
    if (!sameDesktop(desktopOf(p, hwnd), shell.layoutDesktop)) return false;
    if (std::find(away.begin(), away.end(), hwnd) == away.end()) away.push_back(hwnd);
    return true;
  }
  if (showCommand != SW_RESTORE && showCommand != SW_MAXIMIZE) return false;
  // Shown again because its desktop is: it comes back as it went, with nothing placed.
  if (std::erase(away, hwnd) != 0) return true;
  return !onLayoutDesktop(shell, hwnd);
}

}  // namespace tessellor
