// Where a window stood before a layout took it, and putting it back there.
#pragma once

#include <optional>

#include "platform/Platform.h"

namespace tessellor {

// Where a window stood: its normal rectangle in screen coordinates, as GetWindowRect gives it (or
// GetWindowPlacement, for a maximised window), and whether it was maximised over it. Put back as it
// was read: it is no visible bounds, and no view of the desktop converts it.
struct KeptPlacement {
  RECT normal{};
  bool maximized = false;
  friend bool operator==(const KeptPlacement&, const KeptPlacement&) = default;
};

// Whether the window stands somewhere it can be put back to: not minimised (Windows parks a
// minimised window off-screen; a monitor left of or above the primary has negative coordinates
// too, so the place itself cannot tell), and a window at all.
inline bool hasOwnPlace(Platform& platform, HWND hwnd) { return platform.IsWindow(hwnd) && !platform.IsIconic(hwnd); }

// The window's placement now, as the window system gives it (a window rectangle, invisible frame
// and all; the normal rectangle of a maximised window); nothing for a window without a place of
// its own.
std::optional<KeptPlacement> readKeptPlacement(Platform& platform, HWND hwnd);

// Puts the window back there as the end of a layout does: normal at its rectangle, or maximised
// with it as its normal rectangle (also when it is minimised now), moved onto a monitor when no
// monitor holds any of it any more; then raised to the top and activated. A window hidden now, or
// minimised now and kept normal, stays so, with that rectangle to come back to. Made through the
// event's held placements, each in its turn.
void putBack(Platform& platform, HWND hwnd, const KeptPlacement& kept);

}  // namespace tessellor
