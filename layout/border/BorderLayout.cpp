#include "layout/border/BorderLayout.h"

namespace tessellor {

BorderLayout::BorderLayout(Platform& platform) : BorderLayout(platform, 0.3, 0.3, 0.2, 0.2) {}

BorderLayout::BorderLayout(Platform& platform, double eastWeight_, double westWeight_, double northWeight_,
                           double southWeight_)
    : screenHeight(platform.GetSystemMetrics(SM_CYMAXIMIZED)),
      screenWidth(platform.GetSystemMetrics(SM_CXMAXIMIZED)),
      eastWeight(eastWeight_),
      westWeight(westWeight_),
      northWeight(northWeight_),
      southWeight(southWeight_),
      minWidth(platform.GetSystemMetrics(SM_CXMIN)),
      minHeight(platform.GetSystemMetrics(SM_CYMIN)),
      platform_(platform) {
  // The boundaries of a layout with every band empty.
  northBottom = 0.0;
  eastLeft = screenWidth;
  southTop = screenHeight;
  westRight = 0.0;
}

void BorderLayout::deriveBoundaries() {
  northBottom = screenHeight * northWeight;
  eastLeft = screenWidth - screenWidth * eastWeight;
  westRight = screenWidth * westWeight;
  southTop = screenHeight - screenHeight * southWeight;
}

void BorderLayout::reservePlacedRect() {
  const auto& entries = placedRects.entries();
  if (entries.size() == entries.capacity()) placedRects.reserve(2 * entries.size() + 8);
}

}  // namespace tessellor
