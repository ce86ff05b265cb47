// Starting and ending layouts, and following their monitors' work areas.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Starts a Border Layout on the monitor the user works on, on the desktop shown, when none runs
// there (else does nothing), filled with the eligible windows when automatic adding is checked.
void startBorderLayout(Shell& shell);
// Whether a Grid Layout that starts without windows is arranged (and its metrics read back) anyway.
enum class GridStart { ArrangeAlways, ArrangeIfFilled };

// Starts a Grid Layout as startBorderLayout does; arranges it when it holds windows or when asked always to.
void startGridLayout(Shell& shell, GridStart arrange);
// Ends the current layout and puts its windows back where they were before a layout took them.
void stopLayout(Shell& shell);
// Ends the current layout and leaves every window where it is.
void dropLayout(Shell& shell);
// Ends every layout, leaving every window where it is.
void dropAllLayouts(Shell& shell);
// The area the current layout covers, or the one a layout started now would cover.
DesktopView& layoutArea(Shell& shell);
// Lets every layout follow a change of its monitor's work area; places nothing where it is unchanged.
void refreshLayouts(Shell& shell);

}  // namespace tessellor
