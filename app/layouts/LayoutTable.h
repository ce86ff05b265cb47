// The table of running layouts: which layout holds a window, which one a monitor holds on a
// virtual desktop, which one the keys act on, and starting and ending one.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The layout whose cells hold the window, or null.
RunningLayout* layoutHolding(const Shell& shell, HWND hwnd);
// The layout that holds the window or keeps its place for a restore (a Border Layout that gave it
// up at a minimise or maximise), or null.
RunningLayout* layoutKeeping(const Shell& shell, HWND hwnd);
// The layout of that monitor on that virtual desktop, or null.
RunningLayout* layoutOn(const Shell& shell, HMONITOR monitor, const GUID& desktop);

// The monitor the user works on: the foreground window's (nearest), else the primary one.
HMONITOR workingMonitor(Shell& shell);

// The layout a key acts on: with one layout running, that one, wherever the foreground window is;
// with more, the one of the working monitor on the desktop shown, or null.
RunningLayout* layoutForKeys(Shell& shell);

// Before a window joins the current layout: no other layout keeps a record of it any more, and the
// place it had before the first layout took it comes along (Ctrl+Backspace and "Put windows back"
// put it there); then the restore journal remembers where it stands, if it has no such place.
void prepareToTake(Shell& shell, HWND hwnd);

// A new layout of the working monitor on the desktop shown, of no kind yet; null when that monitor
// holds one there already.
RunningLayout* addLayout(Shell& shell);
// Takes the layout out of the table; it is freed at the end of the event (the code that ended it
// may still hold it), and answers LayoutNone meanwhile.
void retireLayout(Shell& shell, RunningLayout* layout);
// Frees the retired layouts: the event is over.
void freeRetiredLayouts(Shell& shell);

}  // namespace tessellor
