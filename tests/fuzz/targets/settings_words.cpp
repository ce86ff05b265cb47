// libFuzzer: any bytes as settings.dat. The reader must split them into words without reading past
// them, and what the settings would write back must read as the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsFile.h"

namespace {

struct Settings {
  std::vector<std::string> excluded;
  bool autoAdd = false;
  bool noStart = false;
};

Settings read(std::string_view bytes) {
  Settings s;
  for (std::string& word : tessellor::settingsWords(bytes)) {
    if (word.empty() || word.find_first_of(std::string_view(" \t\r\n\v\f\0", 7)) != std::string::npos) std::abort();
    if (word == "auto") {
      s.autoAdd = true;
    } else if (word == "nostart") {
      s.noStart = true;
    } else {
      s.excluded.push_back(std::move(word));
    }
  }
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Settings first = read(std::string_view(reinterpret_cast<const char*>(data), size));
  const Settings again = read(tessellor::settingsBytes(first.excluded, first.autoAdd, first.noStart));
  if (again.excluded != first.excluded || again.autoAdd != first.autoAdd || again.noStart != first.noStart) {
    std::abort();
  }
  return 0;
}
