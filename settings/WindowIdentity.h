// What tells a window from a later one that was given its handle: handles are reused once a window
// is gone, so a handle alone never names the same window across a restart of the program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace tessellor {

struct WindowIdentity {
  HWND hwnd = nullptr;
  DWORD processId = 0;
  std::uint64_t processStart = 0;  // FILETIME of the process's creation; 0 when it cannot be read
  std::string windowClass;
  friend bool operator==(const WindowIdentity&, const WindowIdentity&) = default;
};

// The FILETIME of the process's creation, or 0 when it cannot be read.
std::uint64_t readProcessStart(Platform& platform, DWORD processId);

// The living window's identity now; nothing for a handle that is no window.
std::optional<WindowIdentity> readWindowIdentity(Platform& platform, HWND hwnd);

// Whether the handle still names the window it named when `kept` was read.
bool isSameWindow(Platform& platform, const WindowIdentity& kept);

}  // namespace tessellor
