// keys.dat, the keys the user chose: an action and its key a line, as "border Ctrl+Alt+B" or
// "stop none", each line ended by CR LF. Kept apart from settings.dat, whose earlier readers would
// take every line of it that is not a keyword for an excluded program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/keys/Hotkeys.h"

namespace tessellor {

inline constexpr const char* KEYS_FILE = "keys.dat";

struct KeysFileContents {
  HotkeyKeys keys = defaultKeys();
  std::vector<int> unreadLines;  // numbered from 1, in order
  // Empty, as a write cut short or a file too large or unreadable reads: every action keeps its default.
  bool damaged = false;
};

// Each line that can be read gives its action's key; the last such line of an action counts. A line
// that cannot be read (no action of that name, a key without a name, one without Ctrl or Alt, one
// that an action before it has) leaves its action on its default key, and where that default is
// another action's key, without a key. Blank lines and lines that start with '#' are skipped.
KeysFileContents readKeysFile(std::string_view bytes);
// Every action's line, in id order.
std::string keysFileBytes(const HotkeyKeys& keys);

// Where the file is: %LOCALAPPDATA%\Tessellor\keys.dat, or the working directory's when that folder
// cannot be named.
std::string keysFilePath(Platform& platform);
// The file's keys, or nothing when there is none to read.
std::optional<KeysFileContents> loadKeys(Platform& platform);
// Writes the file whole or not at all, making the folder when missing; false when it could not.
bool saveKeys(Platform& platform, const HotkeyKeys& keys);

}  // namespace tessellor
