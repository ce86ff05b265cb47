// Whether the user is in a program that wants every key: a game, a video or a slide show in front.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// True while the foreground window fills its monitor without a title bar, or the shell says that a
// full-screen program, a Direct3D game or a presentation runs. The desktop and the Start menu, which
// fill the screen too, do not count. Places nothing.
bool fullScreenInFront(Shell& shell);

}  // namespace tessellor
