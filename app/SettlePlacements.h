// The end of every event: the placements the layout asked for are made, once a window, and the
// layout learns where the windows really went.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Makes the event's placements. A held window found minimised, maximised, hidden or gone, which
// the layout never heard of (a hook message lost, a program that sends none), is first treated as
// if its event had come. Then the layout reads the windows back, and may widen a band for a window
// that would not be as thin, which places that band's windows once more. While the layout's
// virtual desktop is not shown, nothing is placed: the placements wait for its return.
void settlePlacements(Shell& shell);

}  // namespace tessellor
