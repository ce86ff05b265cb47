#include "layout/border/BorderPinwheel.h"

namespace tessellor {

// Each screen corner belongs to one band: top-left North, top-right East, bottom-right South,
// bottom-left West. North and East test their neighbour's list rather than the boundary, so they
// take the full screen even before that neighbour's empty band has collapsed.
BandExtent bandExtent(const BorderLayout& layout, int side) {
  const double width = layout.screenWidth;
  const double height = layout.screenHeight;
  switch (side) {
    case North: {
      const int length = truncToPixel(holdsWindows(layout, East) ? layout.eastLeft : width);
      return {0, length, 0, truncToPixel(layout.northBottom), length};
    }
    case East: {
      const int length = truncToPixel(holdsWindows(layout, South) ? layout.southTop : height);
      return {0, length, truncToPixel(layout.eastLeft), truncToPixel(width), length};
    }
    case South: {
      const int start = holdsWindows(layout, West) ? truncToPixel(width * layout.westWeight) : 0;
      return {start, truncToPixel(width - start), truncToPixel(layout.southTop), truncToPixel(height),
              truncToPixel(width)};
    }
    case West: {
      const int start = truncToPixel(layout.northBottom);
      return {start, truncToPixel(height - layout.northBottom), 0, truncToPixel(layout.westRight),
              truncToPixel(height)};
    }
    default:
      return {0, 0, 0, 0, 0};
  }
}

}  // namespace tessellor
