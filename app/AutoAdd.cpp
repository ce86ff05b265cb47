#include "app/AutoAdd.h"

#include "app/desktop/UnmovableWindows.h"
#include "app/journal/RestoreJournal.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/Eligibility.h"

namespace tessellor {

namespace {

// One run of the enumeration.
struct Fill {
  Shell& shell;
  HWND centre;  // the window for the Centre; null: the first one taken
};

// A window of another virtual desktop is cloaked, and so not eligible. The layout takes its own
// monitor's windows; a hotkey can still bring in any other. A window of that monitor that Tessellor
// may not move is named in a balloon when `noteUnmovable` says so.
bool takenAtStart(Shell& shell, HWND hwnd, bool noteUnmovable) {
  Platform& p = shell.platform;
  bool unmovable = false;
  const bool eligible = isWindowEligible(p, shell.mainDialog, hwnd, shell.programNames, &unmovable);
  unmovable = unmovable || (eligible && wasDenied(shell, hwnd));
  if ((!eligible && !unmovable) || p.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) != shell.current->monitor()) {
    return false;
  }
  // Another layout's window stays its own.
  if (const RunningLayout* holding = layoutHolding(shell, hwnd); holding != nullptr && holding != shell.current) {
    return false;
  }
  if (unmovable && noteUnmovable) noteUnmovableWindow(shell, hwnd);
  return !unmovable;
}

BOOL addWindowIfEligible(HWND hwnd, LPARAM fillParam) {
  Fill& fill = *reinterpret_cast<Fill*>(fillParam);
  Shell& shell = fill.shell;
  if (!takenAtStart(shell, hwnd, true)) return TRUE;
  prepareToTake(shell, hwnd);
  if (BorderLayout* border = shell.borderLayout()) {
    if (fill.centre == nullptr) fill.centre = hwnd;
    if (hwnd == fill.centre) {
      border->addWindow(hwnd, Centre);
    } else {
      border->addWindow(hwnd, shell.nextSide);
      shell.nextSide = (shell.nextSide + 1) % 4;
    }
  } else if (GridLayout* grid = shell.gridLayout()) {
    grid->addWindow(hwnd);
  }
  return TRUE;
}

}  // namespace

void addEligibleWindows(Shell& shell) {
  Platform& p = shell.platform;
  // Without the foreground window (none, a dialog, a palette, an excluded program) the Centre would
  // stay empty: the window used last, the topmost taken, fills it instead.
  const HWND foreground = shell.borderLayout() != nullptr ? p.GetForegroundWindow() : nullptr;
  Fill fill{shell, foreground != nullptr && takenAtStart(shell, foreground, false) ? foreground : nullptr};
  p.EnumWindows(addWindowIfEligible, reinterpret_cast<LPARAM>(&fill));
}

}  // namespace tessellor
