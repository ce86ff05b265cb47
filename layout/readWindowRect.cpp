#include "layout/readWindowRect.h"

#include <cstring>

namespace tessellor {

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
    *out = RECT{bound.left + window.left, bound.top + window.top, bound.right + window.left, bound.bottom + window.top};
  } else {
    platform.GetWindowRect(hwnd, out);
  }
  if (scratch == nullptr) platform.DeleteObject(region);
}

}  // namespace tessellor
