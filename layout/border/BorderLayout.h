// The Border Layout: four bands along the screen edges around one Centre cell. Each band's
// thickness is a weight (a fraction of the screen height or width); each band window owns a share
// of its band's length. Geometry is held in doubles and truncated toward zero only when a rectangle
// goes to the window system.
#pragma once

#include <list>
#include <utility>
#include <vector>

#include "layout/ForgetRects.h"
#include "layout/PlacementTable.h"
#include "layout/RectTable.h"
#include "layout/border/BorderSide.h"
#include "layout/border/BorderWeights.h"
#include "layout/border/layWND.h"
#include "platform/PendingPlacements.h"
#include "platform/Platform.h"

namespace tessellor {

// Whether an operation that changes shares applies the layout afterwards.
enum class Apply : bool { No, Yes };
// Whether a window taken out is parked, keeping its shares for a later insertWindow (Yes), or
// unparked (No).
enum class Park : bool { No, Yes };

class BorderLayout {
 public:
  // An empty layout with the given weights, stored unchecked; reads the screen metrics. `keptPlaces`
  // is the window system in its own coordinates, where the windows' first places are read and put
  // back (null: `platform` is that too).
  explicit BorderLayout(Platform& platform, const BorderWeights& weights = BorderWeights{},
                        Platform* keptPlaces = nullptr);

  std::list<layWND> north, south, east, west;  // left to right (North, South), top to bottom (East, West)
  layWND centre;
  PlacementTable originalRects;  // window placements as the window system gave them, not visible bounds
  RectTable placedRects;
  double eastLeft, northBottom, southTop, westRight;
  std::list<layWND> parked;
  double screenHeight, screenWidth;
  double eastWeight, westWeight, northWeight, southWeight;
  double minWidth, minHeight;
  // How often the fit pass has widened a band, which places the windows again; for the checks.
  long long fitRaises = 0;

  // Adding windows.

  // True when the band holds exactly its capacity of minimum-size windows; false for the Centre and bad codes.
  bool isSideFull(int side) const;
  // Appends hwnd to the cell, remembers its first rectangle, unparks it, shares it in and applies.
  // False: no room or bad code.
  bool addWindow(HWND hwnd, int side);
  // Inserts hwnd at position (else last) with its parked shares and applies; unparks it only on success.
  bool insertWindow(HWND hwnd, int side, int position);

  // Finding and removing windows.

  // The cell holding hwnd, searched North, West, East, South, Centre; -1 for none and for a null handle.
  int sideOf(HWND hwnd) const;
  // Every window the layout holds: its bands, North, West, East, South, then the Centre.
  std::vector<HWND> heldWindows() const;
  // hwnd's position in the band, else -1; always -1 in a band of exactly six windows.
  int indexInSide(HWND hwnd, int side) const;
  // A copy of the cell's records: the Centre gives one (null when empty), a bad code none.
  std::list<layWND> windowsInSide(int side) const;
  // Takes hwnd out, gives its share to the band and applies; forgets its rectangles, parks or unparks it. True.
  bool removeWindow(HWND hwnd, int side, ForgetRects forgetRects, Park park);
  // Drops what the layout keeps of a window in no cell (a closed one): its parked record and both
  // rectangles, so that a later window with the same handle starts afresh. Places nothing.
  void forgetWindow(HWND hwnd);
  // True when every edge of hwnd differs from its placedRects entry (a drag); false without an entry.
  bool rectChanged(HWND hwnd);

  // Sharing a band.

  // Gives the window 1/n of its band, shrinking the others in proportion; enforces minimums; applies if asked.
  void shareForNewcomer(const layWND& record, int side, Apply apply);
  // Gives a window back about the share its record carries; enforces and applies; nothing for the Centre.
  void shareForReturning(const layWND& record, int side, Apply apply);
  // Raises every share below its band's minimum to it, taking the deficit evenly from the others.
  void enforceMinimumShares();

  // Applying the layout.

