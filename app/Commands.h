// The dialog's buttons, the tray icon's clicks and its menu: what each does.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The action of a dialog control or tray menu item; ids without one do nothing.
void runCommand(Shell& shell, HWND dialog, WORD id);

// A mouse message on the tray icon: a double click shows the dialog, a right press opens the menu; a
// click on the balloon that offers to put windows back puts them back.
void onTrayNotification(Shell& shell, HWND dialog, LPARAM mouseMessage);

}  // namespace tessellor
