#include "app/desktop/UnmovableWindows.h"

#include <algorithm>

#include "app/TrayBalloon.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "settings/Eligibility.h"

namespace tessellor {

namespace {

constexpr const char* kTitle = "Windows not tiled";

// The program's file name; by its window's title when the process cannot be asked at all.
std::string programOf(Platform& p, HWND hwnd) {
  char name[100] = {};
  if (getProgramName(p, hwnd, name, sizeof name)) return name;
  char title[100] = {};
  p.GetWindowTextA(hwnd, title, sizeof title);
  return std::string("the program of \"") + title + "\"";
}

// "a.exe", "a.exe and b.exe", "a.exe, b.exe and c.exe".
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

void leaveLayout(Shell& shell, HWND hwnd) {
  // It never moved: there is no place to put it back to when the layout ends.
  if (BorderLayout* border = shell.borderLayout()) {
    if (const int side = border->sideOf(hwnd); side != NoSide) {
      border->removeWindow(hwnd, side, ForgetRects::Yes, Park::No);
    }
    shell.current->savedSides.removePos(hwnd);
    shell.current->savedSlots.removePos(hwnd);
  } else if (GridLayout* grid = shell.gridLayout()) {
    if (grid->contains(hwnd)) grid->removeWindow(hwnd, ForgetRects::Yes);
  }
}

}  // namespace

void noteUnmovableWindow(Shell& shell, HWND hwnd) {
  std::string program = programOf(shell.platform, hwnd);
  if (shell.namedUnmovable.contains(program)) return;
  if (std::find(shell.unmovableToName.begin(), shell.unmovableToName.end(), program) != shell.unmovableToName.end()) {
    return;
  }
  shell.unmovableToName.push_back(std::move(program));
}

void dropDeniedWindows(Shell& shell, const PlacementOutcome& outcome) {
  const std::vector<HWND> held = shell.current->engine.heldWindows();
  for (HWND hwnd : outcome.denied) {
    if (std::find(held.begin(), held.end(), hwnd) == held.end()) continue;
    noteUnmovableWindow(shell, hwnd);
    leaveLayout(shell, hwnd);
    if (!wasDenied(shell, hwnd)) shell.deniedWindows.push_back(hwnd);
  }
}

bool wasDenied(const Shell& shell, HWND hwnd) {
  return std::find(shell.deniedWindows.begin(), shell.deniedWindows.end(), hwnd) != shell.deniedWindows.end();
}

void forgetDenied(Shell& shell, HWND hwnd) { std::erase(shell.deniedWindows, hwnd); }

void reportUnmovableWindows(Shell& shell) {
  if (shell.unmovableToName.empty()) return;
  const bool many = shell.unmovableToName.size() > 1;
  const std::string text = "Windows does not let Tessellor move the windows of " + listed(shell.unmovableToName) +
                           (many ? ", which run" : ", which runs") +
                           " with higher rights. To tile them too, run Tessellor as administrator.";
  // Said once: a program is not named again in this run, unless there was no icon to say it.
  if (!showTrayBalloon(shell, kTitle, text.c_str())) return;
  shell.namedUnmovable.insert(shell.unmovableToName.begin(), shell.unmovableToName.end());
  shell.unmovableToName.clear();
}

}  // namespace tessellor
