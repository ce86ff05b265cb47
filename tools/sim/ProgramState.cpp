#include "tools/sim/ProgramState.h"

#include <algorithm>

#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor::sim {

std::string modeName(const Shell* shell) {
  if (shell == nullptr) return "none";
  if (shell->layoutMode() == LayoutBorder) return "border";
  if (shell->layoutMode() == LayoutGrid) return "grid";
  return "none";
}

std::string sideName(const Shell* shell, HWND hwnd) {
  const std::string mode = modeName(shell);
  if (mode == "border") {
    const BorderLayout& b = *shell->borderLayout();
    // band   name
    const std::pair<const std::list<layWND>*, const char*> bands[] = {
        {&b.north, "north"}, {&b.west, "west"}, {&b.east, "east"}, {&b.south, "south"}};
    for (const auto& [band, name] : bands) {
      if (std::find(band->begin(), band->end(), hwnd) != band->end()) return name;
    }
    if (hwnd != nullptr && b.centre.hwnd == hwnd) return "centre";
  } else if (mode == "grid") {
    const std::vector<HWND>& w = shell->gridLayout()->windows;
    if (std::find(w.begin(), w.end(), hwnd) != w.end()) return "grid";
  }
  return "none";
}

}  // namespace tessellor::sim
