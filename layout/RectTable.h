// Remembered window rectangles, one entry per window, in insertion order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "layout/KeyedTable.h"

namespace tessellor {

struct WND {
  RECT rect;
  HWND hwnd;
};

namespace detail {
inline LONG offsetEdge(LONG edge, std::int64_t by) {
  return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{edge} + by, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}
}  // namespace detail

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

  // Moves every rectangle by (dx, dy): the same places seen from another origin. The offset between
  // two origins at the ends of the 32-bit range does not fit in one; the edges stop at its ends.
  void offsetRects(std::int64_t dx, std::int64_t dy) {
    for (const WND& entry : entries()) update(entry.hwnd, offsetRect(entry.rect, dx, dy));
  }

  using KeyedTable::entries;
  using KeyedTable::reserve;

 private:
  static RECT offsetRect(const RECT& r, std::int64_t dx, std::int64_t dy) {
    return RECT{detail::offsetEdge(r.left, dx), detail::offsetEdge(r.top, dy), detail::offsetEdge(r.right, dx),
                detail::offsetEdge(r.bottom, dy)};
  }
};

}  // namespace tessellor
