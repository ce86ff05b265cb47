#include <algorithm>

#include "app/desktop/VirtualDesktops.h"
#include "tools/check/Invariants.h"

namespace tessellor::check {

void checkShell(const Shell& shell, Findings& findings) {
  std::vector<HWND> seen;
  for (const auto& layout : shell.layouts) {
    if (const BorderLayout* border = layout->engine.border()) checkBorder(*border, findings);
    if (const GridLayout* grid = layout->engine.grid()) checkGrid(*grid, findings);
    for (HWND hwnd : layout->engine.heldWindows()) {
      if (std::find(seen.begin(), seen.end(), hwnd) != seen.end()) {
        findings.push_back("a window is held by two layouts");
      }
      seen.push_back(hwnd);
    }
  }
}

void checkNothingPlacedAway(Shell& shell, const sim::SimDesktop& desktop, std::span<const sim::PlacementCall> calls,
                            Findings& findings) {
  for (const auto& layout : shell.layouts) {
    if (layoutDesktopShown(shell, *layout)) continue;
    for (HWND hwnd : layout->engine.heldWindows()) {
      const bool placed = std::any_of(calls.begin(), calls.end(), [hwnd](const sim::PlacementCall& call) {
        return call.hwnd == hwnd && call.kind != sim::PlacementCall::Kind::SetActiveWindow;
      });
      if (placed) findings.push_back(desktop.nameOf(hwnd) + " was placed while its layout's desktop is away");
    }
  }
}

}  // namespace tessellor::check
