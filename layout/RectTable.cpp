#include "layout/RectTable.h"

#include <algorithm>

namespace tessellor {

namespace {
auto findEntry(auto& entries, HWND hwnd) {
  return std::find_if(entries.begin(), entries.end(), [hwnd](const WND& e) { return e.hwnd == hwnd; });
}
}  // namespace

bool RectTable::findRect(HWND hwnd, RECT* out) const {
  auto it = findEntry(entries_, hwnd);
  if (it == entries_.end()) return false;
  *out = it->rect;
  return true;
}

bool RectTable::addRect(HWND hwnd, const RECT& rect) {
  if (findEntry(entries_, hwnd) != entries_.end()) return false;
  entries_.push_back(WND{rect, hwnd});
  return true;
}

bool RectTable::updateRect(HWND hwnd, const RECT& rect) {
  auto it = findEntry(entries_, hwnd);
  if (it == entries_.end()) return false;
  it->rect = rect;
  return true;
}

bool RectTable::removeRect(HWND hwnd) {
  auto it = findEntry(entries_, hwnd);
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

}  // namespace tessellor
