// Windows the user moves from one monitor to another: each monitor holds its own layout.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// After a move the program takes for the user's (a drag, an edge resize, Snap, any "moved"
// report): a window of the current layout whose visible centre now lies inside another monitor
// leaves the layout, whatever edges moved, and joins that monitor's layout on the desktop shown, if
// it holds one, keeping the place it had before the first layout took it. True when it left.
bool followMoveToAnotherMonitor(Shell& shell, HWND hwnd);

}  // namespace tessellor
