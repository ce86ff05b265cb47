// A place on a monitor that is there: monitors come and go (a laptop leaves its dock, a display is
// switched off), and a window put back on none would stand where the user cannot reach it.
#pragma once

#include "platform/Platform.h"

namespace tessellor {

// The rectangle (screen coordinates) as it is when any monitor holds a part of it; else moved, at
// its size, the least distance that puts it wholly in the work area of the nearest monitor, and
// shrunk to that work area where it is larger.
RECT ontoAMonitor(Platform& platform, const RECT& rect);

}  // namespace tessellor
