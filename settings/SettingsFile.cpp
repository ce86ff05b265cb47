#include "settings/SettingsFile.h"

#include <algorithm>

#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/UserFolder.h"

namespace tessellor {

namespace {

bool isSeparator(char c) {
  // NUL counts as a separator too: a list item cannot hold one.
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == '\0';
}

// A NUL byte ends a quoted word too: a list item cannot hold one.
bool isLineEnd(char c) { return c == '\n' || c == '\r' || c == '\0'; }

bool isChecked(Platform& platform, HWND dialog, int id) {
  return platform.SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

std::vector<std::string> excludedEntries(Platform& platform, HWND dialog) {
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

std::vector<SettingsWord> settingsWords(std::string_view bytes) {
  std::vector<SettingsWord> words;
  std::size_t i = 0;
  while (i < bytes.size()) {
    while (i < bytes.size() && isSeparator(bytes[i])) ++i;
    if (i == bytes.size()) break;
    if (bytes[i] != '"') {
      const std::size_t start = i;
      while (i < bytes.size() && !isSeparator(bytes[i])) ++i;
      words.push_back({std::string(bytes.substr(start, i - start)), false});
      continue;
    }
    // Without its closing quote the word ends with its line, so that one lost quote costs one entry.
    std::string text;
    for (++i; i < bytes.size() && !isLineEnd(bytes[i]); ++i) {
      if (bytes[i] == '"') {
        ++i;
        break;
      }
      if (bytes[i] == '\\' && i + 1 < bytes.size() && (bytes[i + 1] == '"' || bytes[i + 1] == '\\')) ++i;
      text += bytes[i];
    }
    if (!text.empty()) words.push_back({std::move(text), true});
  }
  return words;
}

Settings readSettings(std::string_view bytes) {
  Settings settings;
  for (SettingsWord& word : settingsWords(bytes)) {
    if (!word.quoted && word.text == "auto") {
      settings.autoAdd = true;
    } else if (!word.quoted && word.text == "nostart") {
      settings.noStart = true;
    } else {
      settings.excluded.push_back(std::move(word.text));
    }
  }
  return settings;
}

std::string settingsEntry(std::string_view entry) {
  // An entry spelt as an option would come back as the option: quoted, it stays an entry.
  const bool quoted = entry == "auto" || entry == "nostart" ||
                      std::any_of(entry.begin(), entry.end(), [](char c) { return isSeparator(c) || c == '"'; });
  if (!quoted) return std::string(entry);
  std::string text = "\"";
  for (const char c : entry) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  return text + '"';
}

std::string settingsBytes(const std::vector<std::string>& excluded, bool autoAdd, bool noStart) {
  std::string bytes;
  for (const std::string& item : excluded) bytes += settingsEntry(item) + "\r\n";
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
  const Settings settings = readSettings(bytes);
  for (const std::string& entry : settings.excluded) {
    platform.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  if (settings.autoAdd) platform.SendDlgItemMessageA(dialog, IDC_AUTO_ADD, BM_SETCHECK, BST_CHECKED, 0);
  if (settings.noStart) {
    platform.SendDlgItemMessageA(dialog, IDC_NO_AUTOSTART, BM_SETCHECK, BST_CHECKED, 0);
    disableAutostart(platform);
  }
  return load;
}

std::string dialogSettingsBytes(Platform& platform, HWND dialog) {
  return settingsBytes(excludedEntries(platform, dialog), isChecked(platform, dialog, IDC_AUTO_ADD),
                       isChecked(platform, dialog, IDC_NO_AUTOSTART));
}

bool saveSettings(Platform& platform, HWND dialog) {
  const std::string bytes = dialogSettingsBytes(platform, dialog);
  makeUserFolder(platform);
  return platform.replaceFile(settingsPath(platform).c_str(), bytes, Platform::Durability::PowerCut);
}

}  // namespace tessellor
