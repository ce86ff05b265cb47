#include "platform/KeptPlacement.h"

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

std::optional<KeptPlacement> readKeptPlacement(Platform& platform, HWND hwnd) {
  if (!platform.IsWindow(hwnd) || platform.IsIconic(hwnd)) return std::nullopt;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!platform.GetWindowPlacement(hwnd, &placement)) return std::nullopt;
  KeptPlacement kept;
  kept.maximized = placement.showCmd == SW_MAXIMIZE;
  // A normal window's own rectangle is its normal one; a maximised one keeps it aside.
  if (kept.maximized) {
    kept.normal = placement.rcNormalPosition;
  } else if (!platform.GetWindowRect(hwnd, &kept.normal)) {
    return std::nullopt;
  }
  return kept;
}

void putBack(Platform& platform, HWND hwnd, const KeptPlacement& kept) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  platform.GetWindowPlacement(hwnd, &placement);
  placement.rcNormalPosition = kept.normal;
  if (platform.IsIconic(hwnd)) {
    // Minimised by the user since: it stays so, and its restore brings it back to its place.
    placement.showCmd = SW_SHOWMINNOACTIVE;
    platform.SetWindowPlacement(hwnd, &placement);
    return;
  }
  placement.showCmd = kept.maximized ? SW_MAXIMIZE : SW_SHOWNORMAL;
  platform.SetWindowPlacement(hwnd, &placement);
  const RECT& r = kept.normal;
  // A maximised window stands where SetWindowPlacement put it; moving it would undo that.
  const UINT flags = kept.maximized ? SWP_NOMOVE | SWP_NOSIZE : 0;
  platform.SetWindowPos(hwnd, HWND_TOP, r.left, r.top, extent(r.left, r.right), extent(r.top, r.bottom), flags);
}

}  // namespace tessellor
