// The settings file "settings.dat": the excluded programs, "auto" and "nostart", a word a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tessellor {

inline constexpr const char* SETTINGS_FILE = "settings.dat";

// The file lives in %LOCALAPPDATA%\Tessellor; in the working directory when that folder cannot be
// named.

// Fills the excluded-programs list and the two option boxes of the main dialog from the file, or
// while it does not exist from the working directory's one; a missing file leaves the defaults.
// "nostart" also turns the autostart value off. False when neither file could be read.
bool loadSettings(Platform& platform, HWND dialog);
// Writes the dialog's settings to the file, replacing it whole or not at all; makes the folder when
// missing and never touches the working directory's file.
void saveSettings(Platform& platform, HWND dialog);

// The file's words: runs of anything but whitespace and NUL bytes.
std::vector<std::string> settingsWords(std::string_view bytes);
// The file's bytes for these settings, each line ended by CR LF.
std::string settingsBytes(const std::vector<std::string>& excluded, bool autoAdd, bool noStart);

}  // namespace tessellor
