#include "app/AutoAdd.h"

#include "app/RestoreJournal.h"
#include "app/UnmovableWindows.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/Eligibility.h"

namespace tessellor {

BOOL addWindowIfEligible(HWND hwnd, LPARAM shellParam) {
  Shell& shell = *reinterpret_cast<Shell*>(shellParam);
  Platform& p = shell.platform;
  // A window of another virtual desktop is cloaked, and so not eligible.
  bool unmovable = false;
  const bool eligible = isWindowEligible(p, shell.mainDialog, hwnd, &unmovable);
  unmovable = unmovable || (eligible && wasDenied(shell, hwnd));
  // The layout takes its own monitor's windows; a hotkey can still bring in any other.
  if ((!eligible && !unmovable) || p.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) != shell.desktop.monitor()) {
    return TRUE;
  }
  if (unmovable) {
    noteUnmovableWindow(shell, hwnd);
    return TRUE;
  }
  keepBeforeTaking(shell, hwnd);
  if (BorderLayout* border = shell.borderLayout()) {
    if (hwnd == p.GetForegroundWindow()) {
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

}  // namespace tessellor
