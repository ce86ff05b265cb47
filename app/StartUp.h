#pragma once

#include "app/Shell.h"

namespace tessellor {

// The work of WM_INITDIALOG: autostart value, hook, hotkeys, tray icon, settings, status text.
void startUp(Shell& shell, HWND dialog);

}  // namespace tessellor
