// What the program does as its main dialog is made.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The work of WM_INITDIALOG: autostart value, hook, tray icon, the hotkeys of no layout, settings,
// status text, and on a first run (no settings file anywhere) a balloon that says how to begin.
void startUp(Shell& shell, HWND dialog);

}  // namespace tessellor
