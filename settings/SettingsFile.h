// The settings file "settings.dat": the excluded list, "auto" and "nostart", a word a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tessellor {

inline constexpr const char* SETTINGS_FILE = "settings.dat";

// The file lives in %LOCALAPPDATA%\Tessellor; in the working directory when that folder cannot be
// named.
// The per-user file's path; SETTINGS_FILE in the working directory when that folder cannot be named.
std::string settingsPath(Platform& platform);

// What loading found: no file, settings, or a file that cannot be settings (empty, or holding NUL
// bytes, as a power cut during a write leaves one), whose path is `path`.
struct SettingsLoad {
  enum class Result { Missing, Loaded, Damaged };
  Result result = Result::Missing;
  std::string path;
};

// Fills the excluded-programs list and the two option boxes of the main dialog from the file, or
// while it does not exist from the working directory's one; a missing or damaged file leaves the
// defaults. "nostart" also turns the autostart value off.
SettingsLoad loadSettings(Platform& platform, HWND dialog);
// The items of the main dialog's excluded list, in its order.
std::vector<std::string> excludedEntries(Platform& platform, HWND dialog);
// The bytes the dialog's settings make now.
std::string dialogSettingsBytes(Platform& platform, HWND dialog);
// Writes the dialog's settings to settingsPath, replacing the file whole or not at all; makes the
// folder when missing and never touches the working directory's file. False when it was not written.
bool saveSettings(Platform& platform, HWND dialog);

// Whether these bytes are no settings file that was ever written whole: empty, or holding NUL bytes.
bool isDamagedSettings(std::string_view bytes);

// One word of the file. A quoted word is always an entry of the excluded list, never an option.
struct SettingsWord {
  std::string text;
  bool quoted = false;
  bool operator==(const SettingsWord&) const = default;
};
// The file's words: runs of anything but whitespace and NUL bytes, or a word in double quotes (\"
// and \\ standing for a quote and a backslash), which ends at its closing quote or its line's end.
// "" is no word.
std::vector<SettingsWord> settingsWords(std::string_view bytes);

// What a file holds.
struct Settings {
  std::vector<std::string> excluded;
  bool autoAdd = false;
  bool noStart = false;
  bool operator==(const Settings&) const = default;
};
Settings readSettings(std::string_view bytes);

// How an entry is written: as it is, or in double quotes when it holds whitespace or a quote, or
// would read back as an option.
std::string settingsEntry(std::string_view entry);
// The file's bytes for these settings, each line ended by CR LF. No settings at all make one empty
// line: an empty file is always a damaged one.
std::string settingsBytes(const std::vector<std::string>& excluded, bool autoAdd, bool noStart);

}  // namespace tessellor
