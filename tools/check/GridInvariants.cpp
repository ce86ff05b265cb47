#include <map>

#include "tools/check/TableInvariants.h"

namespace tessellor::check {

void checkGrid(const GridLayout& g, Findings& findings) {
  std::map<HWND, int> count;
  for (HWND hwnd : g.windows) {
    if (++count[hwnd] == 2) findings.push_back(sim::handleText(hwnd) + " is twice in the grid");
  }
  if (g.windows.size() > static_cast<std::size_t>(g.rows) * static_cast<std::size_t>(g.columns)) {
    findings.push_back("the grid holds " + std::to_string(g.windows.size()) + " windows");
  }
  for (const auto& [hwnd, times] : count) {
    const int entries = entriesFor(g.placedRects, hwnd);
    if (entries != 1) {
      findings.push_back(sim::handleText(hwnd) + " in the grid has " + std::to_string(entries) +
                         " placedRects entries");
    }
  }
  checkTableEntries(g.placedRects, "placedRects", findings);
  checkTableEntries(g.originalRects, "originalRects", findings);
}

void checkGridOnDesktop(const GridLayout& layout, Platform& platform, Findings& findings) {
  checkGrid(layout, findings);
  checkPlacedRects(layout.placedRects, layout.windows, platform, findings);
}

}  // namespace tessellor::check
