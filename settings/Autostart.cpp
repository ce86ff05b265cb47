#include "settings/Autostart.h"

#include <algorithm>
#include <cctype>
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

void removeAutostartOf(Platform& platform, const char* exePath) {
  HKEY key = nullptr;
  if (platform.RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  DWORD size = 0;
  DWORD type = 0;
  std::string data;
  if (platform.RegQueryValueExA(key, kValueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
      size > 0) {
    data.assign(size, '\0');
    if (platform.RegQueryValueExA(key, kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
      data.clear();
    }
    data.resize(std::min<std::size_t>(size, data.size()));
  }
  // Stored with or without its terminating zero, and in quotes when this program wrote it.
  data = data.substr(0, data.find('\0'));
  if (data.size() >= 2 && data.front() == '"' && data.back() == '"') data = data.substr(1, data.size() - 2);
  const std::string path = exePath;
  const bool names =
      !data.empty() && data.size() == path.size() &&
      std::equal(data.begin(), data.end(), path.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      });
  if (names) platform.RegDeleteValueA(key, kValueName);
  platform.RegCloseKey(key);
}

void clearMachineAutostart(Platform& platform) {
  if (!machineValueSet(platform)) return;
  HKEY key = nullptr;
  // Needs administrator rights; without them the old value stays, and nothing is reported.
  if (platform.RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  platform.RegSetValueExA(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  platform.RegCloseKey(key);
}

}  // namespace tessellor
