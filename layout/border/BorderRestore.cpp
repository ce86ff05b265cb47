#include "layout/border/BorderBands.h"
#include "layout/border/truncToPixel.h"

namespace tessellor {

void BorderLayout::restoreAll() {
  const auto restore = [this](HWND hwnd) {
    RECT rect{};
    // A window that was minimised when it joined has no usable rectangle: it stays where it is.
    if (!originalRects.findRect(hwnd, &rect) || IsRectEmpty(&rect)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    platform_.GetWindowPlacement(hwnd, &placement);
    placement.rcNormalPosition = rect;
    placement.showCmd = SW_SHOWNORMAL;
    platform_.SetWindowPlacement(hwnd, &placement);
    // Flags 0 also raise and activate each window in turn, so the last one restored ends on top.
    platform_.SetWindowPos(hwnd, HWND_TOP, rect.left, rect.top,
                           truncToPixel(static_cast<double>(rect.right) - rect.left),
                           truncToPixel(static_cast<double>(rect.bottom) - rect.top), 0);
  };
  for (const int side : {North, West, East, South}) {
    for (const layWND& record : *bandList(*this, side)) restore(record.hwnd);
  }
  if (centre.hwnd != nullptr) restore(centre.hwnd);
}

}  // namespace tessellor
