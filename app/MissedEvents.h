// Windows whose events never came: a hook message lost from a full queue, or a program that sends
// none (under Wine, no real program's window does). The layout learns of them from their state.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Before an event that may place the layouts' windows: each window a layout holds and has seen
// standing in its cell (but `except`, which the event is about, and a window whose placement is
// still on its way) is looked at. One found gone, minimised, maximised, hidden or on another virtual
// desktop is treated as if its event had come first; one that stands elsewhere than the layout put
// it, as a drag that ended there. So the next key heals the layout. A layout whose desktop is away
// is left as it is.
void catchUpWithHeldWindows(Shell& shell, HWND except = nullptr);

// The same for one window of the current layout: true when it was handled as its missed event.
bool catchUpWith(Shell& shell, HWND hwnd);

}  // namespace tessellor
