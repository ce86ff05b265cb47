#pragma once

#include "platform/Platform.h"
#include "settings/ProgramNames.h"

namespace tessellor {

// True when a layout starting with every eligible window may take hwnd: a visible application
// window that Tessellor may move, not minimised, with a sizing border, not full-screen, with a
// non-empty rectangle, neither refused by title nor by program (`dialog` holds the
// excluded-programs list; `names` answers each process's program name). Places nothing.
// `unmovable`, when given, is set for a window that is refused only because Tessellor may not move it.
bool isWindowEligible(Platform& platform, HWND dialog, HWND hwnd, ProgramNames& names, bool* unmovable = nullptr);

// The base file name of the executable that owns the window, cut to fit; false (buffer untouched)
// when the process cannot be asked.
bool getProgramName(Platform& platform, HWND hwnd, char* name, DWORD size);

// True when the name is not in the excluded-programs list (whole name, any letter case).
bool isProgramAllowed(Platform& platform, HWND dialog, const char* name);

}  // namespace tessellor
