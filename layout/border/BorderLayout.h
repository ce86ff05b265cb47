// The Border Layout: four bands along the screen edges around one Centre cell. Each band's
// thickness is a weight (a fraction of the screen height or width); each band window owns a share
// of its band's length. Geometry is held in doubles and truncated toward zero only when a rectangle
// goes to the window system.
#pragma once

#include <list>

#include "layout/RectTable.h"
#include "layout/border/BorderSide.h"
#include "layout/border/layWND.h"
#include "platform/Platform.h"

namespace tessellor {

class BorderLayout {
 public:
  // An empty layout with weights east 0.3, west 0.3, north 0.2, south 0.2; reads the screen metrics.
  explicit BorderLayout(Platform& platform);
  // An empty layout with the given weights, stored unchecked; reads the screen metrics.
  BorderLayout(Platform& platform, double eastWeight, double westWeight, double northWeight, double southWeight);

  std::list<layWND> north, south, east, west;  // left to right (North, South), top to bottom (East, West)
  layWND centre;
  RectTable originalRects, placedRects;
  double eastLeft, northBottom, southTop, westRight;
  std::list<layWND> parked;
  double screenHeight, screenWidth;
  double eastWeight, westWeight, northWeight, southWeight;
  double minWidth, minHeight;

  // Adding windows.

  // True when the band holds exactly as many windows as minimum-width windows fit along it; false
  // for the Centre and invalid codes.
  bool isSideFull(int side) const;
  // Appends hwnd to the band (or fills an empty Centre), remembers its first rectangle, shares it in
  // as a newcomer and applies the layout. False, nothing changed: full band, taken Centre, bad code.
  bool addWindow(HWND hwnd, int side);
  // Inserts hwnd before the position-th window (out of range: last) with the shares it was parked
  // with, shares it in and applies the layout; its parked record goes only when this succeeds.
  bool insertWindow(HWND hwnd, int side, int position);

  // Finding and removing windows.

  // The cell holding hwnd (bands searched North, West, East, South, then the Centre), else -1; a
  // null handle is in no cell.
  int sideOf(HWND hwnd) const;
  // hwnd's position in the band, else -1; always -1 in a band of exactly six windows.
  int indexInSide(HWND hwnd, int side) const;
  // A copy of the cell's records; the Centre gives one record (null when empty), a bad code none.
  std::list<layWND> windowsInSide(int side) const;
  // Takes hwnd out of the cell, hands its share to the rest of the band and applies the layout;
  // forgets its rectangles if asked; parks its record, or else drops any parked one. Always true.
  bool removeWindow(HWND hwnd, int side, bool forgetRects, bool park);
  // True when every edge of hwnd differs from its placedRects entry (a drag); false without one.
  bool rectChanged(HWND hwnd);

  // Sharing a band.

  // Gives the record's window 1/n of its band and shrinks the others in proportion; then enforces
  // the minimum shares (also for the Centre) and applies the layout if asked.
  void shareForNewcomer(const layWND& record, int side, bool apply);
  // Gives a window back about the share its record carries; then enforces the minimum shares and
  // applies if asked. Does nothing at all for the Centre or a bad code.
  void shareForReturning(const layWND& record, int side, bool apply);
  // Raises every share below its band's minimum to it, taking the deficit evenly from the others.
  void enforceMinimumShares();

  // Applying the layout.

  // Derives the boundaries from the weights, completes the bands' shares, places every window in its
  // slice, records where each went, writes the weights back and widens bands to fit their windows.
  void applyLayout();
  // Tops up every band whose shares sum to less than 1, evenly. Places nothing.
  void fillSideShares();
  // Stores hwnd's read-back rectangle in placedRects, inserting or overwriting.
  void recordPlacedRect(HWND hwnd);
  // Raises each band's weight to the thickest of its windows; when any rose, applies again, at most
  // ten times nested under one outermost applyLayout.
  void fitBandsToWindows();
  // Adds share / n to every window of the band, then applies if asked. Centre, bad code: nothing.
  void spreadShare(int side, double share, bool apply);
  // Adds share / (n - 1) to every window of the band but `skipped`, then applies if asked.
  void spreadShareExcept(int side, double share, const layWND& skipped, bool apply);
  // Re-reads the four screen metrics; applies the layout when the screen size changed.
  void refreshMetrics();

  // Following the user's moves and resizes.

  // A drag (every edge moved) takes hwnd out of the layout, forgets its rectangles and activates it:
  // false. An edge resize makes the boundaries, weights and shares follow its new rectangle: true.
  // Applies only through the sharing it does; the caller applies afterwards.
  bool onUserMoveSize(HWND hwnd);
  // Tops up every band whose shares sum to less than 1; in hwnd's own band only the others grow.
  void fillSideSharesExcept(HWND hwnd);

  // Moving windows between cells by command.

  // Brings win's window from the band into the Centre and the Centre window into its place in the
  // band, and applies. True also when win is not in the band; false for a side that is no band.
  bool swapWithCentre(layWND win, int side);
  // Takes hwnd out of fromSide, re-shares and applies, appends it to the band toSide, shares it in,
  // applies, and places it once more, raised and active. Nothing changes when toSide has no room.
  void moveWindowToSide(HWND hwnd, int fromSide, int toSide);
  // Puts hwnd in the Centre, first sending a Centre window to the band rand() % 4; addWindow's result.
  bool addToCentre(HWND hwnd);
  // SetWindowPos of the moved window to its slice by a walk of its own, which leaves each band's run
  // end as the next band's boundary. Writes no weights and records nothing.
  void placeMovedWindow(layWND moved);

  // Switching the layout off.

  // Puts every held window back at its first rectangle, North, West, East, South, then the Centre;
  // windows without a usable one stay. Changes no model state.
  void restoreAll();

 private:
  // Sets the four boundaries from the weights (no collapsing of empty bands).
  void deriveBoundaries();
  // SetWindowPlacement of rect in the normal state, then recordPlacedRect.
  void placeWindow(HWND hwnd, const RECT& rect);
  // Makes sure the next recordPlacedRect of a new window needs no allocation inside applyLayout.
  void reservePlacedRect();
  // The resize of a band window and of the Centre window, for onUserMoveSize.
  void followBandResize(HWND hwnd, int side, const RECT& movedRect);
  void followCentreResize(const RECT& movedRect);
  // A window entering a band comes back to the share it carries for that orientation, if any.
  void shareIntoBand(const layWND& record, int side, bool apply);

  Platform& platform_;
  int fitDepth_ = 0;  // nested re-applications under the current outermost applyLayout
};

}  // namespace tessellor
