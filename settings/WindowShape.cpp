#include "settings/WindowShape.h"

#include "settings/ApplicationWindow.h"

namespace tessellor {

bool isFullScreenWindow(Platform& p, HWND hwnd) {
  // A title bar is both WS_BORDER and WS_DLGFRAME; a window with only one of them has none.
  if ((p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) return false;
  RECT rect{};
  if (!p.GetWindowRect(hwnd, &rect)) return false;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!p.GetMonitorInfoA(p.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) return false;
  const RECT& m = info.rcMonitor;
  return rect.left <= m.left && rect.top <= m.top && rect.right >= m.right && rect.bottom >= m.bottom;
}

bool hasSizingBorder(Platform& p, HWND hwnd) { return (p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0; }

bool mayTakeBack(Platform& p, HWND hwnd) {
  return p.IsWindowVisible(hwnd) && isTileableWindow(p, hwnd) && hasTileableShape(p, hwnd);
}

}  // namespace tessellor
