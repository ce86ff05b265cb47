#include "settings/ApplicationWindow.h"

namespace tessellor {

namespace {

bool isCloaked(Platform& p, HWND hwnd) {
  DWORD cloaked = 0;
  // Fails where there is no compositor to ask (Wine, older systems): nothing is cloaked there.
  return p.DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked) == S_OK && cloaked != 0;
}

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

Elevation windowElevation(Platform& p, HWND hwnd) {
  DWORD processId = 0;
  if (p.GetWindowThreadProcessId(hwnd, &processId) == 0) return Elevation::Unknown;
  // The limited right is the one an elevated process still grants to a lower one.
  HANDLE process = p.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return Elevation::Unknown;
  const Elevation elevation = tokenElevation(p, process);
  p.CloseHandle(process);
  return elevation;
}

}  // namespace

bool isApplicationWindow(Platform& p, HWND hwnd) {
  if (isCloaked(p, hwnd)) return false;
  const LONG_PTR exStyle = p.GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  if ((exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0) return false;
  // Owned windows are dialogs and palettes of their owner, unless they ask for a taskbar button.
  return p.GetWindow(hwnd, GW_OWNER) == nullptr || (exStyle & WS_EX_APPWINDOW) != 0;
}

bool mayMoveWindow(Platform& p, HWND hwnd) {
  const Elevation window = windowElevation(p, hwnd);
  // Asked only about elevated windows: the common case costs no look at our own token.
  if (window != Elevation::Yes) return true;
  return !outranks(window, tokenElevation(p, p.GetCurrentProcess()));
}

}  // namespace tessellor
