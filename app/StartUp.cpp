#include "app/StartUp.h"

#include <cstring>

#include "app/Hotkeys.h"
#include "app/MainDialog.h"
#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/SettingsFile.h"

namespace tessellor {

namespace {

void addTrayIcon(Shell& shell, HWND dialog) {
  NOTIFYICONDATAA& icon = shell.trayIcon;
  icon = NOTIFYICONDATAA{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = dialog;
  icon.uID = TRAY_ICON_ID;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_TRAYICON;
  icon.hIcon = shell.platform.LoadIconA(shell.appModule, MAKEINTRESOURCE(IDI_TESSELLOR));
  std::strncpy(icon.szTip, "Tessellor", sizeof icon.szTip - 1);
  shell.platform.Shell_NotifyIconA(NIM_ADD, &icon);
}

}  // namespace

void startUp(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  shell.appModule = p.GetModuleHandleA(nullptr);
  p.GetModuleFileNameA(shell.appModule, shell.exePath, sizeof shell.exePath);
  shell.exePath[sizeof shell.exePath - 1] = '\0';  // a cut path is not terminated on older systems
  // Written on every start; the settings may turn it off again just below.
  enableAutostart(p, shell.exePath);
  clearMachineAutostart(p);
  p.setMyHook(dialog);
  registerHotkeys(p, dialog);
  addTrayIcon(shell, dialog);
  loadSettings(p, dialog);
  showSelectedLayout(shell, dialog);
}

}  // namespace tessellor
