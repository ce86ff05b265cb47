#include "app/layouts/WhyNotTiled.h"

#include <algorithm>

#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/layouts/LayoutTable.h"

namespace tessellor {

namespace {

Why fromWindowReason(WindowReason reason) {
  switch (reason) {
    case WindowReason::FullScreen:
      return Why::FullScreen;
    case WindowReason::Hidden:
      return Why::Hidden;
    case WindowReason::Minimized:
      return Why::Minimized;
    case WindowReason::OtherDesktop:
      return Why::OtherDesktop;
    case WindowReason::Cloaked:
      return Why::Cloaked;
    case WindowReason::Tool:
      return Why::Tool;
    case WindowReason::FixedSize:
      return Why::FixedSize;
    case WindowReason::HigherRights:
      return Why::HigherRights;
    case WindowReason::Excluded:
      return Why::Excluded;
    default:
      return Why::NotTaken;
  }
}

}  // namespace

WhyAnswer whyNotTiled(Shell& shell, HWND hwnd) {
  if (const RunningLayout* holding = layoutHolding(shell, hwnd)) return {Why::Tiled, {}, holding, true};
  Platform& p = shell.platform;
  const WindowVerdict own = windowReason(p, shell.mainDialog, hwnd, shell.programNames);
  // Its kind and its program's rights come first; Windows' refusal of this run after them.
  if (own.reason != WindowReason::None && own.reason <= WindowReason::HigherRights) {
    return {fromWindowReason(own.reason), {}, nullptr};
  }
  if (wasDenied(shell, hwnd)) return {Why::Refused, {}, nullptr};
  if (own.reason == WindowReason::Excluded) return {Why::Excluded, own.rule, nullptr};
  const GUID desktop = shownDesktop(shell);
  const bool anyShown = std::any_of(shell.layouts.begin(), shell.layouts.end(),
                                    [&](const auto& layout) { return sameDesktop(layout->desktop, desktop); });
  const bool eligible = own.reason == WindowReason::None;
  if (!anyShown) return {Why::NoLayout, {}, nullptr, eligible};
  if (layoutOn(shell, p.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), desktop) == nullptr) {
    return {Why::OtherMonitor, {}, nullptr, eligible};
  }
  if ((p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0) return {Why::Maximized, {}, nullptr, eligible};
  return {Why::NotTaken, {}, nullptr, eligible};
}

std::string whyWord(const WhyAnswer& answer) {
  // word per Why, in its order
  static constexpr const char* kWords[] = {"tiled",    "fullscreen", "hidden",        "minimized",     "other-desktop",
                                           "cloaked",  "tool",       "fixed-size",    "higher-rights", "refused",
                                           "excluded", "no-layout",  "other-monitor", "maximized",     "not-taken"};
  return kWords[static_cast<int>(answer.why)];
}

}  // namespace tessellor
