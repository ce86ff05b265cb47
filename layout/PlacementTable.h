// Where each window stood before a layout first took it: its normal rectangle and whether it was
// maximised over it, one entry per window, in insertion order.
#pragma once

#include <cstdint>

#include "layout/KeyedTable.h"
#include "layout/RectTable.h"
#include "platform/KeptPlacement.h"

namespace tessellor {

struct WNDPLACE {
  KeptPlacement place;
  HWND hwnd;
};

class PlacementTable : private KeyedTable<WNDPLACE, &WNDPLACE::place> {
 public:
  // Copies the normal rectangle of the entry for hwnd into *out; false (and *out untouched) if none.
  bool findRect(HWND hwnd, RECT* out) const {
    const KeptPlacement* place = find(hwnd);
    if (place != nullptr) *out = place->normal;
    return place != nullptr;
  }
  // Copies the whole entry for hwnd into *out; false (and *out untouched) if none.
  bool findPlacement(HWND hwnd, KeptPlacement* out) const {
    const KeptPlacement* place = find(hwnd);
    if (place != nullptr) *out = *place;
    return place != nullptr;
  }
  // Appends an entry unless hwnd has one already (then the old one stays); true if appended.
  bool addRect(HWND hwnd, const RECT& rect) { return add(hwnd, KeptPlacement{rect, false}); }
  bool addPlacement(HWND hwnd, const KeptPlacement& place) { return add(hwnd, place); }
  // Overwrites the entry for hwnd; false (and nothing added) if there is none.
  bool updatePlacement(HWND hwnd, const KeptPlacement& place) { return update(hwnd, place); }
  // Erases the entry for hwnd; true if one was erased.
  bool removeRect(HWND hwnd) { return remove(hwnd); }

  using KeyedTable::entries;
  using KeyedTable::reserve;
};

}  // namespace tessellor
