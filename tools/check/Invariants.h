// The rules the program's state keeps after every event, whatever other programs and the screen
// do. Each check appends one line per broken rule to `findings`; the unit tests and the fuzzer
// both read them.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "layout/RectTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::check {

using Findings = std::vector<std::string>;

// No window in two cells or twice in one; each window of a cell has exactly one placedRects entry;
// neither table has two entries for one window; every weight, boundary and share is finite; no band
// holding windows has shares summing to less than 1.
void checkBorder(const BorderLayout& layout, Findings& findings);

// Every placement and every user resize ends by topping each band's shares up to 1 when they sum
// to less, so no band holding windows sums to less. (Over 1 is allowed: its last window then
// reaches past the band's end.)
void checkBandSharesComplete(const BorderLayout& layout, Findings& findings);

// From bands whose shares sum to 1, adding, inserting, removing and applying keep them so, except
// a band whose every window was raised to the minimum share: equal shares that may sum past 1. A
// user resize or a cell change may leave a band over 1, so this holds only in sequences without them.
void checkNoBandOverfull(const BorderLayout& layout, Findings& findings);

// No window twice; at most rows × columns windows; each grid window has exactly one placedRects
// entry; neither table has two entries for one window.
void checkGrid(const GridLayout& layout, Findings& findings);

// The border layout's rules, no band over 1 (checkNoBandOverfull), and every window it holds is
// where placedRects says: true after applyLayout, which records each window as read back.
void checkBorderOnDesktop(const BorderLayout& layout, Platform& platform, Findings& findings);
// The grid's rules, and every window it holds is where placedRects says.
void checkGridOnDesktop(const GridLayout& layout, Platform& platform, Findings& findings);

// Each of `windows` with a placedRects entry reads back (readWindowRect) at that rectangle: what a
// layout records is where the window went, not where it was asked to go.
void checkPlacedRects(const RectTable& placedRects, std::span<const HWND> windows, Platform& platform,
                      Findings& findings);

// The windows a border layout holds: its bands, North, West, East, South, then the Centre.
std::vector<HWND> heldWindows(const BorderLayout& layout);

// No two windows of the Border Layout overlap, and each lies inside the work area, as the layout
// sees them (`view`), wherever their minimum sizes fit in the work area at all: along each band past
// the neighbour that shortens it, and across the bands and the Centre. Windows still to take their
// placement, or to be caught up with, and user-set weights past the screen leave the rule unchecked.
void checkBorderWindowsApart(const BorderLayout& layout, sim::SimDesktop& desktop, Platform& view, Findings& findings);

// Every layout keeps its rules, and no window is held by two layouts.
void checkShell(const Shell& shell, Findings& findings);

// What Tessellor tells of each window agrees with what its layouts do: a window told "tiled" is held
// by a layout, and a window a layout holds is told "tiled". After a layout started with automatic
// adding (`started`), no window of its monitor and desktop is told "not taken" for want of another
// reason, unless the layout is full.
void checkWhyAgrees(Shell& shell, const sim::SimDesktop& desktop, const RunningLayout* started, Findings& findings);

// No window of a layout whose virtual desktop is not shown was placed by these calls.
void checkNothingPlacedAway(Shell& shell, const sim::SimDesktop& desktop, std::span<const sim::PlacementCall> calls,
                            Findings& findings);

// What the placement calls of one event may ask of the window system.
struct PlacementLimits {
  std::size_t maxCalls;     // more is a runaway
  long long maxCoordinate;  // farther from 0 than this is arithmetic gone astray
};

void checkPlacements(std::span<const sim::PlacementCall> calls, const PlacementLimits& limits, Findings& findings);

// The windows whose last placement in these calls the window system took: each once, in order.
// A layout records where such a window went, or the rectangle it asked for, which is the same.
std::vector<HWND> windowsPlacedAsAsked(std::span<const sim::PlacementCall> calls);

// One event places each window once: one call a window in a batch (a restore to the normal state
// may be followed by the raise of the same window), and again in a later batch only when the fit
// pass widened a band in the event (`fitPassWidened`: a window would not be as thin as its band)
// or when `hasFrame` says the window has an invisible frame, measured anew once it is normal. No
// call asks a normal window for the rectangle it has.
void checkPlacedOnce(std::span<const sim::PlacementCall> calls, bool fitPassWidened,
                     const std::function<bool(HWND)>& hasFrame, Findings& findings);

}  // namespace tessellor::check
