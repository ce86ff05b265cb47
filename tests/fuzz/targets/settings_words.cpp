// libFuzzer: any bytes as settings.dat. The reader must split them into words without reading past
// them, and what the settings would write back must read as the same settings. The same bytes,
// split at NUL bytes, are also a list of entries: every list the program can hold (entries neither
// empty nor holding a line end) must read back the same once written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsFile.h"

namespace {

using tessellor::Settings;

constexpr std::string_view kWhitespace(" \t\r\n\v\f\0", 7);

void checkWords(std::string_view bytes) {
  for (const tessellor::SettingsWord& word : tessellor::settingsWords(bytes)) {
    if (word.text.empty()) std::abort();
    // A plain word ends at whitespace; a quoted one at its line's end.
    const std::string_view ends = word.quoted ? std::string_view("\r\n\0", 3) : kWhitespace;
    if (word.text.find_first_of(ends) != std::string::npos) std::abort();
  }
}

void checkReadBack(const Settings& settings) {
  const std::string bytes = tessellor::settingsBytes(settings.excluded, settings.autoAdd, settings.noStart);
  if (tessellor::readSettings(bytes) != settings) std::abort();
}

// The list these bytes name: its flags in the first byte, its entries between NUL bytes.
Settings listOf(std::string_view bytes) {
  Settings list;
  if (bytes.empty()) return list;
  list.autoAdd = (bytes[0] & 1) != 0;
  list.noStart = (bytes[0] & 2) != 0;
  bytes.remove_prefix(1);
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\0'), bytes.size());
    const std::string_view entry = bytes.substr(0, end);
    if (!entry.empty() && entry.find_first_of("\r\n") == std::string_view::npos) list.excluded.emplace_back(entry);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return list;
}

// Entries that need no quotes are written as they always were.
void checkPlainEntries(const Settings& list) {
  for (const std::string& entry : list.excluded) {
    const bool plain = entry != "auto" && entry != "nostart" && entry.find_first_of(kWhitespace) == std::string::npos &&
                       entry.find('"') == std::string::npos;
    if (plain && tessellor::settingsEntry(entry) != entry) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkWords(bytes);
  checkReadBack(tessellor::readSettings(bytes));
  const Settings list = listOf(bytes);
  checkReadBack(list);
  checkPlainEntries(list);
  return 0;
}
