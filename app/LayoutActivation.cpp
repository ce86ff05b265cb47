#include "app/LayoutActivation.h"

#include <cstdint>

#include "app/AutoAdd.h"
#include "app/LatePlacements.h"
#include "app/MainDialog.h"
#include "app/desktop/PlacesOnMonitors.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/Hotkeys.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"

namespace tessellor {

namespace {

bool autoAddChecked(Shell& shell) {
  return shell.platform.SendDlgItemMessageA(shell.mainDialog, IDC_AUTO_ADD, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void addWindowsIfAutomatic(Shell& shell) {
  if (autoAddChecked(shell)) addEligibleWindows(shell);
}

// The layout takes the monitor the user works on: the foreground window's, else the primary one.
void chooseMonitor(Shell& shell) {
  Platform& p = shell.platform;
  HWND foreground = p.GetForegroundWindow();
  shell.desktop.useMonitor(foreground != nullptr ? p.MonitorFromWindow(foreground, MONITOR_DEFAULTTONEAREST) : nullptr);
}

// What follows the layout mode: the keys that act in it, and the status text. Done once the
// event's windows are placed: no key can be handled before, and the windows wait for nothing.
void followMode(Shell& shell) { shell.modeToFollow = true; }

void forgetSavedPlaces(Shell& shell) {
  shell.savedSides.clearPos();
  shell.savedSlots.clearPos();
}

}  // namespace

void startBorderLayout(Shell& shell) {
  if (shell.layoutMode() != LayoutNone) return;
  chooseMonitor(shell);
  takeShownDesktop(shell);
  shell.layout.start(std::make_unique<BorderLayout>(shell.placements, shell.borderWeights, &shell.placements.screen()));
  addWindowsIfAutomatic(shell);
  followMode(shell);
}

void startGridLayout(Shell& shell, GridStart arrange) {
  if (shell.layoutMode() != LayoutNone) return;
  chooseMonitor(shell);
  takeShownDesktop(shell);
  GridLayout& grid = *shell.layout.start(std::make_unique<GridLayout>(shell.placements, &shell.placements.screen()));
  addWindowsIfAutomatic(shell);
  if (arrange == GridStart::ArrangeAlways || !grid.isEmpty()) {
    grid.arrange();
    grid.rememberAllPlacedRects();
  }
  followMode(shell);
}

void stopLayout(Shell& shell) {
  moveFirstPlacesOntoMonitors(shell);
  if (GridLayout* grid = shell.gridLayout()) {
    grid->restoreAllWindows();
  } else if (BorderLayout* border = shell.borderLayout()) {
    border->restoreAll();
  }
  // With the windows back, ending the layout is what "Disable Layout" does; without a layout, the
  // saved places are empty already and only the status text is written.
  dropLayout(shell);
}

void dropLayout(Shell& shell) {
  // What the layout asked for in this event is not made: its windows stay where they stand, or go
  // back where they were kept.
  shell.placements.cancelViewTargets();
  if (!shell.lateWindows.empty()) shell.platform.KillTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER);
  shell.lateWindows.clear();
  forgetSavedPlaces(shell);
  forgetTakenWindows(shell);
  shell.layout.end();
  followMode(shell);
}

DesktopView& layoutArea(Shell& shell) {
  if (shell.layoutMode() == LayoutNone) chooseMonitor(shell);
  return shell.desktop;
}

void refreshLayout(Shell& shell) {
  if (shell.layoutMode() == LayoutNone) return;
  const DesktopView::Change change = shell.desktop.refresh();
  // The engines follow a new size themselves; a moved area of the same size is placed anew here.
  if (BorderLayout* border = shell.borderLayout()) {
    border->refreshMetrics();
    if (change == DesktopView::Change::Moved) border->applyLayout();
  } else if (GridLayout* grid = shell.gridLayout()) {
    grid->refreshMetrics();
    if (change == DesktopView::Change::Moved) grid->arrange();
  }
}

}  // namespace tessellor
