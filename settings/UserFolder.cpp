#include "settings/UserFolder.h"

namespace tessellor {

std::string userFolder(Platform& platform) {
  char base[MAX_PATH] = {};
  if (platform.SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base) != S_OK) return {};
  base[MAX_PATH - 1] = '\0';
  if (base[0] == '\0') return {};
  return std::string(base) + "\\Tessellor";
}

void makeUserFolder(Platform& platform) {
  const std::string folder = userFolder(platform);
  if (!folder.empty()) platform.CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace tessellor
