#include "app/DontTile.h"

#include <vector>

#include "app/SavedFiles.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "layout/placement.h"
#include "resources/resource_ids.h"
#include "settings/ApplicationWindow.h"
#include "settings/Eligibility.h"
#include "settings/ExcludedEntries.h"

namespace tessellor {

namespace {

bool isOtherProgramsWindow(Shell& shell, HWND hwnd) {
  Platform& p = shell.platform;
  if (hwnd == nullptr || hwnd == shell.mainDialog || !p.IsWindow(hwnd) || !p.IsWindowVisible(hwnd)) return false;
  DWORD process = 0, ours = 0;
  p.GetWindowThreadProcessId(hwnd, &process);
  p.GetWindowThreadProcessId(shell.mainDialog, &ours);
  return process != ours && isApplicationWindow(p, hwnd);
}

bool matches(Shell& shell, HWND hwnd, const std::string& entry) {
  Platform& p = shell.platform;
  switch (entryKind(entry)) {
    case EntryKind::Title: {
      char title[100] = {};
      p.GetWindowTextA(hwnd, title, sizeof title);
      return titleMatches(title, entryText(entry));
    }
    case EntryKind::Class: {
      char name[257] = {};
      return p.GetClassNameA(hwnd, name, sizeof name) > 0 && classMatches(name, entryText(entry));
    }
    default: {
      char name[100] = {};
      return shell.programNames.programName(p, hwnd, name, sizeof name) && foldCase(name) == foldCase(entryText(entry));
    }
  }
}

// Out of its layout, back where it was before a layout took it, neither raised nor activated.
void letGo(Shell& shell, RunningLayout& layout, HWND hwnd) {
  KeptPlacement kept;
  bool hasKept = false;
  if (BorderLayout* border = layout.engine.border()) {
    hasKept = border->originalRects.findPlacement(hwnd, &kept);
    if (const int side = border->sideOf(hwnd); side != NoSide) {
      border->removeWindow(hwnd, side, ForgetRects::Yes, Park::No);
    }
    border->forgetWindow(hwnd);
  } else if (GridLayout* grid = layout.engine.grid()) {
    hasKept = grid->originalRects.findPlacement(hwnd, &kept);
    if (grid->contains(hwnd)) {
      grid->removeWindow(hwnd, ForgetRects::Yes);
    } else {
      grid->originalRects.removeRect(hwnd);
      grid->placedRects.removeRect(hwnd);
    }
  }
  layout.savedSides.removePos(hwnd);
  layout.savedSlots.removePos(hwnd);
  std::erase(layout.settledWindows, hwnd);
  std::erase(layout.lateWindows, hwnd);
  layout.placements.cancel(hwnd);
  // A window minimised or hidden now stays so; its place comes back with it.
  if (!hasKept || IsRectEmpty(&kept.normal) || shell.platform.IsIconic(hwnd) || !shell.platform.IsWindowVisible(hwnd)) {
    return;
  }
  putBackUnraised(shell.putBacks, hwnd, kept);
}

}  // namespace

HWND windowForTrayMenu(Shell& shell, std::string& program) {
  HWND hwnd = shell.platform.GetForegroundWindow();
  if (!isOtherProgramsWindow(shell, hwnd)) hwnd = shell.lastFront;
  if (!isOtherProgramsWindow(shell, hwnd)) return nullptr;
  char name[100] = {};
  if (!shell.programNames.programName(shell.platform, hwnd, name, sizeof name) || name[0] == '\0') return nullptr;
  // Already left alone: nothing to offer.
  if (!isProgramAllowed(shell.platform, shell.mainDialog, name)) return nullptr;
  program = name;
  return hwnd;
}

void noteWindowInFront(Shell& shell, HWND hwnd) {
  if (isOtherProgramsWindow(shell, hwnd)) shell.lastFront = hwnd;
}

void excludeEntry(Shell& shell, const std::string& entry) {
  Platform& p = shell.platform;
  const HWND dialog = shell.mainDialog;
  const LRESULT found = p.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(entry.c_str()));
  if (found == LB_ERR) {
    p.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  saveSettingsOnChange(shell, dialog);
  for (const auto& layout : shell.layouts) {
    const ActingOn acting(shell, layout.get());
    std::vector<HWND> kept = layout->engine.heldWindows();
    for (const WNDPOS& saved : layout->savedSides.entries()) kept.push_back(saved.hwnd);
    for (HWND hwnd : kept) {
      if (shell.platform.IsWindow(hwnd) && matches(shell, hwnd, entry)) letGo(shell, *layout, hwnd);
    }
  }
}

}  // namespace tessellor
