#include "settings/SettingsFile.h"

#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/UserFolder.h"

namespace tessellor {

namespace {

bool isSeparator(char c) {
  // NUL counts as a separator too: a list item cannot hold one.
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == '\0';
}

bool isChecked(Platform& platform, HWND dialog, int id) {
  return platform.SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::string> listItems(Platform& platform, HWND dialog) {
  std::vector<std::string> items;
  for (WPARAM index = 0;; ++index) {
    const LRESULT length = platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) break;
    std::string item(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_GETTEXT, index,
                                                        reinterpret_cast<LPARAM>(item.data()));
    if (copied == LB_ERR) break;
    item.resize(static_cast<std::size_t>(copied));
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace

std::vector<std::string> settingsWords(std::string_view bytes) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < bytes.size()) {
    while (i < bytes.size() && isSeparator(bytes[i])) ++i;
    const std::size_t start = i;
    while (i < bytes.size() && !isSeparator(bytes[i])) ++i;
    if (i > start) words.emplace_back(bytes.substr(start, i - start));
  }
  return words;
}

std::string settingsBytes(const std::vector<std::string>& excluded, bool autoAdd, bool noStart) {
  std::string bytes;
  for (const std::string& item : excluded) bytes += item + "\r\n";
  if (autoAdd) bytes += "auto\r\n";
  if (noStart) bytes += "nostart\r\n";
  return bytes.empty() ? std::string("\r\n") : bytes;
}

bool isDamagedSettings(std::string_view bytes) { return bytes.empty() || bytes.find('\0') != std::string_view::npos; }

std::string settingsPath(Platform& platform) {
  const std::string folder = userFolder(platform);
  return folder.empty() ? std::string(SETTINGS_FILE) : folder + "\\" + SETTINGS_FILE;
}

SettingsLoad loadSettings(Platform& platform, HWND dialog) {
  std::string bytes;
  SettingsLoad load;
  load.path = settingsPath(platform);
  // Until the per-user file exists, the one an earlier version kept in the working directory counts.
  if (!platform.readWholeFile(load.path.c_str(), bytes)) {
    load.path = SETTINGS_FILE;
    if (!platform.readWholeFile(SETTINGS_FILE, bytes)) return load;
  }
  // Such a file was cut short on its way to the disk; any word of it may be garbage.
  load.result = isDamagedSettings(bytes) ? SettingsLoad::Result::Damaged : SettingsLoad::Result::Loaded;
  if (load.result == SettingsLoad::Result::Damaged) return load;
  for (const std::string& word : settingsWords(bytes)) {
    if (word == "auto") {
      platform.SendDlgItemMessageA(dialog, IDC_AUTO_ADD, BM_SETCHECK, BST_CHECKED, 0);
    } else if (word == "nostart") {
      platform.SendDlgItemMessageA(dialog, IDC_NO_AUTOSTART, BM_SETCHECK, BST_CHECKED, 0);
      disableAutostart(platform);
    } else {
      platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
    }
  }
  return load;
}

std::string dialogSettingsBytes(Platform& platform, HWND dialog) {
  return settingsBytes(listItems(platform, dialog), isChecked(platform, dialog, IDC_AUTO_ADD),
                       isChecked(platform, dialog, IDC_NO_AUTOSTART));
}

bool saveSettings(Platform& platform, HWND dialog) {
  const std::string bytes = dialogSettingsBytes(platform, dialog);
  makeUserFolder(platform);
  return platform.replaceFile(settingsPath(platform).c_str(), bytes);
}

}  // namespace tessellor
