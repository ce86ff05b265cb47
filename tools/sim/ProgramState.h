// What `expect mode`, `expect side` and `print layout` read from the running program's shell.
#pragma once

#include <string>
#include <vector>

#include "app/Shell.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

// "none", "border" or "grid".
std::string modeName(LayoutMode mode);
// The kind of the one layout running; "none" without a running program or a layout.
std::string modeName(const Shell* shell);

// The cell that holds hwnd in whichever layout holds it: "north", "west", "east", "south",
// "centre" (searched in that order), "grid", or "none".
std::string sideName(const Shell* shell, HWND hwnd);

// A running layout with the names of its monitor and virtual desktop.
struct NamedLayout {
  const RunningLayout* layout;
  std::string monitor;
  std::string desktop;
};
// The running layouts in the order they print: by monitor (the primary first, then in the order
// their lines first gave them), then by desktop name.
std::vector<NamedLayout> namedLayouts(const SimDesktop& desktop, const Shell* shell);

}  // namespace tessellor::sim
