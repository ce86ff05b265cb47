#include "settings/Autostart.h"

#include <string>

namespace tessellor {

namespace {

void writeRunValue(Platform& platform, const std::string& data) {
  HKEY key = nullptr;
  if (platform.RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", &key) !=
      ERROR_SUCCESS) {
    return;
  }
  // The terminating zero is part of a REG_SZ value's data.
  platform.RegSetValueExA(key, "Tessellor", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
  platform.RegCloseKey(key);
}

}  // namespace

void enableAutostart(Platform& platform, const char* exePath) {
  std::string quoted(1, '"');
  quoted.append(exePath).push_back('"');
  writeRunValue(platform, quoted);
}

void disableAutostart(Platform& platform) { writeRunValue(platform, std::string()); }

}  // namespace tessellor
