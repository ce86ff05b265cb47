// Integrity levels: a process above the program's level (run as administrator, as SYSTEM, or with
// UIAccess) lets the program open it only for limited queries, and refuses every move of its
// windows with ERROR_ACCESS_DENIED. The program's own process runs at medium, not elevated, without
// UIAccess.
#include <cstdint>
#include <cstring>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

// What GetCurrentProcess answers on Windows: a pseudo handle that needs no closing.
const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(~std::uintptr_t{0});
constexpr std::uintptr_t kFirstToken = 0x7C000000;
constexpr DWORD kProgram = 0;  // the process a token of the program's own stands for
constexpr DWORD SE_GROUP_INTEGRITY = 0x20;
// S-1-16-LEVEL: revision, one subauthority, the mandatory label authority, the level.
constexpr std::size_t kLabelSidSize = 12;

}  // namespace

DWORD WindowSpec::integrityLevel() const {
  if (integrity != 0) return integrity;
  return elevated ? SECURITY_MANDATORY_HIGH_RID : SECURITY_MANDATORY_MEDIUM_RID;
}

bool WindowSpec::outranksProgram() const { return integrityLevel() > SECURITY_MANDATORY_MEDIUM_RID || uiAccess; }

bool SimDesktop::processElevated(DWORD pid) const {
  const Window* w = processWindow(pid);
  return w != nullptr && (w->desc.elevated || w->desc.integrityLevel() >= SECURITY_MANDATORY_HIGH_RID);
}

bool SimDesktop::processOutranks(DWORD pid) const {
  const Window* w = processWindow(pid);
  return w != nullptr && w->desc.outranksProgram();
}

BOOL SimDesktop::refuse(const Window* w) {
  lastError_ = w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_ACCESS_DENIED;
  return FALSE;
}

BOOL SimDesktop::refuse(const Window* w, PlacementCall& call) {
  call.denied = w != nullptr;
  return refuse(w);
}

HANDLE SimDesktop::GetCurrentProcess() { return kCurrentProcess; }

BOOL SimDesktop::OpenProcessToken(HANDLE process, DWORD /*access*/, HANDLE* token) {
  if (token == nullptr) return FALSE;
  DWORD pid = kProgram;
  if (process != kCurrentProcess) {
    const std::uintptr_t handle = reinterpret_cast<std::uintptr_t>(process);
    if (!openProcesses_.contains(handle)) return FALSE;
    pid = processOfHandle(process);
  }
  const std::uintptr_t handle = kFirstToken + ++nextToken_;
  openTokens_[handle] = pid;
  *token = reinterpret_cast<HANDLE>(handle);
  return TRUE;
}

BOOL SimDesktop::GetTokenInformation(HANDLE token, int infoClass, void* info, DWORD length, DWORD* returned) {
  auto it = openTokens_.find(reinterpret_cast<std::uintptr_t>(token));
  if (it == openTokens_.end()) return FALSE;
  const Window* w = it->second == kProgram ? nullptr : processWindow(it->second);
  const bool elevated = it->second != kProgram && processElevated(it->second);
  const DWORD level = w != nullptr ? w->desc.integrityLevel() : SECURITY_MANDATORY_MEDIUM_RID;
  const DWORD uiAccess = w != nullptr && w->desc.uiAccess ? 1 : 0;
  // As on Windows: too small a buffer fails after saying the size it needs.
  const auto answer = [&](const void* bytes, DWORD size) {
    if (returned != nullptr) *returned = size;
    if (info == nullptr || length < size) return FALSE;
    std::memcpy(info, bytes, size);
    return TRUE;
  };
  if (infoClass == TokenElevation) {
    const TOKEN_ELEVATION elevation{elevated ? 1u : 0u};
    return answer(&elevation, sizeof elevation);
  }
  if (infoClass == TokenUIAccess) return answer(&uiAccess, sizeof uiAccess);
  if (infoClass != TokenIntegrityLevel) return FALSE;
  // The label's SID lives in the caller's buffer, right after the record that points to it.
  BYTE bytes[sizeof(TOKEN_MANDATORY_LABEL) + kLabelSidSize] = {};
  const BYTE sid[kLabelSidSize - sizeof(DWORD)] = {1, 1, 0, 0, 0, 0, 0, 16};
  std::memcpy(bytes + sizeof(TOKEN_MANDATORY_LABEL), sid, sizeof sid);
  std::memcpy(bytes + sizeof(TOKEN_MANDATORY_LABEL) + sizeof sid, &level, sizeof level);
  TOKEN_MANDATORY_LABEL label{};
  label.Label.Sid = static_cast<BYTE*>(info) + sizeof(TOKEN_MANDATORY_LABEL);
  label.Label.Attributes = SE_GROUP_INTEGRITY;
  std::memcpy(bytes, &label, sizeof label);
  return answer(bytes, sizeof bytes);
}

// A SID is revision, count, six bytes of authority, then the subauthorities: nothing is checked,
// as Windows checks nothing.
BYTE* SimDesktop::GetSidSubAuthorityCount(PSID sid) { return static_cast<BYTE*>(sid) + 1; }

DWORD* SimDesktop::GetSidSubAuthority(PSID sid, DWORD index) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the SID is bytes laid out as Windows lays them
  return reinterpret_cast<DWORD*>(static_cast<BYTE*>(sid) + 8 + std::size_t{sizeof(DWORD)} * index);
}

}  // namespace tessellor::sim
