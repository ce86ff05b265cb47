// Starting and ending a layout, and following its monitor's work area.
#pragma once

#include "app/Shell.h"

namespace tessellor {

// Starts the Border Layout from LayoutNone (else does nothing), filled with the eligible windows when
// automatic adding is checked.
void startBorderLayout(Shell& shell);
// Whether a Grid Layout that starts without windows is arranged (and its metrics read back) anyway.
enum class GridStart { ArrangeAlways, ArrangeIfFilled };

// Starts the Grid Layout from LayoutNone; arranges it when it holds windows or when asked always to.
void startGridLayout(Shell& shell, GridStart arrange);
// Ends the active layout and puts its windows back where they were before it took them.
void stopLayout(Shell& shell);
// Ends the active layout and leaves every window where it is.
void dropLayout(Shell& shell);
// The area the running layout covers, or the one a layout started now would cover.
DesktopView& layoutArea(Shell& shell);
// Lets the active layout follow a change of screen size; places nothing when the size is unchanged.
void refreshLayout(Shell& shell);

}  // namespace tessellor
