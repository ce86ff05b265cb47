// The Grid Layout: up to rows × columns windows in rows of equal cells. The list order is the cell
// order, row by row; the shape is chosen afresh from the window count at every arrangement.
#pragma once

#include <vector>

#include "layout/ForgetRects.h"
#include "layout/PlacementTable.h"
#include "layout/RectTable.h"
#include "platform/PendingPlacements.h"
#include "platform/Platform.h"

namespace tessellor {

// Whether trimming the windows a resized one overlaps is followed by filling the gaps it left.
enum class GapFill : bool { Fill, Skip };

class GridLayout {
 public:
  // A trim that would leave a window narrower or lower than this is not applied.
  static constexpr int MIN_TRIMMED_SIZE = 150;

  // An empty 3 × 4 grid; reads the screen height, then its width. `keptPlaces` is the window system
  // in its own coordinates, where the windows' first places are read and put back (null: `platform`).
  explicit GridLayout(Platform& platform, Platform* keptPlaces = nullptr);

  int rows = 3, columns = 4;
  int screenHeight, screenWidth;
  std::vector<HWND> windows;
  PlacementTable originalRects;  // window placements as the window system gave them, not visible bounds
  RectTable placedRects;
  int layoutRows = 0, layoutColumns = 0;

  // True when the grid holds no window.
  bool isEmpty() const;
  // True when hwnd is in the grid.
  bool contains(HWND hwnd) const;
  // Appends hwnd and remembers its first rectangle (unless wholly at negative coordinates); false
  // and nothing changed when full. Places nothing.
  bool addWindow(HWND hwnd);
  // Takes every occurrence of hwnd out, with its remembered rectangles when asked; arranges the rest.
  void removeWindow(HWND hwnd, ForgetRects forget);
  // Chooses the shape from the window count and places every window in its cell, in list order.
  void arrange();
  // Records hwnd's current rectangle in placedRects, inserting or overwriting.
  void rememberPlacedRect(HWND hwnd);
  // Records every window's current rectangle in placedRects where it has no entry yet.
  void rememberAllPlacedRects();
  // Re-reads the screen size; arranges when it changed.
  void refreshMetrics();
  // Puts every window with an originalRects entry back there, raising each in turn. Keeps the list
  // and the tables.
  void restoreAllWindows();
  // After the event's placements were made: the rectangles recorded from the layout's own targets
  // become the ones the windows read back, except a late window's, which keeps what it was asked.
  void settlePlacements(const PlacementOutcome& outcome);
  // A window placed late has taken its placement: its placedRects entry becomes what it reads back.
  void readBackAnswered(HWND hwnd);

  // Follows a finished move or resize of hwnd. A window not in the grid: nothing (false). A drag
  // takes it out, the rest re-arranged, and activates it (false). A resize keeps it (true).
  bool onUserMoveSize(HWND hwnd);
  // True when all four edges of hwnd differ from its placedRects entry; false without an entry.
  bool wasDragged(HWND hwnd) const;
  // Trims every other window that hwnd now overlaps, then fills the gaps unless told to skip. Places windows.
  void resolveOverlaps(HWND hwnd, GapFill gapFill);
  // Moves one edge of `other` off `fixed`; true when they overlapped and other stays at least
  // MIN_TRIMMED_SIZE each way. `other` may change even when false.
  static bool trimOverlap(const RECT& fixed, RECT& other);
  // Stretches the resized hwnd's neighbours, and the rows above and below it, into the room it left.
  void fillGaps(HWND hwnd);

 private:
  RECT currentRect(HWND hwnd) const;
  // SetWindowPlacement in the normal state: also un-maximises; neither raises nor activates.
  void placeNormal(HWND hwnd, const RECT& rect);
  // SetWindowPos alone: moves and sizes, neither raises nor activates.
  void place(HWND hwnd, const RECT& rect);
  // Records the rectangle asked for as hwnd's placed one, not to be read back.
  void recordAsked(HWND hwnd, const RECT& rect);

  void fillRowNeighbours(HWND hwnd, const RECT& moved, int& movedRow, int& movedColumn);
  void fillRowsAboveAndBelow(HWND hwnd, const RECT& moved, int movedRow);
  void fillHorizontalGaps(int movedRow, int movedColumn);

  Platform& platform_;
  Platform& keptPlaces_;
  std::vector<HWND> readBack_;  // windows whose placedRects entry is to be read back once placed
};

}  // namespace tessellor
