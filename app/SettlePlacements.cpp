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
void catchUpWithMissedEvents(Shell& shell) {
  const std::vector<HWND> held = shell.layout.heldWindows();
  const std::vector<HWND> pending = shell.placements.windows();
  for (HWND hwnd : pending) {
    if (!contains(held, hwnd) || !contains(shell.settledWindows, hwnd)) continue;
    if (!catchUpWith(shell, hwnd)) continue;
    std::erase(shell.settledWindows, hwnd);
    if (!contains(shell.layout.heldWindows(), hwnd)) shell.placements.cancel(hwnd);
  }
}

}  // namespace

void settlePlacements(Shell& shell) {
  // A window that left the layout in an event that placed nothing (the last one, minimised) is not
  // its to catch up with when it joins again.
  const std::vector<HWND> heldNow = shell.layout.heldWindows();
  std::erase_if(shell.settledWindows, [&](HWND hwnd) { return !contains(heldNow, hwnd); });
  // While another virtual desktop is shown the layout's windows keep their cells: what an event
  // changed meanwhile (a window closed, the display changed) is placed once their desktop is back.
  if (!shell.placements.empty() && shell.layoutMode() != LayoutNone && !layoutDesktopShown(shell)) {
    // Only the layout's own windows wait: one that left it meanwhile is no longer its to move.
    const std::vector<HWND> held = shell.layout.heldWindows();
    const std::vector<HWND> waiting = shell.placements.windows();
    for (HWND hwnd : waiting) {
      if (!contains(held, hwnd)) shell.placements.cancel(hwnd);
    }
    return;
  }
  for (int round = 0; round < kMaxRounds && !shell.placements.empty(); ++round) {
    if (shell.layoutMode() != LayoutNone) catchUpWithMissedEvents(shell);
    const PlacementOutcome outcome = shell.placements.flush();
    noteLatePlacements(shell, outcome);
    const std::vector<HWND> held = shell.layout.heldWindows();
    for (const auto* seen : {&outcome.placed, &outcome.standing}) {
      for (HWND hwnd : *seen) {
        if (contains(held, hwnd) && !contains(shell.settledWindows, hwnd)) shell.settledWindows.push_back(hwnd);
      }
    }
    std::erase_if(shell.settledWindows, [&](HWND hwnd) { return !contains(held, hwnd); });
    shell.layout.settlePlacements(outcome, round + 1 < kMaxRounds ? Refit::Yes : Refit::No);
    dropDeniedWindows(shell, outcome);
  }
}

}  // namespace tessellor
