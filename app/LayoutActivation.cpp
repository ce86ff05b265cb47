#include "app/LayoutActivation.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/AutoAdd.h"
#include "app/LatePlacements.h"
#include "app/MainDialog.h"
#include "app/TrayBalloon.h"
#include "app/desktop/PlacesOnMonitors.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "app/keys/Hotkeys.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "layout/placement.h"
#include "resources/resource_ids.h"

namespace tessellor {

namespace {

bool autoAddChecked(Shell& shell) {
  return shell.platform.SendDlgItemMessageA(shell.mainDialog, IDC_AUTO_ADD, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void addWindowsIfAutomatic(Shell& shell) {
  if (autoAddChecked(shell)) addEligibleWindows(shell);
}

// What follows the layout modes: the keys that act in them, before the event's windows are placed,
// and the status text, once they are.
void followMode(Shell& shell) { shell.modeToFollow = true; }

// A layout that took no window says so, once a run: "Add automatically windows to layout" is
// unchecked at first, and a new user pressing Ctrl+Alt+B sees nothing move.
void sayIfEmpty(Shell& shell) {
  if (shell.toldEmptyStart || !shell.current->engine.heldWindows().empty()) return;
  const char* text = autoAddChecked(shell)
                         ? "The layout found no window it takes on this monitor. Send the window in front with "
                           "Alt+arrows."
                         : "The layout took no window: \"Add automatically windows to layout\" is unchecked. Send "
                           "the window in front with Alt+arrows, or click here and check that box to take every "
                           "window.";
  shell.toldEmptyStart = showTrayBalloon(shell, "The layout is empty", text, Balloon::OpenDialog);
}

// The current layout's windows back where they were kept, each on a monitor that is there, as
// Ctrl+Backspace puts them but raising or activating none: the user did not ask for it.
void putBackUnasked(Shell& shell) {
  moveFirstPlacesOntoMonitors(shell);
  const PlacementTable* originals = nullptr;
  if (const BorderLayout* border = shell.borderLayout()) originals = &border->originalRects;
  if (const GridLayout* grid = shell.gridLayout()) originals = &grid->originalRects;
  if (originals == nullptr) return;
  for (HWND hwnd : shell.current->engine.heldWindows()) {
    KeptPlacement kept;
    if (originals->findPlacement(hwnd, &kept) && !IsRectEmpty(&kept.normal))
      putBackUnraised(shell.putBacks, hwnd, kept);
  }
}

template <class Layout, class... Args>
Layout* startLayout(Shell& shell, Args&&... args) {
  RunningLayout* layout = addLayout(shell);
  if (layout == nullptr) return nullptr;  // the monitor holds one on this desktop
  shell.current = layout;
  followMode(shell);
  Layout* started = layout->engine.start(std::make_unique<Layout>(layout->placements, std::forward<Args>(args)...));
  // Its keys act from now on: one pressed while its windows are still being placed waits in the
  // queue until they are, and never reaches the program in front.
  registerHotkeys(shell);
  return started;
}

}  // namespace

void startBorderLayout(Shell& shell) {
  if (startLayout<BorderLayout>(shell, shell.borderWeights, &shell.putBacks) == nullptr) return;
  addWindowsIfAutomatic(shell);
  sayIfEmpty(shell);
}

void startGridLayout(Shell& shell, GridStart arrange) {
  GridLayout* grid = startLayout<GridLayout>(shell, &shell.putBacks);
  if (grid == nullptr) return;
  addWindowsIfAutomatic(shell);
  sayIfEmpty(shell);
  if (arrange == GridStart::ArrangeAlways || !grid->isEmpty()) {
    grid->arrange();
    grid->rememberAllPlacedRects();
  }
}

void stopLayout(Shell& shell) {
  if (shell.current == nullptr) return;
  moveFirstPlacesOntoMonitors(shell);
  if (GridLayout* grid = shell.gridLayout()) {
    grid->restoreAllWindows();
  } else if (BorderLayout* border = shell.borderLayout()) {
    border->restoreAll();
  }
  // With the windows back, ending the layout is what "Disable Layout" does.
  dropLayout(shell);
}

void dropLayout(Shell& shell) {
  RunningLayout* layout = shell.current;
  if (layout == nullptr) return;
  // What the layout asked for in this event is not made: its windows stay where they stand, or go
  // back where they were kept.
  layout->placements.cancelViewTargets();
  forgetTakenWindows(shell, *layout);
  const bool hadLate = !layout->lateWindows.empty();
  retireLayout(shell, layout);
  const bool lateLeft =
      !shell.latePutBacks.empty() || std::any_of(shell.layouts.begin(), shell.layouts.end(),
                                                 [](const auto& running) { return !running->lateWindows.empty(); });
  if (hadLate && !lateLeft) shell.platform.KillTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER);
  followMode(shell);
}

void dropAllLayouts(Shell& shell) {
  while (!shell.layouts.empty()) {
    ActingOn acting(shell, shell.layouts.back().get());
    dropLayout(shell);
  }
  // Without a layout, only the status text is written.
  followMode(shell);
}

DesktopView& layoutArea(Shell& shell) {
  if (shell.current != nullptr) return shell.current->view;
  shell.prospect.useMonitor(workingMonitor(shell));
  return shell.prospect;
}

void refreshLayouts(Shell& shell) {
  std::vector<RunningLayout*> layouts;
  for (const auto& layout : shell.layouts) layouts.push_back(layout.get());
  for (RunningLayout* layout : layouts) {
    const ActingOn acting(shell, layout);
    const HMONITOR before = layout->monitor();
    const DesktopView::Change change = layout->view.refresh();
    // Its monitor gone, the layout moved to the primary one; where the primary holds a layout on its
    // desktop already, it ends instead, its windows put back.
    if (layout->monitor() != before) {
      const RunningLayout* there = layoutOn(shell, layout->monitor(), layout->desktop);
      if (there != nullptr && there != layout) {
        putBackUnasked(shell);
        dropLayout(shell);
        continue;
      }
    }
    // The engines follow a new size themselves; a moved area of the same size is placed anew here.
    if (BorderLayout* border = shell.borderLayout()) border->refreshMetrics();
    if (GridLayout* grid = shell.gridLayout()) grid->refreshMetrics();
    if (change == DesktopView::Change::Moved) layout->engine.placeAll();
  }
}

}  // namespace tessellor
