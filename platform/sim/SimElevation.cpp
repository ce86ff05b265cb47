// Integrity levels: a process run as administrator lets the program open it only for limited
// queries, and its token says that it is elevated. The program's own process is not elevated.
#include <cstdint>
#include <cstring>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

// What GetCurrentProcess answers on Windows: a pseudo handle that needs no closing.
const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(~std::uintptr_t{0});
constexpr std::uintptr_t kFirstToken = 0x7C000000;

}  // namespace

bool SimDesktop::processElevated(DWORD pid) const {
  const Window* w = processWindow(pid);
  return w != nullptr && w->desc.elevated;
}

HANDLE SimDesktop::GetCurrentProcess() { return kCurrentProcess; }

BOOL SimDesktop::OpenProcessToken(HANDLE process, DWORD /*access*/, HANDLE* token) {
  if (token == nullptr) return FALSE;
  bool elevated = false;
  if (process != kCurrentProcess) {
    const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(process);
    if (!openProcesses_.contains(handle)) return FALSE;
    elevated = processElevated(processOfHandle(process));
  }
  const std::uintptr_t handle = kFirstToken + ++nextToken_;
  openTokens_[handle] = elevated;
  *token = reinterpret_cast<HANDLE>(handle);
  return TRUE;
}

BOOL SimDesktop::GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) {
  auto it = openTokens_.find(reinterpret_cast<std::uintptr_t>(token));
  if (it == openTokens_.end() || infoClass != TokenElevation) return FALSE;
  if (returned != nullptr) *returned = sizeof(TOKEN_ELEVATION);
  if (info == nullptr || length < sizeof(TOKEN_ELEVATION)) return FALSE;
  const TOKEN_ELEVATION elevation{it->second ? 1u : 0u};
  std::memcpy(info, &elevation, sizeof elevation);
  return TRUE;
}

}  // namespace tessellor::sim
