// One placement call of a batch that the program makes for one event (Platform::placeWindows).
#pragma once

#include "platform/win_types.h"

namespace tessellor {

struct WindowMove {
  enum class Call { SetWindowPlacement, SetWindowPos };

  Call call = Call::SetWindowPos;
  HWND hwnd = nullptr;
  WINDOWPLACEMENT placement{};  // SetWindowPlacement: the whole record, rcNormalPosition in screen coordinates
  HWND insertAfter = nullptr;   // SetWindowPos: its arguments
  int x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
  // In the window system's own coordinates already (a window put back where it was kept): no view
  // of the desktop converts it.
  bool screen = false;

  // Filled in by placeWindows: the call's result and GetLastError after it (0 on success); whether
  // the window answered in time, or was left a posted (asynchronous) placement that it takes once
  // it answers again, in which case the result is TRUE.
  BOOL result = FALSE;
  DWORD error = 0;
  bool answered = true;

  // A SetWindowPos that raises or activates, or a SetWindowPlacement whose show command activates:
  // it runs after every move before it, in order, so that the window made active last is the one
  // asked for last.
  bool ordered() const {
    if (call == Call::SetWindowPlacement) {
      const int show = static_cast<int>(placement.showCmd);
      return show == SW_SHOWNORMAL || show == SW_SHOWMINIMIZED || show == SW_MAXIMIZE || show == SW_SHOW ||
             show == SW_RESTORE || show == SW_SHOWDEFAULT;
    }
    return (flags & (SWP_NOZORDER | SWP_NOACTIVATE)) != (SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Whether the move makes the window the active one.
  bool activates() const { return call == Call::SetWindowPlacement ? ordered() : (flags & SWP_NOACTIVATE) == 0; }
};

}  // namespace tessellor
