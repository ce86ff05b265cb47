#include "app/LayoutActivation.h"

#include "app/AutoAdd.h"
#include "app/Hotkeys.h"
#include "app/MainDialog.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"

namespace tessellor {

namespace {

bool autoAddChecked(Shell& shell) {
  return shell.platform.SendDlgItemMessageA(shell.mainDialog, IDC_AUTO_ADD, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void addEligibleWindows(Shell& shell) {
  if (autoAddChecked(shell)) shell.platform.EnumWindows(addWindowIfEligible, reinterpret_cast<LPARAM>(&shell));
}

// What follows the layout mode: the keys that act in it, and the status text.
void followMode(Shell& shell) {
  registerHotkeysFor(shell, shell.layoutMode());
  showSelectedLayout(shell, shell.mainDialog);
}

void forgetSavedPlaces(Shell& shell) {
  shell.savedSides.clearPos();
  shell.savedSlots.clearPos();
}

}  // namespace

void startBorderLayout(Shell& shell) {
  if (shell.layoutMode() != LayoutNone) return;
  shell.layout.start(std::make_unique<BorderLayout>(shell.platform, shell.borderWeights));
  addEligibleWindows(shell);
  followMode(shell);
}

void startGridLayout(Shell& shell, GridStart arrange) {
  if (shell.layoutMode() != LayoutNone) return;
  GridLayout& grid = *shell.layout.start(std::make_unique<GridLayout>(shell.platform));
  addEligibleWindows(shell);
  if (arrange == GridStart::ArrangeAlways || !grid.isEmpty()) {
    grid.arrange();
    grid.rememberAllPlacedRects();
  }
  followMode(shell);
}

void stopLayout(Shell& shell) {
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
  forgetSavedPlaces(shell);
  shell.layout.end();
  followMode(shell);
}

void refreshLayout(Shell& shell) {
  if (BorderLayout* border = shell.borderLayout()) {
    border->refreshMetrics();
  } else if (GridLayout* grid = shell.gridLayout()) {
    grid->refreshMetrics();
  }
}

}  // namespace tessellor
