#pragma once

#include "app/Shell.h"

namespace tessellor {

// EnumWindows callback (lParam: the Shell): adds the window to the active layout when it is
// eligible; the Border Layout puts the foreground window in the Centre and deals the others round
// the bands from nextSide. Always TRUE, so that every window is visited.
BOOL addWindowIfEligible(HWND hwnd, LPARAM shell);

}  // namespace tessellor
