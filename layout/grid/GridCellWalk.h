// The grid's one walk over its windows: where each window of the list sits.
#pragma once

#include <cstddef>

namespace tessellor {

struct GridCell {
  int row = 0;
  int column = 0;
  bool inWideRow = false;
};

// When the wide-row flag rises: before the first window of the wide last row is visited, or only
// after it, so that window is visited as one of a normal row.
enum class WideRowFlag { SetBefore, SetAfter };

// Calls visit(index, cell) for windows 0..count-1 in list order; the last row is wide when count
// exceeds layoutRows × layoutColumns. Visits nothing before the first arrangement (no columns).
template <typename Visit>
void walkCells(std::size_t count, int layoutRows, int layoutColumns, WideRowFlag timing, Visit&& visit) {
  if (layoutColumns <= 0) return;
  const bool wideLastRow = static_cast<int>(count) > layoutRows * layoutColumns;
  GridCell cell;
  const auto raiseFlag = [&] {
    if (wideLastRow && cell.row == layoutRows - 1) cell.inWideRow = true;
  };
  for (std::size_t index = 0; index < count; ++index) {
    if (timing == WideRowFlag::SetBefore) raiseFlag();
    visit(index, static_cast<const GridCell&>(cell));
    raiseFlag();
    cell.column = (cell.column + 1) % (cell.inWideRow ? layoutColumns + 1 : layoutColumns);
    if (cell.column == 0 && !cell.inWideRow) ++cell.row;
  }
}

// True for the last cell of its row, as the flag stands when the cell is visited.
inline bool isLastOfRow(const GridCell& cell, int layoutColumns) {
  return cell.column == (cell.inWideRow ? layoutColumns : layoutColumns - 1);
}

}  // namespace tessellor
