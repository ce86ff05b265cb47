// No two windows of a Border Layout overlap, wherever their minimum sizes fit in the work area.
#include <algorithm>
#include <string>
#include <vector>

#include "layout/border/BorderBands.h"
#include "layout/readWindowRect.h"
#include "tools/check/Invariants.h"

namespace tessellor::check {

namespace {

struct Held {
  HWND hwnd;
  int side;
  RECT window;   // as the window system has it, for its minimum size
  RECT visible;  // as the layout sees it
  int minWidth;  // its own minimum track size
  int minHeight;
  int fitWidth;  // what the layout leaves it at least: its own minimum, or the system's
  int fitHeight;
};

// A window held at a minimum size that no fit reaches: the layout shares a band by its shares, not
// by its windows' minimum sizes, so a band window at its minimum length may reach over its
// neighbour in the band; and the fit pass widens bands for their own windows only, never narrows
// them for the Centre's.
bool atMinimumNoFitReaches(const Held& h) {
  const long long width = static_cast<long long>(h.window.right) - h.window.left;
  const long long height = static_cast<long long>(h.window.bottom) - h.window.top;
  const bool atMinWidth = h.minWidth > 0 && width == h.minWidth;
  const bool atMinHeight = h.minHeight > 0 && height == h.minHeight;
  if (h.side == Centre) return atMinWidth || atMinHeight;
  return isHorizontal(h.side) ? atMinWidth : atMinHeight;
}

bool overlap(const RECT& a, const RECT& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// The thickest minimum across a band: how thick the fit pass must make it.
long long thickest(const std::vector<Held>& held, int side) {
  long long most = 0;
  for (const Held& h : held) {
    if (h.side == side) most = std::max<long long>(most, isHorizontal(side) ? h.fitHeight : h.fitWidth);
  }
  return most;
}

long long alongSum(const std::vector<Held>& held, int side) {
  long long sum = 0;
  for (const Held& h : held) {
    if (h.side == side) sum += isHorizontal(side) ? h.fitWidth : h.fitHeight;
  }
  return sum;
}

}  // namespace

void checkBorderWindowsApart(const BorderLayout& layout, sim::SimDesktop& desktop, Platform& view, Findings& findings) {
  // Weights the user set past the screen, or boundaries a resize crossed, overlap the cells themselves.
  if (layout.northWeight + layout.southWeight > 1.0 || layout.westWeight + layout.eastWeight > 1.0 ||
      layout.northBottom > layout.southTop || layout.westRight > layout.eastLeft) {
    return;
  }
  // A band whose shares sum past 1 (a user's resize, or windows raised to the least share on a
  // screen too small for them) reaches past its end by design.
  for (const int side : {North, West, East, South}) {
    double sum = 0.0;
    for (const layWND& record : *bandList(layout, side)) sum += shareOf(record, side);
    if (sum > 1.0 + 1e-9) return;
  }
  std::vector<Held> held;
  for (HWND hwnd : heldWindows(layout)) {
    const sim::WindowSpec* desc = desktop.specOf(hwnd);
    // Gone, hidden, minimised, maximised or shown full-screen by its program (nothing tells of that
    // until the window is next looked at): its event is still to be caught up with. A window
    // still to take its placement, one that grows at every placement, one with a region (measured
    // by it) or one of a program above ours stands where the layout could not put it.
    if (desc == nullptr || desktop.isHidden(hwnd) || desktop.isMinimized(hwnd) || desktop.isMaximized(hwnd) ||
        desktop.isFullScreen(hwnd) || desktop.placementPending(hwnd) || desc->grows != 0 ||
        desc->region != sim::RegionKind::None || desc->outranksProgram()) {
      return;
    }
    // At the ends of the 32-bit range a rectangle stops where it can, whatever its size.
    const RECT at = desktop.rectOf(hwnd);
    constexpr LONG kFar = 1L << 30;
    if (at.left < -kFar || at.top < -kFar || at.right > kFar || at.bottom > kFar) return;
    RECT visible{};
    readWindowRect(view, hwnd, &visible);
    held.push_back(Held{hwnd, layout.sideOf(hwnd), desktop.rectOf(hwnd), visible, desc->minWidth, desc->minHeight,
                        std::max(desc->minWidth, static_cast<int>(layout.minWidth)),
                        std::max(desc->minHeight, static_cast<int>(layout.minHeight))});
  }
  const long long w = static_cast<long long>(layout.screenWidth);
  const long long h = static_cast<long long>(layout.screenHeight);
  long long centreW = 0, centreH = 0;
  for (const Held& c : held) {
    if (c.side == Centre) centreW = c.fitWidth, centreH = c.fitHeight;
  }
  // Across the bands: the fit pass can make each band as thick as its thickest window.
  const bool acrossFits = thickest(held, North) + centreH + thickest(held, South) <= h &&
                          thickest(held, West) + centreW + thickest(held, East) <= w;
  // Along each band, past the neighbour that shortens it in the pinwheel (the windows' shares
  // decide how the band's length is shared among them).
  const bool alongFits =
      alongSum(held, North) + thickest(held, East) <= w && alongSum(held, East) + thickest(held, South) <= h &&
      alongSum(held, South) + thickest(held, West) <= w && alongSum(held, West) + thickest(held, North) <= h;
  if (!acrossFits || !alongFits) return;
  // Inside its monitor's work area, where the layout sees it from (0, 0), but a window held at a
  // minimum size no fit reaches.
  for (const Held& one : held) {
    const RECT& v = one.visible;
    if (atMinimumNoFitReaches(one)) continue;
    if (v.left < 0 || v.top < 0 || v.right > w || v.bottom > h) {
      findings.push_back("window " + desktop.nameOf(one.hwnd) + " of the Border Layout reaches past its work area");
    }
  }
  for (std::size_t i = 0; i < held.size(); ++i) {
    for (std::size_t j = i + 1; j < held.size(); ++j) {
      if (!overlap(held[i].visible, held[j].visible)) continue;
      if (atMinimumNoFitReaches(held[i]) || atMinimumNoFitReaches(held[j])) continue;
      findings.push_back("windows " + desktop.nameOf(held[i].hwnd) + " and " + desktop.nameOf(held[j].hwnd) +
                         " of the Border Layout overlap, though their minimum sizes fit");
    }
  }
}

}  // namespace tessellor::check
