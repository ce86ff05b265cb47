#include <algorithm>

#include "app/desktop/VirtualDesktops.h"
#include "app/layouts/LayoutTable.h"
#include "app/layouts/WhyNotTiled.h"
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

void checkWhyAgrees(Shell& shell, const sim::SimDesktop& desktop, const RunningLayout* started, Findings& findings) {
  for (HWND hwnd : desktop.windows()) {
    if (desktop.isProgramWindow(hwnd)) continue;
    const WhyAnswer answer = whyNotTiled(shell, hwnd);
    const bool held = layoutHolding(shell, hwnd) != nullptr;
    if ((answer.why == Why::Tiled) != held) {
      findings.push_back(desktop.nameOf(hwnd) + (held ? " is held but not told tiled" : " is told tiled but not held"));
    }
    // A Grid Layout takes every window it may, twelve at most; a Border Layout passes a window over
    // when the band it deals it to is full.
    const GridLayout* grid = started != nullptr ? started->engine.grid() : nullptr;
    if (grid == nullptr || grid->windows.size() >= 12 || answer.why != Why::NotTaken || !answer.eligible) continue;
    if (desktop.isHidden(hwnd) || desktop.isMinimized(hwnd) || desktop.isMaximized(hwnd)) continue;
    if (started->monitor() != shell.platform.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)) continue;
    findings.push_back(desktop.nameOf(hwnd) +
                       " is told not taken, yet the layout started with every window left it out");
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
