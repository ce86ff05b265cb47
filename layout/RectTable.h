// Remembered window rectangles, one entry per window, in insertion order.
#pragma once

#include "layout/KeyedTable.h"

namespace tessellor {

struct WND {
  RECT rect;
  HWND hwnd;
};

class RectTable : private KeyedTable<WND, &WND::rect> {
 public:
  // Copies the rectangle of the first entry for hwnd into *out; false (and *out untouched) if none.
  bool findRect(HWND hwnd, RECT* out) const {
    const RECT* rect = find(hwnd);
    if (rect != nullptr) *out = *rect;
    return rect != nullptr;
  }
  // Appends an entry unless hwnd has one already (then the old rectangle stays); true if appended.
  bool addRect(HWND hwnd, const RECT& rect) { return add(hwnd, rect); }
  // Overwrites the entry for hwnd; false (and nothing added) if there is none.
  bool updateRect(HWND hwnd, const RECT& rect) { return update(hwnd, rect); }
  // Erases the entry for hwnd; true if one was erased.
  bool removeRect(HWND hwnd) { return remove(hwnd); }

  using KeyedTable::entries;
  using KeyedTable::reserve;
};

}  // namespace tessellor
