// The user's session: files, the two Run keys, the local application data folder, the last error,
// message filters and named mutexes.
#include <string>

#include "platform/TemporaryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kFirstMutex = 0x7C000000;

}  // namespace

// ---- Files --------------------------------------------------------------------------------------

bool SimDesktop::readWholeFile(const char* path, std::string& bytes) {
  if (path == nullptr) return false;
  std::optional<std::string> stored = files_.read(path);
  if (!stored) return false;
  // Too large to be ours: read as the damage it is.
  bytes = stored->size() > kMostFileBytes ? std::string() : std::move(*stored);
  return true;
}

bool SimDesktop::replaceFile(const char* path, std::string_view bytes, Durability /*durability*/) {
  if (path == nullptr || killed_) return false;
  // Written beside the file under a name of the program's own; a leftover of that name is passed by.
  std::string temporary;
  do {
    temporary = temporaryName(path, GetCurrentProcessId(), ++temporaries_);
  } while (files_.exists(temporary));
  if (!files_.write(temporary, bytes)) return false;
  const bool replaced = files_.write(path, bytes);
  files_.remove(temporary);
  return replaced;
}

bool SimDesktop::removeLeftoverTemporaries(const char* path) {
  if (path == nullptr || killed_) return false;
  for (const std::string& name : files_.filesStartingWith(path)) {
    if (!isTemporaryOf(SimFiles::key(path), name) || files_.writtenAt(name) > programStartWrites_) continue;
    files_.clearReadonly(name);
    files_.erase(name);
  }
  return true;
}

BOOL SimDesktop::DeleteFileA(const char* path) {
  lastError_ = path == nullptr ? ERROR_PATH_NOT_FOUND : killed_ ? ERROR_ACCESS_DENIED : files_.erase(path);
  return lastError_ == 0 ? TRUE : FALSE;
}

BOOL SimDesktop::CreateDirectoryA(const char* path, void* /*security*/) {
  lastError_ = path == nullptr ? ERROR_PATH_NOT_FOUND : killed_ ? ERROR_ACCESS_DENIED : files_.makeFolder(path);
  return lastError_ == 0 ? TRUE : FALSE;
}

HRESULT SimDesktop::SHGetFolderPathA(HWND /*owner*/, int csidl, HANDLE /*token*/, DWORD /*flags*/, char* path) {
  // The high byte carries flags such as CSIDL_FLAG_CREATE.
  if (path == nullptr || (csidl & 0xFF) != CSIDL_LOCAL_APPDATA) return E_INVALIDARG;
  copyText(SimFiles::kLocalAppData, path, MAX_PATH);
  return S_OK;
}

// ---- Registry -----------------------------------------------------------------------------------

LONG SimDesktop::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  return registry_.open(key, subKey, true, true, result);
}

LONG SimDesktop::RegOpenKeyExA(HKEY key, const char* subKey, DWORD /*options*/, REGSAM access, HKEY* result) {
  return registry_.open(key, subKey, (access & KEY_SET_VALUE) != 0, false, result);
}

LONG SimDesktop::RegSetValueExA(HKEY key, const char* valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                                DWORD size) {
  if (killed_) return ERROR_ACCESS_DENIED;
  return registry_.set(key, valueName, type, data, size);
}

LONG SimDesktop::RegQueryValueExA(HKEY key, const char* valueName, DWORD* /*reserved*/, DWORD* type, BYTE* data,
                                  DWORD* size) {
  return registry_.query(key, valueName, type, data, size);
}

LONG SimDesktop::RegCloseKey(HKEY key) { return registry_.close(key); }

std::optional<std::string> SimDesktop::registryValue(const std::string& name) const {
  auto it = registry_.user.values.find(name);
  if (it == registry_.user.values.end()) return std::nullopt;
  return it->second.data;
}

// ---- Messages between integrity levels, and named objects ----------------------------------------

BOOL SimDesktop::ChangeWindowMessageFilterEx(HWND hwnd, UINT message, DWORD action, void* /*filterStatus*/) {
  if (find(hwnd) == nullptr) return FALSE;
  messageFilters_.push_back(MessageFilter{hwnd, message, action});
  return TRUE;
}

HANDLE SimDesktop::CreateMutexA(void* /*security*/, BOOL /*initialOwner*/, const char* name) {
  const std::string key = name != nullptr ? name : "";
  auto it = key.empty() ? mutexes_.end() : mutexes_.find(key);
  if (it != mutexes_.end()) {
    lastError_ = ERROR_ALREADY_EXISTS;
    return reinterpret_cast<HANDLE>(it->second);
  }
  lastError_ = 0;
  const std::uintptr_t handle = kFirstMutex + ++mutexSerial_;
  if (!key.empty()) mutexes_[key] = handle;
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace tessellor::sim
