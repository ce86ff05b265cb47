#include "app/layouts/MonitorMoves.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/desktop/VirtualDesktops.h"
#include "app/layouts/LayoutTable.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "layout/readWindowRect.h"

namespace tessellor {

namespace {

struct Point {
  std::int64_t x;
  std::int64_t y;
};

// The centre of the window's visible bounds, in screen coordinates.
Point visibleCentre(RunningLayout& layout, HWND hwnd) {
  RECT rect{};
  readWindowRect(layout.view, hwnd, &rect);
  const DesktopView::Area& area = layout.view.area();
  return Point{area.left + (std::int64_t{rect.left} + rect.right) / 2,
               area.top + (std::int64_t{rect.top} + rect.bottom) / 2};
}

// Out of its layout as a drag out of it takes a window: it stays where it was dropped.
void leave(RunningLayout& layout, HWND hwnd) {
  if (BorderLayout* border = layout.engine.border()) {
    border->removeWindow(hwnd, border->sideOf(hwnd), ForgetRects::Yes, Park::No);
  } else if (GridLayout* grid = layout.engine.grid()) {
    grid->removeWindow(hwnd, ForgetRects::Yes);
  }
  layout.savedSides.removePos(hwnd);
  layout.savedSlots.removePos(hwnd);
  std::erase(layout.settledWindows, hwnd);
  std::erase(layout.lateWindows, hwnd);
  layout.placements.cancel(hwnd);
}

// Into the Border Layout of the monitor it was dropped on: the Centre when the Centre is empty and
// holds the point, else the band along the work-area edge nearest to it (ties: North, West, East,
// South), a full band passing it on to the next nearest.
void joinBorder(RunningLayout& layout, BorderLayout& border, HWND hwnd, Point at) {
  const DesktopView::Area& area = layout.view.area();
  const double x = static_cast<double>(at.x - area.left);
  const double y = static_cast<double>(at.y - area.top);
  if (border.centre.hwnd == nullptr && x >= border.westRight && x < border.eastLeft && y >= border.northBottom &&
      y < border.southTop && border.addWindow(hwnd, Centre)) {
    return;
  }
  struct Edge {
    int side;
    double distance;
  };
  std::array<Edge, 4> edges{{{North, y}, {West, x}, {East, area.width - x}, {South, area.height - y}}};
  // Stable: equal distances keep the order North, West, East, South.
  std::stable_sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.distance < b.distance; });
  for (const Edge& edge : edges) {
    if (border.addWindow(hwnd, edge.side)) return;
  }
}

}  // namespace

bool followMoveToAnotherMonitor(Shell& shell, HWND hwnd) {
  RunningLayout* from = shell.current;
  if (from == nullptr || layoutHolding(shell, hwnd) != from) return false;
  const Point centre = visibleCentre(*from, hwnd);
  const auto clamp = [](std::int64_t v) {
    return static_cast<LONG>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX - 1));
  };
  const RECT point{clamp(centre.x), clamp(centre.y), clamp(centre.x) + 1, clamp(centre.y) + 1};
  // A centre inside no monitor leaves it to the layout's own rules.
  const HMONITOR onto = shell.platform.MonitorFromRect(&point, MONITOR_DEFAULTTONULL);
  if (onto == nullptr || onto == from->monitor()) return false;
  RunningLayout* to = layoutOn(shell, onto, shownDesktop(shell));
  if (to == nullptr) {
    leave(*from, hwnd);
    return true;
  }
  const ActingOn acting(shell, to);
  // Out of the old layout, its first place carried along.
  prepareToTake(shell, hwnd);
  if (BorderLayout* border = to->engine.border()) {
    joinBorder(*to, *border, hwnd, centre);
  } else if (GridLayout* grid = to->engine.grid(); grid != nullptr && grid->addWindow(hwnd)) {
    grid->arrange();
    grid->rememberPlacedRect(hwnd);
  }
  return true;
}

}  // namespace tessellor
