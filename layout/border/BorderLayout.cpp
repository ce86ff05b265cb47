#include "layout/border/BorderLayout.h"

namespace tessellor {

BorderLayout::BorderLayout(Platform& platform, const BorderWeights& weights, Platform* keptPlaces)
    : screenHeight(platform.GetSystemMetrics(SM_CYMAXIMIZED)),
      screenWidth(platform.GetSystemMetrics(SM_CXMAXIMIZED)),
      eastWeight(weights.eastWeight),
      westWeight(weights.westWeight),
      northWeight(weights.northWeight),
      southWeight(weights.southWeight),
      minWidth(platform.GetSystemMetrics(SM_CXMIN)),
      minHeight(platform.GetSystemMetrics(SM_CYMIN)),
      platform_(platform),
      keptPlaces_(keptPlaces != nullptr ? *keptPlaces : platform) {
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
  if (keptSizes_.size() == keptSizes_.capacity()) keptSizes_.reserve(2 * keptSizes_.size() + 8);
}

}  // namespace tessellor
