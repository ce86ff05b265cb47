// Remembered window rectangles, one entry per window, in insertion order.
#pragma once

#include <vector>

#include "platform/win_types.h"

namespace tessellor {

struct WND {
  RECT rect;
  HWND hwnd;
};

class RectTable {
 public:
  // Copies the rectangle of the first entry for hwnd into *out; false (and *out untouched) if none.
  bool findRect(HWND hwnd, RECT* out) const;
  // Appends an entry unless hwnd has one already (then the old rectangle stays); true if appended.
  bool addRect(HWND hwnd, const RECT& rect);
  // Overwrites the entry for hwnd; false (and nothing added) if there is none.
  bool updateRect(HWND hwnd, const RECT& rect);
  // Erases the entry for hwnd; true if one was erased.
  bool removeRect(HWND hwnd);

  // The entries in insertion order, for reading.
  const std::vector<WND>& entries() const { return entries_; }
  // Makes room for n entries, so that adding up to n allocates nothing.
  void reserve(std::size_t n) { entries_.reserve(n); }

 private:
  std::vector<WND> entries_;
};

}  // namespace tessellor
