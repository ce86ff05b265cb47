#include "layout/border/BorderBands.h"
#include "layout/placement.h"

namespace tessellor {

void BorderLayout::restoreAll() {
  const auto restore = [this](HWND hwnd) {
    KeptPlacement kept;
    // A window that was minimised when it joined has no usable rectangle: it stays where it is.
    if (!originalRects.findPlacement(hwnd, &kept) || IsRectEmpty(&kept.normal)) return;
    // Each window is raised and activated in turn, so the last one restored ends on top.
    putBackInTurn(keptPlaces_, hwnd, kept);
  };
  for (const int side : {North, West, East, South}) {
    for (const layWND& record : *bandList(*this, side)) restore(record.hwnd);
  }
  if (centre.hwnd != nullptr) restore(centre.hwnd);
}

}  // namespace tessellor
