// The hook library's window events, handed to the running layout.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Hands a hook-library event ("UWM_SIZING", "UWM_CLOSE", "UWM_MINMAX") to the active layout.
// False when the message is none of the three; only called while a layout is active.
bool dispatchWindowEvent(Shell& shell, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tessellor
