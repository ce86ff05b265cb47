// Virtual desktops: the user shows another desktop or moves a window to one. The shell cloaks and
// uncloaks windows, and the hook library posts for each what it posts for `cloak` and `uncloak`.
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

void postHook(ScenarioRunner& r, HWND hwnd, WORD showCommand) {
  r.desktop().postHookEvent(r.desktop().registeredMessage("UWM_MINMAX"), handleValue(hwnd), showCommand);
}

void postChange(ScenarioRunner& r, const SimDesktop::DesktopChange& change) {
  for (HWND hwnd : change.cloaked) postHook(r, hwnd, SW_MINIMIZE);
  for (HWND hwnd : change.uncloaked) {
    if (r.desktop().isMinimized(hwnd)) continue;  // as `uncloak`: a minimised window shows nothing
    postHook(r, hwnd, r.desktop().isMaximized(hwnd) ? SW_MAXIMIZE : SW_RESTORE);
  }
}

void switchDesktop(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const std::optional<std::string> desktop = a.word(0);
  if (desktop) postChange(r, r.desktop().switchDesktop(*desktop));
}

void moveToDesktop(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  const std::optional<std::string> desktop = a.word(1);
  if (a.failed() || !desktop) return;
  postChange(r, r.desktop().moveToDesktop(hwnd, *desktop));
}

constexpr Command kCommands[] = {
    {"switch-desktop", switchDesktop},
    {"move-to-desktop", moveToDesktop},
};

}  // namespace

std::span<const Command> virtualDesktopCommands() { return kCommands; }

}  // namespace tessellor::sim
