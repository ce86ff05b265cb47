#include "app/keys/KeysFile.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "app/Text.h"
#include "settings/UserFolder.h"

namespace tessellor {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::size_t> actionNamed(std::string_view word) {
  for (const Hotkey& row : hotkeys) {
    if (sameLetters(word, row.word)) return static_cast<std::size_t>(row.id);
  }
  return std::nullopt;
}

bool takenBefore(const HotkeyKeys& keys, std::size_t id, HotkeyKey key) {
  return std::find(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(id), key) !=
         keys.begin() + static_cast<std::ptrdiff_t>(id);
}

}  // namespace

[[gnu::cold]] KeysFileContents readKeysFile(std::string_view bytes) {
  KeysFileContents contents;
  // A save always writes every action's line: an empty file was cut short.
  contents.damaged = bytes.empty();
  if (contents.damaged) return contents;
  std::array<int, HOTKEY_COUNT> lineOf{};  // the line that gave the key; 0: the default
  std::array<bool, HOTKEY_COUNT> damaged{};
  int number = 0;
  for (std::size_t start = 0; start <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    const std::vector<std::string_view> words = wordsOf(line);
    if (words.empty() || words[0].front() == '#') continue;
    const std::optional<std::size_t> id = actionNamed(words[0]);
    const std::optional<HotkeyKey> key = words.size() == 2 ? parseKeyName(words[1]) : std::nullopt;
    if (!id || !key || (key->isSet() && !isUsableKey(*key))) {
      contents.unreadLines.push_back(number);
      if (id) damaged[*id] = true;
      continue;
    }
    contents.keys[*id] = *key;
    lineOf[*id] = number;
  }
  const HotkeyKeys defaults = defaultKeys();
  for (std::size_t id = 0; id < HOTKEY_COUNT; ++id) {
    if (damaged[id]) contents.keys[id] = defaults[id];
    if (!contents.keys[id].isSet() || !takenBefore(contents.keys, id, contents.keys[id])) continue;
    // Two actions cannot share a key: the later one has its default, or none.
    if (lineOf[id] != 0 && !damaged[id]) contents.unreadLines.push_back(lineOf[id]);
    contents.keys[id] = takenBefore(contents.keys, id, defaults[id]) ? NO_KEY : defaults[id];
  }
  std::sort(contents.unreadLines.begin(), contents.unreadLines.end());
  return contents;
}

[[gnu::cold]] std::string keysFileBytes(const HotkeyKeys& keys) {
  std::string bytes;
  for (const Hotkey& row : hotkeys) {
    bytes += concat({row.word, " ", keyName(keys[static_cast<std::size_t>(row.id)]), "\r\n"});
  }
  return bytes;
}

std::string keysFilePath(Platform& platform) { return userFilePath(platform, KEYS_FILE); }

[[gnu::cold]] std::optional<KeysFileContents> loadKeys(Platform& platform) {
  std::string bytes;
  if (!platform.readWholeFile(keysFilePath(platform).c_str(), bytes)) return std::nullopt;
  return readKeysFile(bytes);
}

[[gnu::cold]] bool saveKeys(Platform& platform, const HotkeyKeys& keys) {
  makeUserFolder(platform);  // a failure shows in the write
  return platform.replaceFile(keysFilePath(platform).c_str(), keysFileBytes(keys), Platform::Durability::PowerCut);
}

}  // namespace tessellor
