#include "app/LatePlacements.h"

#include <algorithm>

namespace tessellor {

namespace {

// Short enough that a band widens before the user sees the overlap for long; a window that takes
// longer still is asked again at the next event.
constexpr UINT kLookAgainMs = 50;

bool contains(const std::vector<HWND>& list, HWND hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

}  // namespace

void noteLatePlacements(Shell& shell, const PlacementOutcome& outcome) {
  RunningLayout& layout = *shell.current;
  const std::vector<HWND> held = layout.engine.heldWindows();
  const bool anyWaited = std::any_of(shell.layouts.begin(), shell.layouts.end(),
                                     [](const auto& running) { return !running->lateWindows.empty(); });
  for (HWND hwnd : outcome.placed) std::erase(layout.lateWindows, hwnd);
  for (HWND hwnd : outcome.late) {
    if (contains(held, hwnd) && !contains(layout.lateWindows, hwnd)) layout.lateWindows.push_back(hwnd);
  }
  if (!anyWaited && !layout.lateWindows.empty()) {
    shell.platform.SetTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER, kLookAgainMs, nullptr);
  }
}

void readBackAnsweredWindows(Shell& shell) {
  Platform& p = shell.platform;
  bool waiting = false;
  bool answered = false;
  for (const auto& layout : shell.layouts) {
    if (layout->lateWindows.empty()) continue;
    answered = true;
    const ActingOn acting(shell, layout.get());
    const std::vector<HWND> late = std::move(layout->lateWindows);
    layout->lateWindows.clear();
    for (HWND hwnd : late) {
      if (!contains(layout->engine.heldWindows(), hwnd) || !p.IsWindow(hwnd)) continue;
      if (p.placementPending(hwnd)) {
        layout->lateWindows.push_back(hwnd);
        continue;
      }
      layout->engine.readBackAnswered(hwnd);
      // Standing in its cell now, as far as it would: from here its own events are caught up with.
      if (!contains(layout->settledWindows, hwnd)) layout->settledWindows.push_back(hwnd);
    }
    waiting = waiting || !layout->lateWindows.empty();
  }
  if (answered && !waiting) p.KillTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER);
}

}  // namespace tessellor
