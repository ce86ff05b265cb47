#include "settings/ApplicationWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tessellor {

namespace {

Elevation tokenElevation(Platform& p, HANDLE process) {
  HANDLE token = nullptr;
  if (!p.OpenProcessToken(process, TOKEN_QUERY, &token)) return Elevation::Unknown;
  TOKEN_ELEVATION elevation{};
  DWORD returned = 0;
  const bool ok = p.GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &returned) != FALSE;
  p.CloseHandle(token);
  if (!ok) return Elevation::Unknown;
  return elevation.TokenIsElevated != 0 ? Elevation::Yes : Elevation::No;
}

// The largest SID there is (SECURITY_MAX_SID_SIZE), after the record that points to it.
constexpr std::size_t kLabelBufferSize = sizeof(TOKEN_MANDATORY_LABEL) + 68;

std::optional<DWORD> labelLevel(Platform& p, HANDLE token) {
  alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[kLabelBufferSize] = {};
  DWORD returned = 0;
  if (!p.GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &returned)) return std::nullopt;
  TOKEN_MANDATORY_LABEL label{};
  std::memcpy(&label, buffer, sizeof label);
  // The SID must lie in what was written: revision, count, six bytes of authority, subauthorities.
  const std::size_t written = std::min<std::size_t>(returned, sizeof buffer);
  const std::size_t at = reinterpret_cast<std::uintptr_t>(label.Label.Sid) - reinterpret_cast<std::uintptr_t>(buffer);
  if (at < sizeof label || at > written || written - at < 8) return std::nullopt;
  BYTE* const sid = buffer + at;
  const BYTE count = *p.GetSidSubAuthorityCount(sid);
  if (count == 0 || written - at - 8 < std::size_t{sizeof(DWORD)} * count) return std::nullopt;
  DWORD level = 0;
  std::memcpy(&level, p.GetSidSubAuthority(sid, count - 1u), sizeof level);
  return level;
}

std::optional<Integrity> tokenIntegrity(Platform& p, HANDLE process) {
  HANDLE token = nullptr;
  if (!p.OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  const std::optional<DWORD> level = labelLevel(p, token);
  DWORD uiAccess = 0;
  DWORD returned = 0;
  const bool hasUiAccess =
      level && p.GetTokenInformation(token, TokenUIAccess, &uiAccess, sizeof uiAccess, &returned) && uiAccess != 0;
  p.CloseHandle(token);
  if (!level) return std::nullopt;
  return Integrity{*level, hasUiAccess};
}

}  // namespace

bool isCloakedWindow(Platform& p, HWND hwnd) {
  DWORD cloaked = 0;
  // Fails where there is no compositor to ask (Wine, older systems): nothing is cloaked there.
  return p.DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked) == S_OK && cloaked != 0;
}

bool isOnShownDesktop(Platform& p, HWND hwnd) {
  BOOL on = TRUE;
  return p.IsWindowOnCurrentVirtualDesktop(hwnd, &on) != S_OK || on != FALSE;
}

bool isTaskbarKind(Platform& p, HWND hwnd) {
  const LONG_PTR exStyle = p.GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  if ((exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0) return false;
  // Owned windows are dialogs and palettes of their owner, unless they ask for a taskbar button.
  return p.GetWindow(hwnd, GW_OWNER) == nullptr || (exStyle & WS_EX_APPWINDOW) != 0;
}

bool isApplicationWindow(Platform& p, HWND hwnd) { return !isCloakedWindow(p, hwnd) && isTaskbarKind(p, hwnd); }

bool mayMoveWindow(Platform& p, HWND hwnd) {
  DWORD processId = 0;
  if (p.GetWindowThreadProcessId(hwnd, &processId) == 0) return true;
  // The limited right is the one a process of a higher level still grants to a lower one.
  HANDLE process = p.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return true;
  const std::optional<Integrity> window = tokenIntegrity(p, process);
  const Elevation elevation = window ? Elevation::Unknown : tokenElevation(p, process);
  p.CloseHandle(process);
  if (window) {
    const std::optional<Integrity> self = tokenIntegrity(p, p.GetCurrentProcess());
    return !self || !outranks(*window, *self);
  }
  if (elevation != Elevation::Yes) return true;
  return !outranks(elevation, tokenElevation(p, p.GetCurrentProcess()));
}

}  // namespace tessellor
