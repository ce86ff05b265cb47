// What kind of window a layout may take, beside the tests of title and program.
#pragma once

#include "platform/Platform.h"

namespace tessellor {

// True for a window that shows as an application on the taskbar: not cloaked (another virtual
// desktop, a suspended app), not a tool or no-activate window, and unowned unless it asks for a
// taskbar button of its own. Places nothing.
bool isApplicationWindow(Platform& platform, HWND hwnd);
// Its parts: cloaked for the compositor; on the virtual desktop shown (where there is no manager to
// ask, every window is); of the kind the taskbar shows.
bool isCloakedWindow(Platform& platform, HWND hwnd);
bool isOnShownDesktop(Platform& platform, HWND hwnd);
bool isTaskbarKind(Platform& platform, HWND hwnd);

// True unless the window's process runs above Tessellor's own integrity level, where every move
// Tessellor asks for would be refused. A process that cannot be asked counts as movable: a refused
// placement tells later.
bool mayMoveWindow(Platform& platform, HWND hwnd);

// A process's integrity level (the last subauthority of its token's label) and its UIAccess.
struct Integrity {
  DWORD level = 0;
  bool uiAccess = false;
};
// The rule of User Interface Privilege Isolation: a higher level refuses us, and so does UIAccess
// that we lack at a level not below ours.
constexpr bool outranks(Integrity window, Integrity self) {
  return window.level > self.level || (window.uiAccess && !self.uiAccess && window.level >= self.level);
}

// Where no level can be read, elevation alone tells: only an elevated window under a Tessellor that
// is not refuses us. An elevation that could not be read (Unknown) never refuses.
enum class Elevation { No, Yes, Unknown };
constexpr bool outranks(Elevation window, Elevation self) { return window == Elevation::Yes && self == Elevation::No; }

// Both tests: a window that a layout may take and then place.
inline bool isTileableWindow(Platform& platform, HWND hwnd) {
  return isApplicationWindow(platform, hwnd) && mayMoveWindow(platform, hwnd);
}

}  // namespace tessellor