  // Places every window in its slice from the weights, records where it went, widens bands to fit
  // the windows that took their place.
  void applyLayout();
  // Tops up every band whose shares sum to less than 1, evenly. Places nothing.
  void fillSideShares();
  // Stores hwnd's read-back rectangle in placedRects, inserting or overwriting.
  void recordPlacedRect(HWND hwnd);
  // Raises each band's weight to its thickest window, lengthens the share of a window that will not
  // be as short as its slice at the expense of its band's others, and re-applies if anything
  // changed, at most 10 times nested.
  void fitBandsToWindows();
  // The least thickness a band's windows were seen to keep across it, or the system's minimum.
  double leastThickness(int side);
  // Adds share / n to every window of the band, then applies if asked. Centre, bad code: nothing.
  void spreadShare(int side, double share, Apply apply);
  // Adds share / (n - 1) to every window of the band but `skipped`, then applies if asked.
  void spreadShareExcept(int side, double share, const layWND& skipped, Apply apply);
  // Re-reads the four screen metrics; applies the layout when the screen size changed.
  void refreshMetrics();
  // After the event's placements were made: each window's placedRects entry becomes what it reads
  // back (a refused or late window keeps its slice and is left out of the fit pass), then the fit
  // pass runs on where the windows really are (unless told not to), and may apply the layout again.
  void settlePlacements(const PlacementOutcome& outcome, Refit refit);
  // A window placed late has taken its placement: its placedRects entry becomes what it reads back,
  // and the fit pass runs as it would have at once (which may apply the layout again).
  void readBackAnswered(HWND hwnd);

  // Following the user's moves and resizes.

  // A drag takes hwnd out of the layout and activates it (false); a resize moves bands and shares (true).
  bool onUserMoveSize(HWND hwnd);
  // Tops up every band whose shares sum to less than 1; in hwnd's own band only the others grow.
  void fillSideSharesExcept(HWND hwnd);

  // Moving windows between cells by command.

  // Swaps win's window with the Centre window, which takes its place in the band; applies. False: no band.
  bool swapWithCentre(layWND win, int side);
  // Moves hwnd to the end of band toSide, re-sharing both and applying, then raises it. No room: no change.
  void moveWindowToSide(HWND hwnd, int fromSide, int toSide);
  // Puts hwnd in the Centre, first sending a Centre window to band rand() % 4; addWindow's result.
  bool addToCentre(HWND hwnd);
  // SetWindowPos of the moved window to its slice by a walk of its own; records and writes back nothing.
  void placeMovedWindow(layWND moved);

  // Switching the layout off.

  // Puts every held window back at its first rectangle, North, West, East, South, Centre. Changes no state.
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
  // A window entering a band comes back to the share it carries for that orientation, if any; one
  // entering the Centre is shared in as a newcomer.
  void shareIntoBand(const layWND& record, int side, Apply apply);
  // The along-the-band half of the fit pass: a window's share grows to the length it was seen to
  // keep, and its band's other windows give the difference up in proportion to what they have
  // above their own; true when a share changed.
  bool fitWindowsAlongBands();
  // A window placed in `asked` took `took`: a larger width or height is what it keeps at least.
  void noteKeptSize(HWND hwnd, const RECT& asked, const RECT& took);

  Platform& platform_;
  Platform& keptPlaces_;
  std::vector<HWND> refusedPlacement_;  // windows the latest placements could not place (or not yet)
  std::vector<HWND> readBack_;          // windows whose placedRects entry is to be read back once placed
  HRGN scratch_ = nullptr;              // the region every window is measured with while a layout applies
  int fitDepth_ = 0;                    // nested re-applications under the current outermost applyLayout
  // The least width and height each window was seen to keep when placed in less: what it needs of
  // a band's length.
  struct KeptSize {
    int width = 0;
    int height = 0;
  };
  std::vector<std::pair<HWND, KeptSize>> keptSizes_;
  KeptSize* keptSizeOf(HWND hwnd);
};

}  // namespace tessellor
