#include "settings/SettingsFile.h"

#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/UserFolder.h"

namespace tessellor {

namespace {

bool isSeparator(char c) {
  // NUL counts as a separator too: a list item cannot hold one, and a damaged file must still load.
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
  return bytes;
}

bool loadSettings(Platform& platform, HWND dialog) {
  std::string bytes;
  const std::string folder = userFolder(platform);
  // Until the per-user file exists, the one an earlier version kept in the working directory counts.
  const bool read = (!folder.empty() && platform.readWholeFile((folder + "\\" + SETTINGS_FILE).c_str(), bytes)) ||
                    platform.readWholeFile(SETTINGS_FILE, bytes);
  if (!read) return false;
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
  return true;
}

void saveSettings(Platform& platform, HWND dialog) {
  const std::string bytes = settingsBytes(listItems(platform, dialog), isChecked(platform, dialog, IDC_AUTO_ADD),
                                          isChecked(platform, dialog, IDC_NO_AUTOSTART));
  const std::string folder = userFolder(platform);
  if (folder.empty()) {
    platform.replaceFile(SETTINGS_FILE, bytes);
    return;
  }
  platform.CreateDirectoryA(folder.c_str(), nullptr);  // fails harmlessly when it exists
  platform.replaceFile((folder + "\\" + SETTINGS_FILE).c_str(), bytes);
}

}  // namespace tessellor
