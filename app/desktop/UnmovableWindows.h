// Windows that Windows does not let Tessellor move (User Interface Privilege Isolation: a program
// of a higher integrity level, or with UIAccess): they stay out of the layouts, and their programs
// are named to the user once a run.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The window was left out because it would refuse every move: its program is named at the end of
// the event, unless it was named already in this run. Places nothing.
void noteUnmovableWindow(Shell& shell, HWND hwnd);
// Each window of the layout whose placement was refused with ERROR_ACCESS_DENIED leaves it, for
// good, and is noted; its cell closes, which places the others again.
void dropDeniedWindows(Shell& shell, const PlacementOutcome& outcome);
// True for a window whose placement was refused with ERROR_ACCESS_DENIED: it would refuse again.
bool wasDenied(const Shell& shell, HWND hwnd);
// The window closed: its handle may come back as a window that can be moved.
void forgetDenied(Shell& shell, HWND hwnd);
// At the end of an event: one balloon names the programs noted since the last one.
void reportUnmovableWindows(Shell& shell);

}  // namespace tessellor
