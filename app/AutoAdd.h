// A layout that starts with "Add automatically windows to layout" checked takes the open windows.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Adds every eligible window of the layout's monitor to the layout that has just started, in z-order.
// The Border Layout puts the foreground window in the Centre, or the topmost window it takes when it
// does not take the foreground one, and deals the others round the bands from nextSide.
void addEligibleWindows(Shell& shell);

}  // namespace tessellor
