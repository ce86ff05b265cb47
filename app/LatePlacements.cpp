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
  const std::vector<HWND> held = shell.layout.heldWindows();
  const bool waited = !shell.lateWindows.empty();
  for (HWND hwnd : outcome.placed) std::erase(shell.lateWindows, hwnd);
  for (HWND hwnd : outcome.late) {
    if (contains(held, hwnd) && !contains(shell.lateWindows, hwnd)) shell.lateWindows.push_back(hwnd);
  }
  if (!waited && !shell.lateWindows.empty()) {
    shell.platform.SetTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER, kLookAgainMs, nullptr);
  }
}

void readBackAnsweredWindows(Shell& shell) {
  if (shell.lateWindows.empty()) return;
  Platform& p = shell.platform;
  const std::vector<HWND> late = std::move(shell.lateWindows);
  shell.lateWindows.clear();
  for (HWND hwnd : late) {
    if (!contains(shell.layout.heldWindows(), hwnd) || !p.IsWindow(hwnd)) continue;
    if (p.placementPending(hwnd)) {
      shell.lateWindows.push_back(hwnd);
      continue;
    }
    shell.layout.readBackAnswered(hwnd);
    // Standing in its cell now, as far as it would: from here its own events are caught up with.
    if (!contains(shell.settledWindows, hwnd)) shell.settledWindows.push_back(hwnd);
  }
  if (shell.lateWindows.empty()) p.KillTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER);
}

}  // namespace tessellor
