#include <algorithm>

#include "platform/win_types.h"

#include "layout/border/BorderPinwheel.h"

namespace tessellor {

bool BorderLayout::swapWithCentre(layWND win, int side) {
  if (win.hwnd == centre.hwnd) return true;
  if (!isBand(side)) return false;
  std::list<layWND>& band = *bandList(*this, side);
  bool found = false;
  layWND formerCentre;
  for (auto it = band.begin(); it != band.end(); ++it) {
    if (*it != win) continue;
    // The band's record carries the shares the window had there; it keeps them in the Centre.
    win = *it;
    found = true;
    if (centre.hwnd != nullptr) {
      band.insert(it, centre);
      formerCentre = centre;
    }
    centre = win;
  }
  if (found) {
    if (formerCentre.hwnd != nullptr) shareIntoBand(formerCentre, side, Apply::No);
    removeWindow(win.hwnd, side, ForgetRects::No, Park::No);
  }
  return true;
}

void BorderLayout::moveWindowToSide(HWND hwnd, int fromSide, int toSide) {
  if (isSideFull(toSide)) return;
  std::list<layWND>* target = bandList(*this, toSide);
  if (target == nullptr) return;
  // Tested before the window leaves its cell: afterwards it would belong to no cell at all.
  const auto others = std::count_if(target->begin(), target->end(), [hwnd](const layWND& w) { return w != hwnd; });
  if (others == 6) return;

  layWND moved;
  if (std::list<layWND>* source = bandList(*this, fromSide)) {
    const auto entry = std::find(source->begin(), source->end(), hwnd);
    if (entry == source->end()) return;
    moved = *entry;
    source->remove(moved);
    spreadShare(fromSide, shareOf(moved, fromSide), Apply::Yes);
  } else if (fromSide == Centre && centre.hwnd != nullptr && centre == hwnd) {
    moved = centre;
    centre = layWND{};
  } else {
    return;
  }
  target->push_back(moved);
  shareIntoBand(moved, toSide, Apply::Yes);
  placeMovedWindow(moved);
}

bool BorderLayout::addToCentre(HWND hwnd) {
  if (centre.hwnd == nullptr) return addWindow(hwnd, Centre);
  // Seeded anew on every call: two calls within one second send their Centre windows to one band.
  platform_.srand(static_cast<unsigned int>(platform_.time(nullptr)));
  moveWindowToSide(centre.hwnd, Centre, platform_.rand() % 4);
  // Fails, leaving hwnd out, when the drawn band was full and the Centre is still taken.
  return addWindow(hwnd, Centre);
}

void BorderLayout::placeMovedWindow(layWND moved) {
  if (moved.hwnd == nullptr) return;
  const auto place = [this, &moved](int x, int y, int cx, int cy) {
    // The focus stays with the window the user works in.
    platform_.SetWindowPos(moved.hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  deriveBoundaries();
  walkPinwheel(
      *this,
      [&](const layWND& record, const BandSlice& slice) {
        if (record != moved) return;
        // The slice's own length: trunc(extent), or up to the band's end for its last window.
        const int along = slice.to - slice.from;
        switch (slice.side) {
          case North:
            place(slice.from, 0, along, truncToPixel(northBottom));
            break;
          case East: {
            const int x = truncToPixel(eastLeft);
            place(x, slice.from, truncToPixel(screenWidth - x), along);
            break;
          }
          case South: {
            const int y = truncToPixel(southTop);
            place(slice.from, y, along, truncToPixel(screenHeight - y));
            break;
          }
          default:
            place(0, slice.from, truncToPixel(westRight), along);
            break;
        }
      },
      [this](int side, int runEnd) {
        if (!holdsWindows(*this, side)) {
          collapseBand(*this, side);
        } else if (side == North) {
          // Unlike applyLayout, the run end becomes the boundary of the band it shortens.
          eastLeft = runEnd;
        } else if (side == East) {
          southTop = runEnd;
        }
      });
  if (centre == moved.hwnd) {
    place(truncToPixel(westRight), truncToPixel(northBottom), truncToPixel(eastLeft - westRight),
          truncToPixel(southTop - northBottom));
  }
}

}  // namespace tessellor
