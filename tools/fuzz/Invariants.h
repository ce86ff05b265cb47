// The rules the program's state keeps after every event, whatever other programs and the screen
// do. Each check appends one line per broken rule to `findings`.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "app/Shell.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor::fuzz {

using Findings = std::vector<std::string>;

// No window in two cells or twice in one; each window of a cell has exactly one placedRects entry;
// neither table has two entries for one window; every weight, boundary and share is finite.
void checkBorder(const BorderLayout& layout, Findings& findings);

// No window twice; at most rows × columns windows; neither table has two entries for one window.
void checkGrid(const GridLayout& layout, Findings& findings);

// LayoutMode names the one layout object that exists, and that layout keeps its rules.
void checkShell(const Shell& shell, Findings& findings);

// What the placement calls of one event may ask of the window system.
struct PlacementLimits {
  std::size_t maxCalls;     // more is a runaway
  long long maxCoordinate;  // farther from 0 than this is arithmetic gone astray
};

void checkPlacements(std::span<const sim::PlacementCall> calls, const PlacementLimits& limits, Findings& findings);

}  // namespace tessellor::fuzz
