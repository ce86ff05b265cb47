// Following the user's own moves and resizes of grid windows.
#include <cstdint>

#include "layout/grid/GridCellWalk.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

namespace {

// The distance between two edges, which may not fit 32 bits for a window far off the screen.
std::int64_t span(LONG from, LONG to) { return std::int64_t{to} - from; }

}  // namespace

bool GridLayout::onUserMoveSize(HWND hwnd) {
  if (!contains(hwnd)) return false;
  if (wasDragged(hwnd)) {
    // Pulled away by the user: it stays where it was dropped and is not put back by restoreAllWindows.
    removeWindow(hwnd, ForgetRects::Yes);
    platform_.SetActiveWindow(hwnd);
    return false;
  }
  // The size the user gave is kept; the other windows make way for it.
  rememberPlacedRect(hwnd);
  resolveOverlaps(hwnd, GapFill::Fill);
  return true;
}

bool GridLayout::wasDragged(HWND hwnd) const {
  const RECT now = currentRect(hwnd);
  RECT placed{};
  // Nothing to compare with: treat it as a resize, which keeps the window and records it.
  if (!placedRects.findRect(hwnd, &placed)) return false;
  return now.bottom != placed.bottom && now.left != placed.left && now.right != placed.right && now.top != placed.top;
}

void GridLayout::resolveOverlaps(HWND hwnd, GapFill gapFill) {
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
  if (gapFill == GapFill::Fill) fillGaps(hwnd);
}

bool GridLayout::trimOverlap(const RECT& fixed, RECT& other) {
  RECT inter{};
  if (!IntersectRect(&inter, &fixed, &other)) return false;
  // The edges of `other` that the overlap reaches, all read before any edge moves.
  const bool top = other.top == inter.top;
  const bool bottom = other.bottom == inter.bottom;
  const bool left = other.left == inter.left;
  const bool right = other.right == inter.right;
  const auto trimLeftOrRight = [&] {
    if (left) {
      other.left = inter.right;
    } else if (right) {
      other.right = inter.left;
    }
  };
  const auto trimTopOrBottom = [&] {
    if (top) {
      other.top = inter.bottom;
    } else if (bottom) {
      other.bottom = inter.top;
    }
  };
  // A corner overlap is removed by the shorter move; a square one by moving the left or right edge.
  const bool wider = span(inter.left, inter.right) > span(inter.top, inter.bottom);
  const bool corner = (top || bottom) && (left || right);
  // The tests' order is the rule; two ranks share an action.
  // NOLINTBEGIN(bugprone-branch-clone)
  if (top && bottom) {
    trimLeftOrRight();
  } else if (left && right) {
    trimTopOrBottom();
  } else if (corner && !wider) {
    trimLeftOrRight();
  } else {
    trimTopOrBottom();
  }
  // NOLINTEND(bugprone-branch-clone)
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
        recordAsked(previous, rect);
      }
    }
    // The list may have grown since the last arrangement; never read past its end.
    if (!isLastOfRow(cell, layoutColumns) && index + 1 < count) {
      HWND next = windows[index + 1];
      RECT rect = currentRect(next);
      if (rect.left > moved.right) {
        rect.left = moved.right;
        place(next, rect);
        recordAsked(next, rect);
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
                  resolveOverlaps(window, GapFill::Skip);
                }
              } else if (cell.row == movedRow + 1) {
                RECT rect = currentRect(window);
                if (rect.top > moved.bottom) {
                  rect.top = moved.bottom;
                  place(window, rect);
                  resolveOverlaps(window, GapFill::Skip);
                  rememberPlacedRect(window);
                }
              } else if (cell.row == movedRow && window != hwnd) {
                // The whole row takes the resized window's vertical extent, gap or not.
                const RECT rect = currentRect(window);
                place(window, RECT{rect.left, moved.top, rect.right, moved.bottom});
                resolveOverlaps(window, GapFill::Skip);
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
