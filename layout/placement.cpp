#include "layout/placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessellor {

namespace {

// A difference of two 32-bit edges may not fit 32 bits.
int extent(LONG from, LONG to) {
  const std::int64_t d = static_cast<std::int64_t>(to) - from;
  return static_cast<int>(
      std::clamp<std::int64_t>(d, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

bool setNormalPlacement(Platform& platform, HWND hwnd, const RECT& rect) {
  // Not read first: the layouts place through the event's held placements, which take the normal
  // rectangle and the state only, and a read would cost every window several calls to the server.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.ptMinPosition = POINT{-1, -1};
  placement.ptMaxPosition = POINT{-1, -1};
  placement.rcNormalPosition = rect;
  placement.showCmd = SW_SHOWNORMAL;
  return platform.SetWindowPlacement(hwnd, &placement) != FALSE;
}

void moveToTop(Platform& platform, HWND hwnd, const RECT& rect) {
  platform.SetWindowPos(hwnd, HWND_TOP, rect.left, rect.top, extent(rect.left, rect.right),
                        extent(rect.top, rect.bottom), 0);
}

void putBackInTurn(Platform& platform, HWND hwnd, const KeptPlacement& kept) {
  if (!kept.maximized) {
    setNormalPlacement(platform, hwnd, kept.normal);
    moveToTop(platform, hwnd, kept.normal);
    return;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  platform.GetWindowPlacement(hwnd, &placement);
  placement.rcNormalPosition = kept.normal;
  placement.showCmd = SW_MAXIMIZE;
  platform.SetWindowPlacement(hwnd, &placement);
  // Raised and activated where it stands: a move would take it out of the maximised state.
  platform.SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void putBackUnraised(Platform& platform, HWND hwnd, const KeptPlacement& kept) {
  if (!kept.maximized) {
    setNormalPlacement(platform, hwnd, kept.normal);
    return;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.rcNormalPosition = kept.normal;
  placement.showCmd = SW_MAXIMIZE;
  platform.SetWindowPlacement(hwnd, &placement);
}

void moveInPlace(Platform& platform, HWND hwnd, const RECT& rect) {
  platform.SetWindowPos(hwnd, nullptr, rect.left, rect.top, extent(rect.left, rect.right),
                        extent(rect.top, rect.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tessellor
