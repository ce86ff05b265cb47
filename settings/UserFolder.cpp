#include "settings/UserFolder.h"

namespace tessellor {

[[gnu::cold]] std::string userFolder(Platform& platform) {
  char base[MAX_PATH] = {};
  if (platform.SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base) != S_OK) return {};
  base[MAX_PATH - 1] = '\0';
  if (base[0] == '\0') return {};
  return std::string(base) + "\\Tessellor";
}

[[gnu::cold]] std::string userFilePath(Platform& platform, const char* name) {
  const std::string folder = userFolder(platform);
  return folder.empty() ? std::string(name) : folder + "\\" + name;
}

[[gnu::cold]] bool makeUserFolder(Platform& platform) {
  const std::string folder = userFolder(platform);
  if (folder.empty()) return false;
  return platform.CreateDirectoryA(folder.c_str(), nullptr) != FALSE || platform.GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace tessellor
