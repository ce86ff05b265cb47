#include "app/TrayIcon.h"

namespace tessellor {

void showTrayIcon(Shell& shell) {
  if (shell.trayIconShown) return;
  Platform& p = shell.platform;
  shell.trayIconShown = p.Shell_NotifyIconA(NIM_ADD, &shell.trayIcon) != FALSE;
  if (shell.trayIconShown) {
    p.KillTimer(shell.mainDialog, TRAY_ICON_TIMER);
  } else {
    p.SetTimer(shell.mainDialog, TRAY_ICON_TIMER, TRAY_ICON_RETRY_MS, nullptr);
  }
}

}  // namespace tessellor
