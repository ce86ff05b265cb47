#include "app/layouts/LayoutTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

namespace {

// The window's first place, as another layout kept it, becomes the current layout's.
void carryFirstPlace(Shell& shell, HWND hwnd, const KeptPlacement& first) {
  if (BorderLayout* border = shell.borderLayout()) border->originalRects.addPlacement(hwnd, first);
  if (GridLayout* grid = shell.gridLayout()) grid->originalRects.addPlacement(hwnd, first);
}

bool contains(const std::vector<HWND>& list, HWND hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

// The order layouts are placed in: the primary monitor's first, then by monitor, then by desktop.
bool placedBefore(const RunningLayout& a, const RunningLayout& b, HMONITOR primary) {
  if ((a.monitor() == primary) != (b.monitor() == primary)) return a.monitor() == primary;
  const auto am = reinterpret_cast<std::uintptr_t>(a.monitor());
  const auto bm = reinterpret_cast<std::uintptr_t>(b.monitor());
  if (am != bm) return am < bm;
  return std::memcmp(&a.desktop, &b.desktop, sizeof a.desktop) < 0;
}

}  // namespace

RunningLayout* layoutHolding(const Shell& shell, HWND hwnd) {
  for (const auto& layout : shell.layouts) {
    if (contains(layout->engine.heldWindows(), hwnd)) return layout.get();
  }
  return nullptr;
}

RunningLayout* layoutKeeping(const Shell& shell, HWND hwnd) {
  if (RunningLayout* holding = layoutHolding(shell, hwnd)) return holding;
  for (const auto& layout : shell.layouts) {
    if (layout->savedSides.findPos(hwnd) != NoPos) return layout.get();
  }
  return nullptr;
}

RunningLayout* layoutOn(const Shell& shell, HMONITOR monitor, const GUID& desktop) {
  for (const auto& layout : shell.layouts) {
    if (layout->monitor() == monitor && sameDesktop(layout->desktop, desktop)) return layout.get();
  }
  return nullptr;
}

void prepareToTake(Shell& shell, HWND hwnd) {
  for (const auto& other : shell.layouts) {
    if (other.get() == shell.current) continue;
    if (BorderLayout* border = other->engine.border()) {
      KeptPlacement first;
      if (border->originalRects.findPlacement(hwnd, &first)) carryFirstPlace(shell, hwnd, first);
      if (const int side = border->sideOf(hwnd); side != NoSide) {
        border->removeWindow(hwnd, side, ForgetRects::Yes, Park::No);
      }
      border->forgetWindow(hwnd);
    } else if (GridLayout* grid = other->engine.grid()) {
      KeptPlacement first;
      if (grid->originalRects.findPlacement(hwnd, &first)) carryFirstPlace(shell, hwnd, first);
      if (grid->contains(hwnd)) {
        grid->removeWindow(hwnd, ForgetRects::Yes);
      } else {
        grid->originalRects.removeRect(hwnd);
        grid->placedRects.removeRect(hwnd);
      }
    }
    other->savedSides.removePos(hwnd);
    other->savedSlots.removePos(hwnd);
    std::erase(other->settledWindows, hwnd);
    std::erase(other->lateWindows, hwnd);
    other->placements.cancel(hwnd);
  }
  keepBeforeTaking(shell, hwnd);
}

HMONITOR workingMonitor(Shell& shell) {
  Platform& p = shell.platform;
  const HWND foreground = p.GetForegroundWindow();
  return foreground != nullptr ? p.MonitorFromWindow(foreground, MONITOR_DEFAULTTONEAREST)
                               : p.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
}

RunningLayout* layoutForKeys(Shell& shell) {
  if (shell.layouts.size() == 1) return shell.layouts.front().get();
  return layoutOn(shell, workingMonitor(shell), shownDesktop(shell));
}

RunningLayout* addLayout(Shell& shell) {
  const HMONITOR monitor = workingMonitor(shell);
  const GUID desktop = shownDesktop(shell);
  if (layoutOn(shell, monitor, desktop) != nullptr) return nullptr;
  auto layout = std::make_unique<RunningLayout>(shell.reads);
  layout->view.useMonitor(monitor);
  layout->desktop = desktop;
  RunningLayout* added = layout.get();
  const HMONITOR primary = shell.platform.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
  const auto at = std::find_if(shell.layouts.begin(), shell.layouts.end(),
                               [&](const auto& other) { return placedBefore(*added, *other, primary); });
  shell.layouts.insert(at, std::move(layout));
  return added;
}

void retireLayout(Shell& shell, RunningLayout* layout) {
  const auto it = std::find_if(shell.layouts.begin(), shell.layouts.end(),
                               [layout](const auto& held) { return held.get() == layout; });
  if (it == shell.layouts.end()) return;
  layout->engine.end();
  shell.retired.push_back(std::move(*it));
  shell.layouts.erase(it);
}

void freeRetiredLayouts(Shell& shell) {
  for (const auto& layout : shell.retired) {
    if (shell.current == layout.get()) shell.current = nullptr;
  }
  shell.retired.clear();
}

}  // namespace tessellor
