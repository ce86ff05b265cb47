// A layout belongs to the virtual desktop shown when it started. Switching desktops cloaks one
// desktop's windows and uncloaks the other's, and the hook reports that as windows hidden and
// shown again; these tell such a switch from a window that leaves or joins.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// At the start of a layout: the desktop shown now becomes the layout's.
void takeShownDesktop(Shell& shell);

// The layout's desktop is shown: its keys act and its windows may be placed.
bool layoutDesktopShown(Shell& shell);

// True when the hook's event for the window is the shell cloaking or uncloaking it for a desktop
// switch, or a window of another desktop appearing: the layout must not see it.
bool isDesktopSwitchEvent(Shell& shell, UINT message, HWND hwnd, WORD showCommand);

}  // namespace tessellor
