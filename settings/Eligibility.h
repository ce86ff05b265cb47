#pragma once

#include "platform/Platform.h"

namespace tessellor {

// EnumWindows callback (lParam: the Shell): adds the window to the active layout when it passes
// the eligibility tests. Always TRUE, so that every window is visited.
BOOL addWindowIfEligible(HWND hwnd, LPARAM shell);

// The base file name of the executable that owns the window, cut to fit; false (buffer untouched)
// when the process cannot be asked.
bool getProgramName(Platform& platform, HWND hwnd, char* name, DWORD size);

// True when the name is not in the excluded-programs list (whole name, any letter case).
bool isProgramAllowed(Platform& platform, HWND dialog, const char* name);

}  // namespace tessellor
