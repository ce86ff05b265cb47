#include "app/SettlePlacements.h"

#include <algorithm>
#include <cstdint>

#include "app/LatePlacements.h"
#include "app/MissedEvents.h"
#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"

namespace tessellor {

namespace {

// The event's placements and at most ten re-applications for windows that would not fit their
// band: one that keeps growing as it is placed would otherwise widen its band for ever.
constexpr int kMaxRounds = 11;

bool contains(const std::vector<HWND>& list, HWND hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

// Only windows the layout placed before and saw normal: one that joins minimised or maximised is
// brought back to normal by its first placement, as it always was.
void catchUpWithMissedEvents(Shell& shell, RunningLayout& layout) {
  const std::vector<HWND> held = layout.engine.heldWindows();
  const std::vector<HWND> pending = layout.placements.windows();
  for (HWND hwnd : pending) {
    if (!contains(held, hwnd) || !contains(layout.settledWindows, hwnd)) continue;
    if (!catchUpWith(shell, hwnd)) continue;
    std::erase(layout.settledWindows, hwnd);
    if (!contains(layout.engine.heldWindows(), hwnd)) layout.placements.cancel(hwnd);
  }
}

void settleLayout(Shell& shell, RunningLayout& layout) {
  // A window that left the layout in an event that placed nothing (the last one, minimised) is not
  // its to catch up with when it joins again.
  const std::vector<HWND> heldNow = layout.engine.heldWindows();
  std::erase_if(layout.settledWindows, [&](HWND hwnd) { return !contains(heldNow, hwnd); });
  // While another virtual desktop is shown the layout's windows keep their cells: what an event
  // changed meanwhile (a window closed, the display changed) is placed once their desktop is back.
  if (!layout.placements.empty() && !layoutDesktopShown(shell, layout)) {
    // Only the layout's own windows wait: one that left it meanwhile is no longer its to move.
    const std::vector<HWND> waiting = layout.placements.windows();
    for (HWND hwnd : waiting) {
      if (!contains(heldNow, hwnd)) layout.placements.cancel(hwnd);
    }
    return;
  }
  for (int round = 0; round < kMaxRounds && !layout.placements.empty(); ++round) {
    catchUpWithMissedEvents(shell, layout);
    const PlacementOutcome outcome = layout.placements.flush();
    noteLatePlacements(shell, outcome);
    const std::vector<HWND> held = layout.engine.heldWindows();
    for (const auto* seen : {&outcome.placed, &outcome.standing}) {
      for (HWND hwnd : *seen) {
        if (contains(held, hwnd) && !contains(layout.settledWindows, hwnd)) layout.settledWindows.push_back(hwnd);
      }
    }
    std::erase_if(layout.settledWindows, [&](HWND hwnd) { return !contains(held, hwnd); });
    layout.engine.settlePlacements(outcome, round + 1 < kMaxRounds ? Refit::Yes : Refit::No);
    dropDeniedWindows(shell, outcome);
  }
}

}  // namespace

void settlePlacements(Shell& shell) {
  // Layout by layout, in the table's order; the table may lose a layout meanwhile (none ends here,
  // but the copy keeps the walk sound).
  std::vector<RunningLayout*> layouts;
  for (const auto& layout : shell.layouts) layouts.push_back(layout.get());
  for (RunningLayout* layout : layouts) {
    const ActingOn acting(shell, layout);
    settleLayout(shell, *layout);
  }
  // Windows put back where they were kept, the last one put back raised last.
  if (!shell.putBacks.empty()) noteLatePutBacks(shell, shell.putBacks.flush());
}

}  // namespace tessellor
