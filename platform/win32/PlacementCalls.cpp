// Our portable declarations come first; <windows.h> after them, so that its macros cannot rewrite
// them. Below, `::` names are the system's, unqualified names are ours.
#include "platform/win32/PlacementCalls.h"

#include <windows.h>

namespace tessellor::win32 {

namespace {

::HWND sys(HWND h) { return reinterpret_cast<::HWND>(h); }
::RECT sys(const RECT& r) { return ::RECT{r.left, r.top, r.right, r.bottom}; }
RECT ours(const ::RECT& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// rcNormalPosition is in workspace coordinates, which start at the work area's corner: a taskbar
// at the top or left shifts them against screen coordinates. Tool windows use screen coordinates.
POINT workspaceOffset(::HWND h, const ::RECT& r) {
  ::MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return POINT{0, 0};
  const POINT offset{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
  // The style is asked only when it matters: under Wine each question goes to the server.
  if ((offset.x == 0 && offset.y == 0) || (::GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
    return POINT{0, 0};
  }
  return offset;
}

::RECT offsetBy(::RECT r, LONG dx, LONG dy) {
  ::OffsetRect(&r, dx, dy);
  return r;
}

// The show commands by which a placement record brings a minimised or maximised window back to its
// normal state.
bool showsNormal(UINT showCmd) { return showCmd == SW_SHOWNORMAL || showCmd == SW_SHOWNOACTIVATE; }

}  // namespace

bool isHung(HWND hwnd) {
  ::HWND h = sys(hwnd);
  return ::GetWindowThreadProcessId(h, nullptr) != ::GetCurrentThreadId() && ::IsHungAppWindow(h);
}

BOOL getWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  ::WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!::GetWindowPlacement(sys(hwnd), &wp)) return FALSE;
  placement->length = placement->length == 0 ? sizeof *placement : placement->length;
  placement->flags = wp.flags;
  placement->showCmd = wp.showCmd;
  placement->ptMinPosition = POINT{static_cast<LONG>(wp.ptMinPosition.x), static_cast<LONG>(wp.ptMinPosition.y)};
  placement->ptMaxPosition = POINT{static_cast<LONG>(wp.ptMaxPosition.x), static_cast<LONG>(wp.ptMaxPosition.y)};
  const POINT offset = workspaceOffset(sys(hwnd), wp.rcNormalPosition);
  placement->rcNormalPosition = ours(offsetBy(wp.rcNormalPosition, offset.x, offset.y));
  return TRUE;
}

BOOL setWindowPlacement(HWND hwnd, const WINDOWPLACEMENT& placement, Delivery delivery) {
  ::HWND h = sys(hwnd);
  const ::RECT screen = sys(placement.rcNormalPosition);
  ::WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  wp.flags = placement.flags | (delivery == Delivery::Post ? WPF_ASYNCWINDOWPLACEMENT : 0);
  wp.showCmd = placement.showCmd;
  wp.ptMinPosition = ::POINT{placement.ptMinPosition.x, placement.ptMinPosition.y};
  wp.ptMaxPosition = ::POINT{placement.ptMaxPosition.x, placement.ptMaxPosition.y};
  const POINT offset = workspaceOffset(h, screen);
  wp.rcNormalPosition = offsetBy(screen, -offset.x, -offset.y);
  if (::SetWindowPlacement(h, &wp)) return TRUE;
  // Wine refuses SetWindowPlacement on another process's window: restore the window and move it.
  if (!::IsWindow(h)) return FALSE;
  // A window put back maximised takes its normal rectangle first, then is maximised over it.
  const bool maximize = placement.showCmd == SW_MAXIMIZE;
  if ((showsNormal(placement.showCmd) || maximize) && (::IsIconic(h) || ::IsZoomed(h))) {
    showWindow(hwnd, maximize ? SW_SHOWNOACTIVATE : static_cast<int>(placement.showCmd), delivery);
  }
  const BOOL moved =
      setWindowPos(hwnd, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS, delivery);
  // The caller reads why the move failed (ERROR_ACCESS_DENIED: a window of a higher integrity level).
  const ::DWORD error = ::GetLastError();
  if (maximize) showWindow(hwnd, SW_MAXIMIZE, delivery);
  ::SetLastError(error);
  return moved;
}

BOOL setWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, Delivery delivery) {
  if (delivery == Delivery::Post) flags |= SWP_ASYNCWINDOWPOS;
  return ::SetWindowPos(sys(hwnd), sys(insertAfter), x, y, cx, cy, flags);
}

BOOL showWindow(HWND hwnd, int showCmd, Delivery delivery) {
  return delivery == Delivery::Post ? ::ShowWindowAsync(sys(hwnd), showCmd) : ::ShowWindow(sys(hwnd), showCmd);
}

void makeMove(WindowMove& move, Delivery delivery) {
  ::SetLastError(0);
  move.result = move.call == WindowMove::Call::SetWindowPlacement
                    ? setWindowPlacement(move.hwnd, move.placement, delivery)
                    : setWindowPos(move.hwnd, move.insertAfter, move.x, move.y, move.cx, move.cy, move.flags, delivery);
  move.error = move.result != FALSE ? 0 : ::GetLastError();
  move.answered = delivery == Delivery::Wait || move.result == FALSE;
}

}  // namespace tessellor::win32
