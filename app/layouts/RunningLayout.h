// One running layout: the Border or Grid Layout of one monitor on one virtual desktop, its view of
// that monitor's work area, its held placements, and what the shell keeps of its windows.
#pragma once

#include <vector>

#include "app/layouts/ActiveLayout.h"
#include "app/layouts/PosTable.h"
#include "platform/DesktopView.h"
#include "platform/PendingPlacements.h"

namespace tessellor {

struct RunningLayout {
  // `system` is the window system as the shell reads it, once an event.
  explicit RunningLayout(Platform& system) : view(system), placements(view, &system) {}
  RunningLayout(const RunningLayout&) = delete;
  RunningLayout& operator=(const RunningLayout&) = delete;

  LayoutMode mode() const { return engine.mode(); }
  HMONITOR monitor() const { return view.monitor(); }

  // The work area of the layout's monitor, with every window at its visible bounds.
  DesktopView view;
  // The same, with each event's placements held back until its end; the engine is built on it.
  PendingPlacements placements;
  ActiveLayout engine;
  // The virtual desktop shown when the layout started (null: none to tell).
  GUID desktop{};
  // The band and the place in it of each window the Border Layout gave up at a minimise or maximise.
  PosTable savedSides;
  PosTable savedSlots;
  // Windows it placed and saw normal since they joined: one found minimised, maximised, hidden or
  // gone before its next placement missed an event.
  std::vector<HWND> settledWindows;
  // Windows not moved in the last event, whatever its rounds re-placed, since their first places were
  // on no disk: the next event places them.
  std::vector<HWND> heldBack;
  // Windows whose placement did not answer in time: they take it once they do, and are read back then.
  std::vector<HWND> lateWindows;
  // Windows the shell cloaked since the layout's desktop went out of view.
  std::vector<HWND> cloakedByDesktop;
};

}  // namespace tessellor
