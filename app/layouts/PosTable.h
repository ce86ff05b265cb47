// One remembered integer per window (a band, or a place within a band), in insertion order.
#pragma once

#include "layout/KeyedTable.h"
#include "layout/border/BorderSide.h"

namespace tessellor {

struct WNDPOS {
  int position;
  HWND hwnd;
};

// What findPos answers for a window without an entry; a table of sides thus answers NoSide.
inline constexpr int NoPos = -1;
static_assert(NoPos == NoSide);

class PosTable : private KeyedTable<WNDPOS, &WNDPOS::position> {
 public:
  // The position of the first entry for hwnd, or NoPos.
  int findPos(HWND hwnd) const {
    const int* position = find(hwnd);
    return position == nullptr ? NoPos : *position;
  }
  // Appends (position, hwnd) unless hwnd has an entry; true if appended.
  bool addPos(HWND hwnd, int position) { return add(hwnd, position); }
  // Overwrites the first entry for hwnd; false (nothing added) if none.
  bool updatePos(HWND hwnd, int position) { return update(hwnd, position); }
  // Erases the first entry for hwnd; true if one was erased.
  bool removePos(HWND hwnd) { return remove(hwnd); }
  // Erases every entry.
  void clearPos() { clear(); }

  using KeyedTable::entries;
};

}  // namespace tessellor
