#include "app/SavedFiles.h"

#include "app/TrayBalloon.h"
#include "settings/SettingsFile.h"

namespace tessellor {

void saveSettingsOnChange(Shell& shell, HWND dialog) {
  Platform& p = shell.platform;
  std::string bytes = dialogSettingsBytes(p, dialog);
  // A notification that changed nothing (a focus change of a BS_NOTIFY box, a refused name) writes nothing.
  if (shell.savedSettings == bytes) return;
  const bool saved = saveSettings(p, dialog);
  if (saved) shell.savedSettings = std::move(bytes);
  reportSave(shell, settingsPath(p), saved, "Settings not saved", "Your changes hold until Tessellor ends.");
}

void reportSave(Shell& shell, const std::string& path, bool saved, const char* title, const char* meaning) {
  if (saved) {
    shell.failedSaves.erase(path);
    return;
  }
  if (!shell.failedSaves.insert(path).second) return;  // said already
  if (!shell.saidFailedThisEvent.insert(path).second) return;
  const std::string text = "Tessellor could not write " + path + ". " + meaning;
  showTrayBalloon(shell, title, text.c_str());
}

}  // namespace tessellor
