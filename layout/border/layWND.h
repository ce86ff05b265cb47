// One window of the border layout, held by value in the bands, the Centre and the parked list.
#pragma once

#include "platform/win_types.h"

namespace tessellor {

struct layWND {
  HWND hwnd = nullptr;       // null: no window (an empty Centre)
  double widthShare = 0.0;   // fraction of a North or South band
  double heightShare = 0.0;  // fraction of a West or East band

  // Records are the same window when their handles are; the shares do not take part.
  friend bool operator==(const layWND& a, const layWND& b) { return a.hwnd == b.hwnd; }
  friend bool operator==(const layWND& a, HWND handle) { return a.hwnd == handle; }
};

}  // namespace tessellor
