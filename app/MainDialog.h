#pragma once

#include "app/Shell.h"

namespace tessellor {

inline constexpr UINT WM_TRAYICON = WM_APP + 1;
inline constexpr UINT TRAY_ICON_ID = 100077;

// The procedure of the main dialog: every input of the program arrives here.
INT_PTR mainDialogProc(Platform& platform, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the status box from the active layout.
void showSelectedLayout(Shell& shell, HWND dialog);

// The exit sequence; the active layout's windows stay where they are.
void quitApplication(Shell& shell, HWND dialog);

}  // namespace tessellor
