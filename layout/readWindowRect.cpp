#include "layout/readWindowRect.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace tessellor {

namespace {

// A region far from its window's origin may lie past the 32-bit range: it stops at its end.
LONG offset(LONG value, LONG by) {
  return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{value} + by, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

}  // namespace

void readWindowRect(Platform& platform, HWND hwnd, RECT* out, HRGN scratch) {
  HRGN region = scratch != nullptr ? scratch : platform.CreateRectRgn(0, 0, 0, 0);
  const int kind = platform.GetWindowRgn(hwnd, region);
  if (kind == SIMPLEREGION) {
    // Header plus room for one rectangle: 48 bytes, as a simple region needs no more.
    alignas(RGNDATA) unsigned char buffer[sizeof(RGNDATAHEADER) + sizeof(RECT)] = {};
    auto* data = reinterpret_cast<RGNDATA*>(buffer);
    platform.GetRegionData(region, sizeof buffer, data);
    RECT bound{};
    CopyRect(&bound, &data->rdh.rcBound);
    // The region is in the window's own coordinates; unconverted, every window with a region
    // would look dragged away from where the layout put it.
    RECT window{};
    platform.GetWindowRect(hwnd, &window);
    *out = RECT{offset(bound.left, window.left), offset(bound.top, window.top), offset(bound.right, window.left),
                offset(bound.bottom, window.top)};
  } else {
    platform.GetWindowRect(hwnd, out);
  }
  if (scratch == nullptr) platform.DeleteObject(region);
}

}  // namespace tessellor
