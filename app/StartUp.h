// What the program does as its main dialog is made.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The work of WM_INITDIALOG: autostart value, hook, tray icon, the hotkeys of no layout, settings,
// status text, and on a first run (no settings file anywhere) a balloon that says how to begin.
void startUp(Shell& shell, HWND dialog);

// The tray icon, all the user sees of the start: shown as soon as the dialog exists, before its
// controls are made where the window system says so (WM_SETFONT), else by startUp. The user's
// clicks on it are posted, and wait for the start to end.
void showTrayIconFirst(Shell& shell, HWND dialog);

}  // namespace tessellor
