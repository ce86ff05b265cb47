// Where a window stood before a layout took it, and putting it back there.
#pragma once

#include <optional>

#include "platform/Platform.h"

namespace tessellor {

// The window's normal rectangle, as GetWindowPlacement gives it on the real desktop (screen
// coordinates where no taskbar stands at the top or left of the screen), and whether it was
// maximised over it.
struct KeptPlacement {
  RECT normal{};
  bool maximized = false;
  friend bool operator==(const KeptPlacement&, const KeptPlacement&) = default;
};

// The window's placement now; nothing for no window or a minimised one (Windows parks it
// off-screen: there is no place to keep).
std::optional<KeptPlacement> readKeptPlacement(Platform& platform, HWND hwnd);

// Puts the window back there as the end of a layout does: normal at its rectangle, or maximised
// with it as its normal rectangle, moved onto a monitor when no monitor holds any of it any more;
// then raised to the top and activated. A window minimised or hidden now stays so, with that
// rectangle to come back to.
void putBack(Platform& platform, HWND hwnd, const KeptPlacement& kept);

}  // namespace tessellor
