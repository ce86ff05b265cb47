// Leaving a window's program, or its title, alone from the tray menu or the "Windows" dialog: the
// entry goes into the excluded list, is saved at once, and the windows it matches leave every layout.
#pragma once

#include <string>

#include "app/Shell.h"

namespace tessellor {

// The application window of another program that was last in front before the tray menu opened:
// the foreground window, else the last one the hook reported in front (on Windows the taskbar has
// the focus by the time the menu opens). Null when there is none, or its program cannot be named.
HWND windowForTrayMenu(Shell& shell, std::string& program);

// Adds the entry to the excluded list unless it is there, saves the settings at once, and takes
// every window it matches out of every layout, each put back where it was before a layout took it,
// raising or activating none.
void excludeEntry(Shell& shell, const std::string& entry);

// Keeps the window the hook reports in front for the tray menu when it is an application window of
// another program: the taskbar takes the focus as its icon is clicked, and must not hide the window
// the user was working in.
void noteWindowInFront(Shell& shell, HWND hwnd);

}  // namespace tessellor
