// The tray icon, shown again and again until the shell takes it: without it the dialog cannot be
// opened.
#pragma once

#include "app/Shell.h"

namespace tessellor {

inline constexpr UINT_PTR TRAY_ICON_TIMER = 2;
// How often a tray icon the shell refused (not ready at logon, or busy) is offered again.
inline constexpr UINT TRAY_ICON_RETRY_MS = 2000;

// Adds shell.trayIcon unless the shell has it; when the shell refuses, tries again on a timer.
void showTrayIcon(Shell& shell);

}  // namespace tessellor
