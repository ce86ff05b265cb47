#include "tools/sim/ProgramState.h"

#include <algorithm>

#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor::sim {

std::string modeName(LayoutMode mode) {
  if (mode == LayoutBorder) return "border";
  if (mode == LayoutGrid) return "grid";
  return "none";
}

std::string modeName(const Shell* shell) {
  if (shell == nullptr || shell->layouts.size() != 1) return "none";
  return modeName(shell->layouts.front()->mode());
}

std::string sideName(const Shell* shell, HWND hwnd) {
  const RunningLayout* holding = shell != nullptr ? layoutHolding(*shell, hwnd) : nullptr;
  if (holding == nullptr) return "none";
  if (const BorderLayout* b = holding->engine.border()) {
    // band   name
    const std::pair<const std::list<layWND>*, const char*> bands[] = {
        {&b->north, "north"}, {&b->west, "west"}, {&b->east, "east"}, {&b->south, "south"}};
    for (const auto& [band, name] : bands) {
      if (std::find(band->begin(), band->end(), hwnd) != band->end()) return name;
    }
    if (hwnd != nullptr && b->centre.hwnd == hwnd) return "centre";
  } else if (holding->engine.grid() != nullptr) {
    return "grid";
  }
  return "none";
}

std::vector<NamedLayout> namedLayouts(const SimDesktop& desktop, const Shell* shell) {
  std::vector<NamedLayout> named;
  if (shell == nullptr) return named;
  for (const auto& layout : shell->layouts) {
    const std::string desk = desktop.desktopNameOf(layout->desktop);
    named.push_back(NamedLayout{layout.get(), desktop.monitorName(layout->monitor()),
                                desk.empty() ? desktop.shownDesktop() : desk});
  }
  const std::vector<std::string> order = desktop.monitorNames();
  const auto rank = [&order](const std::string& monitor) {
    return std::find(order.begin(), order.end(), monitor) - order.begin();
  };
  std::stable_sort(named.begin(), named.end(), [&](const NamedLayout& a, const NamedLayout& b) {
    if (a.monitor != b.monitor) return rank(a.monitor) < rank(b.monitor);
    return a.desktop < b.desktop;
  });
  return named;
}

}  // namespace tessellor::sim
