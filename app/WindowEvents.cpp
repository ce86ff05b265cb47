#include "app/WindowEvents.h"

#include <algorithm>

#include "app/desktop/UnmovableWindows.h"
#include "app/desktop/VirtualDesktops.h"
#include "app/journal/RestoreJournal.h"

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
  if (!border.onUserMoveSize(hwnd)) shell.savedSides.removePos(hwnd);  // dragged out of the layout
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
  shell.savedSides.removePos(hwnd);
  shell.savedSlots.removePos(hwnd);
}

// Minimised or maximised: the window leaves the layout, but its band, place and share are kept so
// that a restore puts it back.
void borderLeave(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  const int side = border.sideOf(hwnd);
  if (side == NoSide) return;
  if (!shell.savedSides.addPos(hwnd, side)) shell.savedSides.updatePos(hwnd, side);
  if (side != Centre) {
    const int slot = border.indexInSide(hwnd, side);
    if (!shell.savedSlots.addPos(hwnd, slot)) shell.savedSlots.updatePos(hwnd, slot);
  }
  border.removeWindow(hwnd, side, ForgetRects::No, Park::Yes);
}

void borderRestore(Shell& shell, HWND hwnd) {
  BorderLayout& border = *shell.borderLayout();
  if (border.sideOf(hwnd) != NoSide) return;
  const int side = shell.savedSides.findPos(hwnd);
  if (side == NoSide) return;  // never held, or forgotten
  // Still hidden, or full-screen now: its entries wait for the next restore.
  if (!mayTakeBack(shell.platform, hwnd)) return;
  keepBeforeTaking(shell, hwnd);
  // A full band or a refused Centre leaves the window out, with its entries kept.
  if (side == Centre) {
    border.addToCentre(hwnd);
  } else if (const int slot = shell.savedSlots.findPos(hwnd); slot != NoPos) {
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
    keepBeforeTaking(shell, hwnd);
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
  if (std::find(shell.lateWindows.begin(), shell.lateWindows.end(), hwnd) != shell.lateWindows.end()) return false;
  const RectTable* placed = nullptr;
  if (const BorderLayout* border = shell.borderLayout(); border != nullptr && border->sideOf(hwnd) != NoSide) {
    placed = &border->placedRects;
  } else if (const GridLayout* grid = shell.gridLayout(); grid != nullptr && grid->contains(hwnd)) {
    placed = &grid->placedRects;
  }
  RECT where{};
  if (placed == nullptr || !placed->findRect(hwnd, &where)) return false;
  RECT now{};
  readWindowRect(shell.placements, hwnd, &now);
  return now != where;
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
  WORD showCommand = message == m.minmax ? LOWORD(static_cast<std::uintptr_t>(lParam)) : 0;
  if (message == m.close) forgetDenied(shell, hwnd);
  const DesktopEvent onDesktops = desktopEventOf(shell, message, hwnd, showCommand);
  if (onDesktops == DesktopEvent::Switch) return true;
  if (onDesktops == DesktopEvent::Left) showCommand = SW_MINIMIZE;
  if (message == m.moved) {
    if (!isUserMove(shell, hwnd)) return true;
    message = m.sizing;
  }
  if (shell.layoutMode() == LayoutBorder) {
    borderEvent(shell, message, hwnd, showCommand);
  } else if (shell.layoutMode() == LayoutGrid) {
    gridEvent(shell, message, hwnd, showCommand);
  }
  return true;
}

}  // namespace tessellor
