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
    const RECT fitted = ontoAMonitor(shell.platform, entry.place.normal);
    if (fitted == entry.place.normal) continue;
    originals->updatePlacement(entry.hwnd, KeptPlacement{fitted, entry.place.maximized});
  }
}

}  // namespace tessellor
