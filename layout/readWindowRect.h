#pragma once

#include "platform/Platform.h"

namespace tessellor {

// The one rule by which both layouts measure a window: the bounding box of a simple window region,
// moved to screen coordinates, else GetWindowRect. *out is left as it was when the handle is no
// window. `scratch` lets a caller that measures many windows reuse one region; null makes one.
void readWindowRect(Platform& platform, HWND hwnd, RECT* out, HRGN scratch = nullptr);

}  // namespace tessellor
