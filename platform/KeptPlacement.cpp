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
  placement.rcNormalPosition = ontoAMonitor(platform, kept.normal);
  // Hidden by its program, or minimised by the user since: it stays so, and comes back to its place
  // when it is shown or restored again. A window kept maximised is maximised whatever its state now:
  // a minimised window would come back from the taskbar in its normal state.
  const bool hidden = !platform.IsWindowVisible(hwnd);
  if (hidden || (platform.IsIconic(hwnd) && !kept.maximized)) {
    placement.showCmd = hidden ? SW_HIDE : SW_SHOWMINNOACTIVE;
    platform.SetWindowPlacement(hwnd, &placement);
    return;
  }
  placement.showCmd = kept.maximized ? SW_MAXIMIZE : SW_SHOWNORMAL;
  platform.SetWindowPlacement(hwnd, &placement);
  // Raised and activated where SetWindowPlacement put it: moving it again would undo a maximise, and
  // could not say a rectangle wider or higher than an int.
  platform.SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tessellor
