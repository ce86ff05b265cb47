#include "platform/KeptPlacement.h"

#include "platform/MonitorFit.h"

namespace tessellor {

std::optional<KeptPlacement> readKeptPlacement(Platform& platform, HWND hwnd) {
  if (!hasOwnPlace(platform, hwnd)) return std::nullopt;
  // A normal window is kept where it stands, as Ctrl+Backspace keeps it; only a maximised one needs
  // its placement (under Wine, ten calls to the server).
  if ((platform.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) == 0) {
    RECT standing{};
    if (!platform.GetWindowRect(hwnd, &standing)) return std::nullopt;
    return KeptPlacement{standing, false};
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!platform.GetWindowPlacement(hwnd, &placement)) return std::nullopt;
  // Kept in the placement's own coordinates, which SetWindowPlacement takes back exactly: Windows
  // gives them less the work area's offset when a taskbar stands at the top or left of the screen.
  return KeptPlacement{placement.rcNormalPosition, placement.showCmd == SW_MAXIMIZE};
}

void putBack(Platform& platform, HWND hwnd, const KeptPlacement& kept) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  platform.GetWindowPlacement(hwnd, &placement);
  const RECT target = ontoAMonitor(platform, kept.normal);
  // Minimised by the user since, or hidden by its program: it stays so, and comes back to its place
  // when it is restored or shown again.
  if (platform.IsIconic(hwnd) || !platform.IsWindowVisible(hwnd)) {
    placement.rcNormalPosition = target;
    placement.showCmd = platform.IsIconic(hwnd) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    platform.SetWindowPlacement(hwnd, &placement);
    return;
  }
  const UINT show = kept.maximized ? SW_MAXIMIZE : SW_SHOWNORMAL;
  // A window standing at its place in its state already is only raised.
  const bool standing = placement.showCmd == show && placement.rcNormalPosition == target;
  placement.rcNormalPosition = target;
  placement.showCmd = show;
  if (!standing) platform.SetWindowPlacement(hwnd, &placement);
  // The window stands where SetWindowPlacement put it: moving it again would undo a maximise, and
  // could not say a rectangle wider or higher than an int.
  platform.SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tessellor
