#include "settings/WindowIdentity.h"

namespace tessellor {

std::uint64_t readProcessStart(Platform& platform, DWORD processId) {
  // The limited right is all a process of another user or a higher integrity level grants.
  HANDLE process = platform.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return 0;
  FILETIME created{}, exited{}, kernel{}, user{};
  const bool read = platform.GetProcessTimes(process, &created, &exited, &kernel, &user) != FALSE;
  platform.CloseHandle(process);
  return read ? (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime : 0;
}

std::optional<WindowIdentity> readWindowIdentity(Platform& platform, HWND hwnd) {
  if (hwnd == nullptr || !platform.IsWindow(hwnd)) return std::nullopt;
  WindowIdentity id;
  id.hwnd = hwnd;
  if (platform.GetWindowThreadProcessId(hwnd, &id.processId) == 0) return std::nullopt;
  id.processStart = readProcessStart(platform, id.processId);
  char name[MAX_CLASS_NAME + 1] = {};
  // Every window has a class: none read is a failed read, and an identity without it would never
  // match the window again.
  if (platform.GetClassNameA(hwnd, name, sizeof name) == 0) return std::nullopt;
  name[MAX_CLASS_NAME] = '\0';
  id.windowClass = name;
  return id;
}

bool isSameWindow(Platform& platform, const WindowIdentity& kept) {
  const std::optional<WindowIdentity> now = readWindowIdentity(platform, kept.hwnd);
  return now && *now == kept;
}

}  // namespace tessellor
