#include "app/desktop/PlacesOnMonitors.h"

#include <vector>

#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "platform/MonitorFit.h"

namespace tessellor {

void moveFirstPlacesOntoMonitors(Shell& shell) {
  PlacementTable* originals = nullptr;
  if (BorderLayout* border = shell.borderLayout()) originals = &border->originalRects;
  if (GridLayout* grid = shell.gridLayout()) originals = &grid->originalRects;
  if (originals == nullptr) return;
  // The table is read whole first: updating an entry while walking it is not allowed.
  const std::vector<WNDPLACE> entries = originals->entries();
  for (const WNDPLACE& entry : entries) {
    // The layouts keep places in the layout's area; monitors are in screen coordinates.
    const RECT screen = shell.desktop.screenRect(entry.hwnd, entry.place.normal);
    const RECT fitted = ontoAMonitor(shell.platform, screen);
    if (fitted == screen) continue;
    originals->updatePlacement(entry.hwnd,
                               KeptPlacement{shell.desktop.layoutRect(entry.hwnd, fitted), entry.place.maximized});
  }
}

}  // namespace tessellor
