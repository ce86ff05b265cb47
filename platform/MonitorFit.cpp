#include "platform/MonitorFit.h"

#include <algorithm>
#include <cstdint>

namespace tessellor {

namespace {

// [from, to) moved the least distance into [low, high), shrunk to it when longer.
void fitSpan(LONG& from, LONG& to, LONG low, LONG high) {
  const std::int64_t extent = std::min(std::int64_t{to} - from, std::int64_t{high} - low);
  const std::int64_t start = std::clamp<std::int64_t>(from, low, high - extent);
  from = static_cast<LONG>(start);
  to = static_cast<LONG>(start + extent);
}

}  // namespace

RECT ontoAMonitor(Platform& platform, const RECT& rect) {
  if (IsRectEmpty(&rect) || platform.MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr) return rect;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HMONITOR nearest = platform.MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
  if (nearest == nullptr || !platform.GetMonitorInfoA(nearest, &info) || IsRectEmpty(&info.rcWork)) return rect;
  RECT fitted = rect;
  fitSpan(fitted.left, fitted.right, info.rcWork.left, info.rcWork.right);
  fitSpan(fitted.top, fitted.bottom, info.rcWork.top, info.rcWork.bottom);
  return fitted;
}

}  // namespace tessellor
