#include "app/PosTable.h"

#include <algorithm>

namespace tessellor {

namespace {
auto findEntry(auto& entries, HWND hwnd) {
  return std::find_if(entries.begin(), entries.end(), [hwnd](const WNDPOS& e) { return e.hwnd == hwnd; });
}
}  // namespace

int PosTable::findPos(HWND hwnd) const {
  auto it = findEntry(entries_, hwnd);
  return it == entries_.end() ? -1 : it->position;
}

bool PosTable::addPos(HWND hwnd, int position) {
  if (findEntry(entries_, hwnd) != entries_.end()) return false;
  entries_.push_back(WNDPOS{position, hwnd});
  return true;
}

bool PosTable::updatePos(HWND hwnd, int position) {
  auto it = findEntry(entries_, hwnd);
  if (it == entries_.end()) return false;
  it->position = position;
  return true;
}

bool PosTable::removePos(HWND hwnd) {
  auto it = findEntry(entries_, hwnd);
  if (it == entries_.end()) return false;
  entries_.erase(it);
  return true;
}

}  // namespace tessellor
