#include "settings/Autostart.h"

#include <string>

namespace tessellor {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kValueName = "Tessellor";

void writeRunValue(Platform& platform, const std::string& data) {
  HKEY key = nullptr;
  if (platform.RegOpenKeyA(HKEY_CURRENT_USER, kRunKey, &key) != ERROR_SUCCESS) return;
  // The terminating zero is part of a REG_SZ value's data.
  platform.RegSetValueExA(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
  platform.RegCloseKey(key);
}

// Whether the machine-wide value exists with a non-empty string.
bool machineValueSet(Platform& platform) {
  HKEY key = nullptr;
  if (platform.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  bool set = platform.RegQueryValueExA(key, kValueName, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0;
  if (set) {
    std::string data(size, '\0');
    set = platform.RegQueryValueExA(key, kValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) ==
              ERROR_SUCCESS &&
          size > 0 && data[0] != '\0';
  }
  platform.RegCloseKey(key);
  return set;
}

}  // namespace

void enableAutostart(Platform& platform, const char* exePath) {
  std::string quoted(1, '"');
  quoted.append(exePath).push_back('"');
  writeRunValue(platform, quoted);
}

void disableAutostart(Platform& platform) { writeRunValue(platform, std::string()); }

void clearMachineAutostart(Platform& platform) {
  if (!machineValueSet(platform)) return;
  HKEY key = nullptr;
  // Needs administrator rights; without them the old value stays, and nothing is reported.
  if (platform.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  platform.RegSetValueExA(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  platform.RegCloseKey(key);
}

}  // namespace tessellor
