#pragma once

#include "platform/win_types.h"

namespace tessellor {

// Windows parks a minimised window wholly off-screen at negative coordinates (-32000, -32000):
// such a rectangle is no place to put the window back to, so neither layout remembers it.
constexpr bool isParkedOffScreen(const RECT& rect) {
  return rect.left < 0 && rect.top < 0 && rect.right < 0 && rect.bottom < 0;
}

}  // namespace tessellor
