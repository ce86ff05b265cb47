// A layout belongs to the virtual desktop shown when it started. Switching desktops cloaks one
// desktop's windows and uncloaks the other's, and the hook reports that as windows hidden and
// shown again; these tell such a switch from a window that leaves or joins.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The virtual desktop shown, as the foreground window or our own dialog tells it (null: none to tell).
GUID shownDesktop(Shell& shell);
// Whether two desktop ids name one desktop (a null id matches every desktop).
bool sameDesktop(const GUID& a, const GUID& b);

// The window is on the virtual desktop shown: raising it would not switch desktops.
bool windowOnShownDesktop(Shell& shell, HWND hwnd);

// The layout's desktop is shown: its keys act and its windows may be placed.
bool layoutDesktopShown(Shell& shell, const RunningLayout& layout);

// The window is on the layout's desktop, and that desktop is shown.
bool onLayoutDesktop(Shell& shell, const RunningLayout& layout, HWND hwnd);

// What a hook event for the window is to the layout, as far as virtual desktops tell.
enum class DesktopEvent {
  Window,  // the window's own: the layout sees it
  Switch,  // the shell cloaked or uncloaked it for a desktop switch, or a window of another desktop
           // appeared: the layout must not see it
  Left,    // a window away with the layout's desktop came back on another one, moved there by the
           // user: it leaves the layout, as a window moved to another desktop does
};
DesktopEvent desktopEventOf(Shell& shell, RunningLayout& layout, UINT message, HWND hwnd, WORD showCommand);

}  // namespace tessellor
