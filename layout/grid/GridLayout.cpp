#include "layout/grid/GridLayout.h"

#include <algorithm>

#include "layout/grid/GridCellWalk.h"
#include "layout/hasOwnPlace.h"
#include "layout/placement.h"
#include "layout/readWindowRect.h"

namespace tessellor {

GridLayout::GridLayout(Platform& platform)
    : screenHeight(platform.GetSystemMetrics(SM_CYMAXIMIZED)),
      screenWidth(platform.GetSystemMetrics(SM_CXMAXIMIZED)),
      platform_(platform) {}

bool GridLayout::isEmpty() const { return windows.empty(); }

bool GridLayout::contains(HWND hwnd) const { return std::find(windows.begin(), windows.end(), hwnd) != windows.end(); }

bool GridLayout::addWindow(HWND hwnd) {
  if (static_cast<int>(windows.size()) >= rows * columns) return false;
  windows.push_back(hwnd);
  if (hasOwnPlace(platform_, hwnd)) {
    RECT rect{};
    platform_.GetWindowRect(hwnd, &rect);
    originalRects.addRect(hwnd, rect);
  }
  return true;
}

void GridLayout::removeWindow(HWND hwnd, ForgetRects forget) {
  std::erase(windows, hwnd);
  if (forget == ForgetRects::Yes) {
    originalRects.removeRect(hwnd);
    placedRects.removeRect(hwnd);
  }
  arrange();
}

void GridLayout::arrange() {
  const int n = static_cast<int>(windows.size());
  if (n == 0) return;
  const int q = n / columns;
  if (q == 0) {
    layoutRows = 1;
    layoutColumns = n;
  } else if (q <= 2) {
    layoutRows = 2;
    layoutColumns = n / 2;
  } else {
    layoutRows = 3;
    layoutColumns = n / 3;
  }
  // Truncating divisions: the leftover pixels stay uncovered at the right and bottom edges.
  const int cellWidth = screenWidth / layoutColumns;
  const int wideCellWidth = screenWidth / (layoutColumns + 1);
  const int cellHeight = screenHeight / layoutRows;
  walkCells(windows.size(), layoutRows, layoutColumns, WideRowFlag::SetBefore,
            [&](std::size_t index, const GridCell& cell) {
              const int width = cell.inWideRow ? wideCellWidth : cellWidth;
              const int left = width * cell.column;
              const int top = cellHeight * cell.row;
              placeNormal(windows[index], RECT{left, top, left + width, top + cellHeight});
              rememberPlacedRect(windows[index]);
            });
}

void GridLayout::rememberPlacedRect(HWND hwnd) {
  const RECT rect = currentRect(hwnd);
  if (!placedRects.addRect(hwnd, rect)) placedRects.updateRect(hwnd, rect);
}

void GridLayout::rememberAllPlacedRects() {
  for (HWND hwnd : windows) placedRects.addRect(hwnd, currentRect(hwnd));
}

void GridLayout::refreshMetrics() {
  const bool changed = platform_.GetSystemMetrics(SM_CYMAXIMIZED) != screenHeight ||
                       platform_.GetSystemMetrics(SM_CXMAXIMIZED) != screenWidth;
  screenHeight = platform_.GetSystemMetrics(SM_CYMAXIMIZED);
  screenWidth = platform_.GetSystemMetrics(SM_CXMAXIMIZED);
  if (changed) arrange();
}

void GridLayout::restoreAllWindows() {
  for (HWND hwnd : windows) {
    RECT original{};
    if (originalRects.findRect(hwnd, &original)) placeNormal(hwnd, original);
  }
}

RECT GridLayout::currentRect(HWND hwnd) const {
  RECT rect{};
  readWindowRect(platform_, hwnd, &rect);
  return rect;
}

void GridLayout::placeNormal(HWND hwnd, const RECT& rect) {
  setNormalPlacement(platform_, hwnd, rect);
  place(hwnd, rect);
}

void GridLayout::place(HWND hwnd, const RECT& rect) { moveToTop(platform_, hwnd, rect); }

}  // namespace tessellor
