// The entry point and the message loop.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The entry point: creates the hidden main dialog and runs the message loop until WM_QUIT (or an
// error from GetMessageA). Returns the quit message's wParam.
int WinMain(Platform& platform, const HookMessages& messages, HINSTANCE instance, HINSTANCE previous, char* commandLine,
            int showCommand);

}  // namespace tessellor
