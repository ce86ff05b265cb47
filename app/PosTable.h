// One remembered integer per window (a band, or a place within a band), in insertion order.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace tessellor {

struct WNDPOS {
  int position;
  HWND hwnd;
};

class PosTable {
 public:
  // The position of the first entry for hwnd, or -1.
  int findPos(HWND hwnd) const;
  // Appends (position, hwnd) unless hwnd has an entry; true if appended.
  bool addPos(HWND hwnd, int position);
  // Overwrites the first entry for hwnd; false (nothing added) if none.
  bool updatePos(HWND hwnd, int position);
  // Erases the first entry for hwnd; true if one was erased.
  bool removePos(HWND hwnd);
  // Erases every entry.
  void clearPos() { entries_.clear(); }

  // The entries in insertion order, for reading.
  const std::vector<WNDPOS>& entries() const { return entries_; }

 private:
  std::vector<WNDPOS> entries_;
};

}  // namespace tessellor
