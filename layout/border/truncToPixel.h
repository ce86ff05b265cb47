// The one conversion of border geometry to a pixel coordinate.
#pragma once

#include <cmath>
#include <limits>

namespace tessellor {

// Truncates toward zero, as Win32 code casting a double would; NaN becomes 0 and values beyond the
// 32-bit range are clamped, so a degenerate weight or share never makes the cast undefined.
inline int truncToPixel(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace tessellor
