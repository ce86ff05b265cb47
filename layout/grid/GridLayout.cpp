#include "layout/grid/GridLayout.h"

#include <algorithm>

#include "layout/grid/GridCellWalk.h"
#include "layout/placement.h"
#include "layout/readWindowRect.h"

namespace tessellor {

GridLayout::GridLayout(Platform& platform, Platform* keptPlaces)
    : screenHeight(platform.GetSystemMetrics(SM_CYMAXIMIZED)),
      screenWidth(platform.GetSystemMetrics(SM_CXMAXIMIZED)),
      platform_(platform),
      keptPlaces_(keptPlaces != nullptr ? *keptPlaces : platform) {}

bool GridLayout::isEmpty() const { return windows.empty(); }

bool GridLayout::contains(HWND hwnd) const { return std::find(windows.begin(), windows.end(), hwnd) != windows.end(); }

bool GridLayout::addWindow(HWND hwnd) {
  if (static_cast<int>(windows.size()) >= rows * columns) return false;
  windows.push_back(hwnd);
  // A minimised window has no place to go back to: Windows parks it off-screen.
  if (const std::optional<KeptPlacement> first = readKeptPlacement(keptPlaces_, hwnd)) {
    originalRects.addPlacement(hwnd, *first);
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
  // Truncating divisions; the leftover pixels go to the last cells.
  const int cellWidth = screenWidth / layoutColumns;
  const int wideCellWidth = screenWidth / (layoutColumns + 1);
  const int cellHeight = screenHeight / layoutRows;
  walkCells(windows.size(), layoutRows, layoutColumns, WideRowFlag::SetBefore,
            [&](std::size_t index, const GridCell& cell) {
              const int width = cell.inWideRow ? wideCellWidth : cellWidth;
              const int left = width * cell.column;
              const int top = cellHeight * cell.row;
              // The last column and the last row take the pixels the divisions leave over, so the
              // grid covers the work area edge to edge.
              const int right = isLastOfRow(cell, layoutColumns) ? screenWidth : left + width;
              const int bottom = cell.row == layoutRows - 1 ? screenHeight : top + cellHeight;
              placeNormal(windows[index], RECT{left, top, right, bottom});
              rememberPlacedRect(windows[index]);
            });
}

void GridLayout::rememberPlacedRect(HWND hwnd) {
  const RECT rect = currentRect(hwnd);
  if (!placedRects.addRect(hwnd, rect)) placedRects.updateRect(hwnd, rect);
  if (std::find(readBack_.begin(), readBack_.end(), hwnd) == readBack_.end()) readBack_.push_back(hwnd);
}

void GridLayout::recordAsked(HWND hwnd, const RECT& rect) {
  placedRects.updateRect(hwnd, rect);
  std::erase(readBack_, hwnd);
}

void GridLayout::rememberAllPlacedRects() {
  for (HWND hwnd : windows) {
    if (placedRects.addRect(hwnd, currentRect(hwnd)) &&
        std::find(readBack_.begin(), readBack_.end(), hwnd) == readBack_.end()) {
      readBack_.push_back(hwnd);
    }
  }
}

void GridLayout::settlePlacements(const PlacementOutcome& outcome) {
  for (HWND hwnd : readBack_) {
    // A window that has not answered yet is recorded where it was asked to go, and goes there; so is
    // one held back, at the next event.
    if (!outcome.asked(hwnd) || outcome.hasLate(hwnd)) continue;
    const RECT rect = currentRect(hwnd);
    placedRects.updateRect(hwnd, rect);
  }
  readBack_.clear();
}

void GridLayout::readBackAnswered(HWND hwnd) {
  if (contains(hwnd)) placedRects.updateRect(hwnd, currentRect(hwnd));
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
    KeptPlacement original;
    if (!originalRects.findPlacement(hwnd, &original)) continue;
    // Raised and activated in turn, so the last window put back ends on top.
    putBackInTurn(keptPlaces_, hwnd, original);
  }
}

RECT GridLayout::currentRect(HWND hwnd) const {
  RECT rect{};
  readWindowRect(platform_, hwnd, &rect);
  return rect;
}

void GridLayout::placeNormal(HWND hwnd, const RECT& rect) { setNormalPlacement(platform_, hwnd, rect); }

void GridLayout::place(HWND hwnd, const RECT& rect) { moveInPlace(platform_, hwnd, rect); }

}  // namespace tessellor
