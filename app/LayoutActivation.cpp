#include "app/LayoutActivation.h"

#include "app/MainDialog.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"
#include "settings/Eligibility.h"

namespace tessellor {

namespace {

bool autoAddChecked(Shell& shell) {
  return shell.platform.SendDlgItemMessageA(shell.mainDialog, IDC_AUTO_ADD, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void addEligibleWindows(Shell& shell) {
  if (autoAddChecked(shell)) shell.platform.EnumWindows(addWindowIfEligible, reinterpret_cast<LPARAM>(&shell));
}

void forgetSavedPlaces(Shell& shell) {
  shell.savedSides.clearPos();
  shell.savedSlots.clearPos();
}

}  // namespace

void startBorderLayout(Shell& shell) {
  if (shell.layoutMode != LayoutNone) return;
  shell.layoutMode = LayoutBorder;
  shell.borderLayout = std::make_unique<BorderLayout>(shell.platform, shell.borderWeights);
  addEligibleWindows(shell);
  showSelectedLayout(shell, shell.mainDialog);
}

void startGridLayout(Shell& shell, bool arrangeAlways) {
  if (shell.layoutMode != LayoutNone) return;
  shell.layoutMode = LayoutGrid;
  shell.gridLayout = std::make_unique<GridLayout>(shell.platform);
  addEligibleWindows(shell);
  if (arrangeAlways || !shell.gridLayout->isEmpty()) {
    shell.gridLayout->arrange();
    shell.gridLayout->rememberAllPlacedRects();
  }
  showSelectedLayout(shell, shell.mainDialog);
}

void stopLayout(Shell& shell) {
  if (shell.layoutMode == LayoutGrid) {
    shell.gridLayout->restoreAllWindows();
  } else if (shell.layoutMode == LayoutBorder) {
    shell.borderLayout->restoreAll();
  }
  // With the windows back, ending the layout is what "Disable Layout" does; without a layout, the
  // saved places are empty already and only the status text is written.
  dropLayout(shell);
}

void dropLayout(Shell& shell) {
  forgetSavedPlaces(shell);
  shell.borderLayout.reset();
  shell.gridLayout.reset();
  shell.layoutMode = LayoutNone;
  showSelectedLayout(shell, shell.mainDialog);
}

void refreshLayout(Shell& shell) {
  if (shell.layoutMode == LayoutBorder) {
    shell.borderLayout->refreshMetrics();
  } else if (shell.layoutMode == LayoutGrid) {
    shell.gridLayout->refreshMetrics();
  }
}

}  // namespace tessellor
