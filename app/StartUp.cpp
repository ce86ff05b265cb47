#include "app/StartUp.h"

#include <cstring>

#include "app/Hotkeys.h"
#include "app/MainDialog.h"
#include "app/RestoreJournal.h"
#include "app/TrayBalloon.h"
#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/SettingsFile.h"

namespace tessellor {

namespace {

constexpr char FIRST_RUN_TITLE[] = "Tessellor is running";
constexpr char FIRST_RUN_TEXT[] =
    "Ctrl+Alt+B: Border Layout. Ctrl+Alt+G: Grid Layout. Ctrl+Backspace: end it, windows put back. "
    "Double-click this icon for the settings.";
static_assert(sizeof FIRST_RUN_TITLE <= sizeof NOTIFYICONDATAA{}.szInfoTitle);
static_assert(sizeof FIRST_RUN_TEXT <= sizeof NOTIFYICONDATAA{}.szInfo);
constexpr char DAMAGED_TITLE[] = "Settings not read";
constexpr char DAMAGED_TEXT[] =
    " is empty or damaged. Tessellor starts with its default settings and writes the file anew.";

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
  // The icon comes first: it carries the balloon that names a key another program holds.
  addTrayIcon(shell, dialog);
  registerHotkeysFor(shell, shell.layoutMode());
  // A second start posts the tray's double click here; from a process of lower integrity than an
  // elevated instance, the system would drop it.
  p.ChangeWindowMessageFilterEx(dialog, WM_TRAYICON, MSGFLT_ALLOW, nullptr);
  const SettingsLoad settings = loadSettings(p, dialog);
  if (settings.result == SettingsLoad::Result::Loaded) shell.savedSettings = dialogSettingsBytes(p, dialog);
  showSelectedLayout(shell, dialog);
  // New icons sit in the overflow area of the tray: without this, a first start looks like none.
  if (settings.result == SettingsLoad::Result::Missing) showTrayBalloon(shell, FIRST_RUN_TITLE, FIRST_RUN_TEXT);
  if (settings.result == SettingsLoad::Result::Damaged) {
    showTrayBalloon(shell, DAMAGED_TITLE, (settings.path + DAMAGED_TEXT).c_str());
  }
  // Killed, crashed or closed while a layout held windows: offer to put them back.
  offerLastRunWindows(shell);
}

}  // namespace tessellor
