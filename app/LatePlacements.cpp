#include "app/LatePlacements.h"

#include <algorithm>

#include "app/desktop/VirtualDesktops.h"

namespace tessellor {

namespace {

// Short enough that a band widens before the user sees the overlap for long; a window that takes
// longer still is asked again at the next event.
constexpr UINT kLookAgainMs = 50;

bool contains(const std::vector<HWND>& list, HWND hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

bool anyLate(const Shell& shell) {
  return !shell.latePutBacks.empty() || std::any_of(shell.layouts.begin(), shell.layouts.end(),
                                                    [](const auto& running) { return !running->lateWindows.empty(); });
}

// The windows put back late that have answered: one of them that took the front on the way gives it
// back to the window meant to end in front.
void settleLatePutBacks(Shell& shell) {
  Platform& p = shell.platform;
  std::vector<HWND> answered;
  std::erase_if(shell.latePutBacks, [&](HWND hwnd) {
    if (p.IsWindow(hwnd) && p.placementPending(hwnd)) return false;
    answered.push_back(hwnd);
    return true;
  });
  if (!shell.latePutBacks.empty() || shell.putBackFront == nullptr) return;
  const HWND front = std::exchange(shell.putBackFront, nullptr);
  // One on a desktop away stays there: raised, it would switch the desktop under the user.
  if (contains(answered, p.GetForegroundWindow()) && p.IsWindow(front) && windowOnShownDesktop(shell, front)) {
    shell.putBacks.SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

}  // namespace

void noteLatePutBacks(Shell& shell, const PlacementOutcome& outcome) {
  const bool anyWaited = anyLate(shell);
  for (HWND hwnd : outcome.late) {
    if (hwnd != outcome.activated && !contains(shell.latePutBacks, hwnd)) shell.latePutBacks.push_back(hwnd);
  }
  if (shell.latePutBacks.empty()) return;
  shell.putBackFront = outcome.activated;
  if (!anyWaited) shell.platform.SetTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER, kLookAgainMs, nullptr);
}

void noteLatePlacements(Shell& shell, const PlacementOutcome& outcome) {
  RunningLayout& layout = *shell.current;
  const std::vector<HWND> held = layout.engine.heldWindows();
  const bool anyWaited = anyLate(shell);
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
  const bool answered = anyLate(shell);
  settleLatePutBacks(shell);
  for (const auto& layout : shell.layouts) {
    if (layout->lateWindows.empty()) continue;
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
  }
  if (answered && !anyLate(shell)) p.KillTimer(shell.mainDialog, LATE_PLACEMENTS_TIMER);
}

}  // namespace tessellor
