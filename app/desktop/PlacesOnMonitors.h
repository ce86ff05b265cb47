// Windows are put back onto a monitor that is there.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Before the running layout puts its windows back: every first place that no monitor holds any
// part of any more (its monitor was unplugged or switched off) moves onto the nearest monitor, so
// that no window goes back where the user cannot reach it. A maximised window is maximised there.
void moveFirstPlacesOntoMonitors(Shell& shell);

}  // namespace tessellor
