#include "app/StartUp.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/Text.h"
#include "app/TrayBalloon.h"
#include "app/TrayIcon.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/Hotkeys.h"
#include "app/keys/KeysFile.h"
#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/SettingsFile.h"

namespace tessellor {

namespace {

constexpr char FIRST_RUN_TITLE[] = "Tessellor is running";
static_assert(sizeof FIRST_RUN_TITLE <= sizeof NOTIFYICONDATAA{}.szInfoTitle);
// How windows get into a layout: "Add automatically windows to layout" is unchecked at first.
constexpr char TAKING_WINDOWS[] =
    "Alt+arrows send the window in front, or check \"Add automatically windows to layout\" in the dialog. ";
// Ctrl+Backspace and the Ctrl+arrows edit text in other programs, which a layout takes from them.
constexpr char TEXT_EDITING_KEYS[] = "In a layout Ctrl+Backspace and Ctrl+arrows are Tessellor's (Keys... moves them).";

// The keys to begin with, as they are now: a start key that does not work is left out (its own
// balloon says why).
[[gnu::cold]] std::string firstRunText(const Shell& shell) {
  std::string text;
  const auto part = [&](std::size_t id, bool works, const char* what) {
    if (works) text += concat({keyName(shell.keys.chosen[id]), ": ", what, ". "});
  };
  part(0, shell.keys.isRegistered(0), "Border Layout");
  part(1, shell.keys.isRegistered(1), "Grid Layout");
  part(2, shell.keys.chosen[2].isSet(), "end it");
  return text + TAKING_WINDOWS + TEXT_EDITING_KEYS;
}

constexpr char KEYS_DAMAGED_TITLE[] = "Keys not read";
constexpr char KEYS_DAMAGED_TEXT[] =
    " is empty or damaged. Tessellor uses its default keys until you choose keys: double-click this icon and click "
    "Keys...";

// The user's keys from keys.dat, read before any is registered; lines it could not read are named.
[[gnu::cold]] void loadChosenKeys(Shell& shell) {
  Platform& p = shell.platform;
  const std::optional<KeysFileContents> file = loadKeys(p);
  if (!file) return;
  shell.keys.chosen = file->keys;
  if (file->damaged) {
    const std::string text = concat({keysFilePath(p), KEYS_DAMAGED_TEXT});
    showTrayBalloon(shell, KEYS_DAMAGED_TITLE, text.c_str());
    return;
  }
  const std::vector<int>& lines = file->unreadLines;
  if (lines.empty()) return;
  std::vector<std::string> numbers;
  numbers.reserve(lines.size());
  for (int line : lines) numbers.push_back(std::to_string(line));
  const bool one = lines.size() == 1;
  const std::string text = concat(
      {one ? "Line " : "Lines ", listed(numbers), " of ", keysFilePath(p),
       " could not be read: ", one ? "its action keeps its default key" : "their actions keep their default keys",
       ". To choose keys, double-click this icon and click Keys..."});
  showTrayBalloon(shell, "Tessellor", text.c_str());
}
constexpr char DAMAGED_TITLE[] = "Settings not read";
constexpr char DAMAGED_TEXT[] =
    " is empty or damaged. Tessellor starts with its default settings and writes the file anew.";

}  // namespace

void showTrayIconFirst(Shell& shell, HWND dialog) {
  if (shell.trayIcon.hWnd != nullptr) return;  // shown already
  shell.appModule = shell.platform.GetModuleHandleA(nullptr);
  shell.mainDialog = dialog;
  NOTIFYICONDATAA& icon = shell.trayIcon;
  icon = NOTIFYICONDATAA{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = dialog;
  icon.uID = TRAY_ICON_ID;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_TRAYICON;
  icon.hIcon = shell.platform.LoadIconA(shell.appModule, MAKEINTRESOURCE(IDI_TESSELLOR));
  std::strncpy(icon.szTip, "Tessellor", sizeof icon.szTip - 1);
  showTrayIcon(shell);
}

// Once a process: small rather than fast.
[[gnu::cold]] void startUp(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  // The icon first: nothing else here is needed for it. It also carries the balloons that name the
  // keys that cannot be used.
  showTrayIconFirst(shell, dialog);
  p.GetModuleFileNameA(shell.appModule, shell.exePath, sizeof shell.exePath);
  shell.exePath[sizeof shell.exePath - 1] = '\0';  // a cut path is not terminated on older systems
  // After an update closed it, the Restart Manager starts it again; not after a crash, a hang or a
  // restart of Windows (the autostart value starts it at logon).
  p.RegisterApplicationRestart(nullptr, RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
  // Written on every start; the settings may turn it off again just below.
  enableAutostart(p, shell.exePath);
  clearMachineAutostart(p);
  p.setMyHook(dialog);
  // A save cut short by a crash or a kill leaves its temporary file; no later save can meet it.
  for (const std::string& file : {settingsPath(p), keysFilePath(p), restoreFilePath(p)}) {
    p.removeLeftoverTemporaries(file.c_str());
  }
  loadChosenKeys(shell);
  registerHotkeys(shell);
  // A second start posts the tray's double click here; from a process of lower integrity than an
  // elevated instance, the system would drop it.
  p.ChangeWindowMessageFilterEx(dialog, WM_TRAYICON, MSGFLT_ALLOW, nullptr);
  const SettingsLoad settings = loadSettings(p, dialog);
  if (settings.result == SettingsLoad::Result::Loaded) shell.savedSettings = dialogSettingsBytes(p, dialog);
  // New icons sit in the overflow area of the tray: without this, a first start looks like none.
  if (settings.result == SettingsLoad::Result::Missing)
    showTrayBalloon(shell, FIRST_RUN_TITLE, firstRunText(shell).c_str());
  if (settings.result == SettingsLoad::Result::Damaged) {
    showTrayBalloon(shell, DAMAGED_TITLE, (settings.path + DAMAGED_TEXT).c_str());
  }
  // Killed, crashed or closed while a layout held windows: offer to put them back.
  offerLastRunWindows(shell);
  // The shell's virtual desktop manager is made on first use, which takes a while (under Wine, where
  // there is none, 13 ms to find that out): used now, it does not hold up the first hotkey. So is
  // the library that tells a monitor's scale, loaded on first use.
  BOOL onShownDesktop = TRUE;
  p.IsWindowOnCurrentVirtualDesktop(dialog, &onShownDesktop);
  UINT dpiX = 0, dpiY = 0;
  p.GetDpiForMonitor(p.MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), MDT_EFFECTIVE_DPI, &dpiX, &dpiY);
  // Last: the icon shows before the start ends, and a status text marks that end to anyone
  // watching the dialog (the end-to-end control program waits for it).
  showSelectedLayout(shell, dialog);
}

}  // namespace tessellor
