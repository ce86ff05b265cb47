#include <algorithm>

#include "layout/border/BorderBands.h"
#include "layout/readWindowRect.h"

namespace tessellor {

int BorderLayout::sideOf(HWND hwnd) const {
  // An empty Centre holds a null handle; it must not claim a null window.
  if (hwnd == nullptr) return NoSide;
  for (const int side : {North, West, East, South}) {
    const std::list<layWND>& band = *bandList(*this, side);
    if (std::find(band.begin(), band.end(), hwnd) != band.end()) return side;
  }
  return centre == hwnd ? Centre : NoSide;
}

int BorderLayout::indexInSide(HWND hwnd, int side) const {
  const std::list<layWND>* band = bandList(*this, side);
  if (band == nullptr) return -1;
  // A band of six answers -1 for all its windows: such a window that is minimised comes back at the
  // end of its band, and its border window never moves the neighbour's boundary.
  if (band->size() == 6) return -1;
  int index = 0;
  for (const layWND& record : *band) {
    if (record == hwnd) return index;
    ++index;
  }
  return -1;
}

std::list<layWND> BorderLayout::windowsInSide(int side) const {
  if (const std::list<layWND>* band = bandList(*this, side)) return *band;
  if (side == Centre) return {centre};
  return {};
}

bool BorderLayout::rectChanged(HWND hwnd) {
  RECT now{};
  readWindowRect(platform_, hwnd, &now);
  RECT placed{};
  // Without a recorded placement there is nothing the window could have been dragged away from.
  if (!placedRects.findRect(hwnd, &placed)) return false;
  return now.left != placed.left && now.top != placed.top && now.right != placed.right && now.bottom != placed.bottom;
}

std::vector<HWND> BorderLayout::heldWindows() const {
  std::vector<HWND> out;
  for (const int side : {North, West, East, South}) {
    for (const layWND& record : *bandList(*this, side)) out.push_back(record.hwnd);
  }
  if (centre.hwnd != nullptr) out.push_back(centre.hwnd);
  return out;
}

}  // namespace tessellor
