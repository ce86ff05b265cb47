// Following the user's own moves and resizes of grid windows.
#include <cstdint>

#include "layout/grid/GridCellWalk.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

namespace {

// The distance between two edges, which may not fit 32 bits for a window far off the screen.
std::int64_t span(LONG from, LONG to) { return std::int64_t{to} - from; }

}  // namespace

bool GridLayout::wasDragged(HWND hwnd) const {
  const RECT now = currentRect(hwnd);
  RECT placed{};
  // Nothing to compare with: treat it as a resize, which keeps the window and records it.
  if (!placedRects.findRect(hwnd, &placed)) return false;
  return now.bottom != placed.bottom && now.left != placed.left && now.right != placed.right && now.top != placed.top;
}

void GridLayout::resolveOverlaps(HWND hwnd, bool skipGapFill) {
  RECT fixed{};
  platform_.GetWindowRect(hwnd, &fixed);
  for (HWND other : windows) {
    if (other == hwnd) continue;
    RECT rect{};
    platform_.GetWindowRect(other, &rect);
    if (trimOverlap(fixed, rect)) {
      place(other, rect);
      rememberPlacedRect(other);
    }
  }
  if (!skipGapFill) fillGaps(hwnd);
}

bool GridLayout::trimOverlap(const RECT& fixed, RECT& other) {
  RECT inter{};
  if (!IntersectRect(&inter, &fixed, &other)) return false;
  // A square corner (width equal to height) cuts the vertical edge.
  const bool wider = span(inter.left, inter.right) > span(inter.top, inter.bottom);
  if (other.top == inter.top && other.bottom == inter.bottom) {
    if (other.left == inter.left) {
      other.left = inter.right;
    } else if (other.right == inter.right) {
      other.right = inter.left;
    }
  } else if (other.right == inter.right && other.left == inter.left) {
    if (other.top == inter.top) {
      other.top = inter.bottom;
    } else if (other.bottom == inter.bottom) {
      other.bottom = inter.top;
    }
  } else if (other.top == inter.top && other.left == inter.left) {
    if (wider) {
      other.top = inter.bottom;
    } else {
      other.left = inter.right;
    }
  } else if (other.top == inter.top && other.right == inter.right) {
    if (wider) {
      other.top = inter.bottom;
    } else {
      other.right = inter.left;
    }
  } else if (other.bottom == inter.bottom && other.left == inter.left) {
    if (wider) {
      other.bottom = inter.top;
    } else {
      other.left = inter.right;
    }
  } else if (other.bottom == inter.bottom && other.right == inter.right) {
    if (wider) {
      other.bottom = inter.top;
    } else {
      other.right = inter.left;
    }
  } else if (other.top == inter.top) {
    other.top = inter.bottom;
  } else if (other.bottom == inter.bottom) {
    other.bottom = inter.top;
  }
  return span(other.top, other.bottom) >= MIN_TRIMMED_SIZE && span(other.left, other.right) >= MIN_TRIMMED_SIZE;
}

void GridLayout::fillGaps(HWND hwnd) {
  const RECT moved = currentRect(hwnd);
  int movedRow = -1;
  int movedColumn = -1;
  fillRowNeighbours(hwnd, moved, movedRow, movedColumn);
  if (movedRow != -1 && layoutRows > 1) fillRowsAboveAndBelow(hwnd, moved, movedRow);
  fillHorizontalGaps(movedRow, movedColumn);
}

// The passes compare strictly: a neighbour that already touches or overlaps the edge was left to
// resolveOverlaps.

void GridLayout::fillRowNeighbours(HWND hwnd, const RECT& moved, int& movedRow, int& movedColumn) {
  const std::size_t count = windows.size();
  walkCells(count, layoutRows, layoutColumns, WideRowFlag::SetAfter, [&](std::size_t index, const GridCell& cell) {
    if (windows[index] != hwnd) return;
    movedRow = cell.row;
    movedColumn = cell.column;
    if (cell.column != 0) {
      HWND previous = windows[index - 1];
      RECT rect = currentRect(previous);
      if (rect.right < moved.left) {
        rect.right = moved.left;
        place(previous, rect);
        placedRects.updateRect(previous, rect);
      }
    }
    // The list may have grown since the last arrangement; never read past its end.
    if (!isLastOfRow(cell, layoutColumns) && index + 1 < count) {
      HWND next = windows[index + 1];
      RECT rect = currentRect(next);
      if (rect.left > moved.right) {
        rect.left = moved.right;
        place(next, rect);
        placedRects.updateRect(next, rect);
      }
    }
  });
}

void GridLayout::fillRowsAboveAndBelow(HWND hwnd, const RECT& moved, int movedRow) {
  walkCells(windows.size(), layoutRows, layoutColumns, WideRowFlag::SetBefore,
            [&](std::size_t index, const GridCell& cell) {
              HWND window = windows[index];
              if (cell.row == movedRow - 1) {
                RECT rect = currentRect(window);
                if (rect.bottom < moved.top) {
                  rect.bottom = moved.top;
                  place(window, rect);
                  rememberPlacedRect(window);
                  resolveOverlaps(window, true);
                }
              } else if (cell.row == movedRow + 1) {
                RECT rect = currentRect(window);
                if (rect.top > moved.bottom) {
                  rect.top = moved.bottom;
                  place(window, rect);
                  resolveOverlaps(window, true);
                  rememberPlacedRect(window);
                }
              } else if (cell.row == movedRow && window != hwnd) {
                // The whole row takes the resized window's vertical extent, gap or not.
                const RECT rect = currentRect(window);
                place(window, RECT{rect.left, moved.top, rect.right, moved.bottom});
                resolveOverlaps(window, true);
                rememberPlacedRect(window);
              }
            });
}

void GridLayout::fillHorizontalGaps(int movedRow, int movedColumn) {
  const std::size_t count = windows.size();
  walkCells(count, layoutRows, layoutColumns, WideRowFlag::SetAfter, [&](std::size_t index, const GridCell& cell) {
    HWND window = windows[index];
    if (cell.column != movedColumn && cell.column != 0 && cell.row != movedRow) {
      HWND previous = windows[index - 1];
      const RECT rect = currentRect(window);
      RECT previousRect = currentRect(previous);
      if (previousRect.right < rect.left) {
        previousRect.right = rect.left;
        place(previous, previousRect);
        rememberPlacedRect(previous);
      }
    }
    const bool last = isLastOfRow(cell, layoutColumns);
    const bool stretchNext = cell.inWideRow ? !last && cell.column != movedColumn && cell.row != movedRow : !last;
    if (stretchNext && index + 1 < count) {
      HWND next = windows[index + 1];
      const RECT rect = currentRect(window);
      RECT nextRect = currentRect(next);
      if (nextRect.left > rect.right) {
        nextRect.left = rect.right;
        place(next, nextRect);
        rememberPlacedRect(next);
      }
    }
  });
}

}  // namespace tessellor
