// Windows whose placement did not answer within the wait (a busy program, a console): each takes
// its place once it answers, and is read back then, so that a band it would not fit still widens.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// The timer of the main dialog that looks at them meanwhile.
inline constexpr UINT_PTR LATE_PLACEMENTS_TIMER = 1;

// After the current layout's placements: its windows that did not answer are looked at again later.
void noteLatePlacements(Shell& shell, const PlacementOutcome& outcome);

// After the windows put back: one that did not answer in time raises and activates itself once it
// does, over the one meant to end in front, which then gets the front back.
void noteLatePutBacks(Shell& shell, const PlacementOutcome& outcome);

// At the start of each event, and on the timer: each late window that has taken its placement is
// read back by its layout, which may widen a band and place again. The timer stops once none waits.
void readBackAnsweredWindows(Shell& shell);

}  // namespace tessellor
