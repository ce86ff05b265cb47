#pragma once

#include "platform/Platform.h"

namespace tessellor {

// Whether the window stands somewhere it can be put back to: not minimised (Windows parks a
// minimised window off-screen; a monitor left of or above the primary has negative coordinates
// too, so the place itself cannot tell), and a window at all.
inline bool hasOwnPlace(Platform& platform, HWND hwnd) { return platform.IsWindow(hwnd) && !platform.IsIconic(hwnd); }

}  // namespace tessellor
