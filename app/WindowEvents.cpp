#include "app/WindowEvents.h"

#include <algorithm>

#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"
#include "app/layouts/LayoutTable.h"
#include "app/layouts/MonitorMoves.h"

#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "layout/readWindowRect.h"
#include "settings/ApplicationWindow.h"
#include "settings/WindowShape.h"

namespace tessellor {

namespace {

// Border Layout -------------------------------------------------------------------------------

void borderSizing(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  if (border.sideOf(hwnd) == NoSide) return;
  if (!border.onUserMoveSize(hwnd)) shell.current->savedSides.removePos(hwnd);  // dragged out of the layout
  border.applyLayout();
}

// A closed handle may come back as another window: nothing of this one may wait for it.
void borderClose(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  if (const int side = border.sideOf(hwnd); side != NoSide) {
    border.removeWindow(hwnd, side, ForgetRects::Yes, Park::No);
  } else {
    border.forgetWindow(hwnd);  // minimised, maximised or hidden when it closed
  }
  shell.current->savedSides.removePos(hwnd);
  shell.current->savedSlots.removePos(hwnd);
}

// Minimised or maximised: the window leaves the layout, but its band, place and share are kept so
// that a restore puts it back.
void borderLeave(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  const int side = border.sideOf(hwnd);
  if (side == NoSide) return;
  if (!shell.current->savedSides.addPos(hwnd, side)) shell.current->savedSides.updatePos(hwnd, side);
  if (side != Centre) {
    const int slot = border.indexInSide(hwnd, side);
    if (!shell.current->savedSlots.addPos(hwnd, slot)) shell.current->savedSlots.updatePos(hwnd, slot);
  }
  border.removeWindow(hwnd, side, ForgetRects::No, Park::Yes);
}

void borderRestore(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  if (border.sideOf(hwnd) != NoSide) return;
  const int side = shell.current->savedSides.findPos(hwnd);
  if (side == NoSide) return;  // never held, or forgotten
  // Still hidden, or full-screen now: its entries wait for the next restore.
  if (!mayTakeBack(shell.platform, hwnd)) return;
  prepareToTake(shell, hwnd);
  // A full band or a refused Centre leaves the window out, with its entries kept.
  if (side == Centre) {
    border.addToCentre(hwnd);
  } else if (const int slot = shell.current->savedSlots.findPos(hwnd); slot != NoPos) {
    border.insertWindow(hwnd, side, slot);
  } else {
    border.addWindow(hwnd, side);
  }
}

void borderEvent(Shell& shell, UINT message, HWND hwnd, WORD showCommand) {
  const HookMessages& m = shell.messages;
  if (message == m.sizing) {
    borderSizing(shell, hwnd);
  } else if (message == m.close) {
    borderClose(shell, hwnd);
  } else if (showCommand == SW_MINIMIZE || showCommand == SW_MAXIMIZE) {
    borderLeave(shell, hwnd);
  } else if (showCommand == SW_RESTORE) {
    borderRestore(shell, hwnd);
  }
}

// Grid Layout ---------------------------------------------------------------------------------

void gridEvent(Shell& shell, UINT message, HWND hwnd, WORD showCommand) {
  const HookMessages& m = shell.messages;
  GridLayout& grid = *shell.gridLayout();
  if (message == m.sizing) {
    grid.onUserMoveSize(hwnd);
  } else if (message == m.close) {
    if (grid.contains(hwnd)) {
      grid.removeWindow(hwnd, ForgetRects::Yes);
    } else {
      // Closed while out of the grid: a later window with this handle must not inherit its first
      // rectangle (addRect keeps an old entry) and be put back there when the layout ends.
      grid.originalRects.removeRect(hwnd);
      grid.placedRects.removeRect(hwnd);
    }
  } else if (showCommand == SW_MINIMIZE || showCommand == SW_MAXIMIZE) {
    if (grid.contains(hwnd)) {
      grid.removeWindow(hwnd, ForgetRects::No);  // its first rectangle stays for a later restore of the layout
      grid.arrange();
    }
  } else if (showCommand == SW_RESTORE && !grid.contains(hwnd)) {
    // Any restored or shown window joins, but not a palette, a dialog, a window we cannot move or
    // size, a full-screen program, nor one still hidden (a cell nobody could see).
    if (!mayTakeBack(shell.platform, hwnd) || wasDenied(shell, hwnd)) return;
    prepareToTake(shell, hwnd);
    grid.addWindow(hwnd);
    grid.arrange();
    grid.rememberPlacedRect(hwnd);
  }
}

// Moves outside a move-size loop ------------------------------------------------------------

// Snap, or another program, moved a window of the layout: unless it stands where the layout placed
// it (the move was Tessellor's own), it is a user's move, as a drag that ended there. A window
// minimised, maximised or hidden meanwhile is left to its own event.
bool isUserMove(Shell& shell, HWND hwnd) {
  Platform& p = shell.platform;
  if (!p.IsWindowVisible(hwnd) || p.IsIconic(hwnd) || (p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0) {
    return false;
  }
  // A window still to take the layout's placement stands where it stood: it is judged once it has.
  const std::vector<HWND>& late = shell.current->lateWindows;
  if (std::find(late.begin(), late.end(), hwnd) != late.end()) return false;
  const RectTable* placed = nullptr;
  if (const BorderLayout* border = shell.borderLayout(); border != nullptr && border->sideOf(hwnd) != NoSide) {
    placed = &border->placedRects;
  } else if (const GridLayout* grid = shell.gridLayout(); grid != nullptr && grid->contains(hwnd)) {
    placed = &grid->placedRects;
  }
  RECT where{};
  if (placed == nullptr || !placed->findRect(hwnd, &where)) return false;
  RECT now{};
  readWindowRect(shell.current->placements, hwnd, &now);
  return now != where;
}

// The event for one layout.
void layoutEvent(Shell& shell, UINT message, HWND hwnd, WORD showCommand) {
  const HookMessages& m = shell.messages;
  const DesktopEvent onDesktops = desktopEventOf(shell, *shell.current, message, hwnd, showCommand);
  if (onDesktops == DesktopEvent::Switch) return;
  if (onDesktops == DesktopEvent::Left) showCommand = SW_MINIMIZE;
  if (message == m.moved) {
    if (!isUserMove(shell, hwnd)) return;
    message = m.sizing;
  }
  if (message == m.sizing && followMoveToAnotherMonitor(shell, hwnd)) return;
  if (shell.layoutMode() == LayoutBorder) {
    borderEvent(shell, message, hwnd, showCommand);
  } else if (shell.layoutMode() == LayoutGrid) {
    gridEvent(shell, message, hwnd, showCommand);
  }
}

// The layout a window's event is for: the one that holds it or keeps its place; a window no layout
// keeps, restored or shown, is taken by the one layout running (a Grid Layout takes any), or, where
// several run, only by a Grid Layout of its own monitor on the desktop shown.
RunningLayout* layoutForWindow(Shell& shell, HWND hwnd, WORD showCommand) {
  if (RunningLayout* keeping = layoutKeeping(shell, hwnd)) return keeping;
  if (showCommand != SW_RESTORE || shell.layouts.empty()) return nullptr;
  if (shell.layouts.size() == 1) return shell.layouts.front().get();
  RunningLayout* mine =
      layoutOn(shell, shell.platform.MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), shownDesktop(shell));
  return mine != nullptr && mine->mode() == LayoutGrid ? mine : nullptr;
}

}  // namespace

bool dispatchWindowEvent(Shell& shell, UINT message, WPARAM wParam, LPARAM lParam) {
  const HookMessages& m = shell.messages;
  if (message != m.sizing && message != m.close && message != m.minmax && message != m.moved) return false;
  HWND hwnd = handleFromValue(wParam);
  // Any program can post these messages. A close may arrive after its window is gone; a move or a
  // restore of a handle that is no window would put a non-window into a cell.
  if (message != m.close && !shell.platform.IsWindow(hwnd)) return true;
  // A close of a window that is still there and shown cannot be true: another program forged it.
  if (message == m.close && shell.platform.IsWindow(hwnd) && shell.platform.IsWindowVisible(hwnd)) return true;
  const WORD showCommand = message == m.minmax ? LOWORD(static_cast<std::uintptr_t>(lParam)) : 0;
  if (message == m.close) {
    forgetDenied(shell, hwnd);
    // A closed handle may come back as another window: no layout may keep anything of this one.
    std::vector<RunningLayout*> layouts;
    for (const auto& layout : shell.layouts) layouts.push_back(layout.get());
    for (RunningLayout* layout : layouts) {
      const ActingOn acting(shell, layout);
      layoutEvent(shell, message, hwnd, showCommand);
    }
    return true;
  }
  RunningLayout* layout = layoutForWindow(shell, hwnd, showCommand);
  if (layout == nullptr) {
    // No layout's to take, but every layout notes a window its desktop's switch cloaks, so that
    // its uncloaking is not taken for a restore.
    for (const auto& running : shell.layouts) desktopEventOf(shell, *running, message, hwnd, showCommand);
    return true;
  }
  const ActingOn acting(shell, layout);
  layoutEvent(shell, message, hwnd, showCommand);
  return true;
}

}  // namespace tessellor
