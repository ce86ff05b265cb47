#include <algorithm>

#include "layout/border/BorderBands.h"
#include "layout/readWindowRect.h"

namespace tessellor {

namespace {

// What differs between the bands when one of their windows is resized; the neighbour band, the
// boundaries and the weights come from kBands.
struct ResizeRule {
  bool borderIsLast;          // the window touching the neighbour band: last of the list, else first
  bool firstNeighbourWindow;  // the neighbour window measured: first of its list, else last
  LONG RECT::*neighbourEdge;  // that window's edge compared
  LONG RECT::*borderEdge;     // the resized window's edge compared
  LONG RECT::*nearEdge;       // the window's extent along the band
  LONG RECT::*farEdge;
  LONG RECT::*innerEdge;  // facing the Centre: gives the band's thickness
};

// clang-format off
constexpr ResizeRule kResizeRules[] = {  // indexed by side code
  // last   first  neighbourEdge  borderEdge     nearEdge     farEdge        innerEdge
  {true,   true,  &RECT::left,   &RECT::right,  &RECT::left, &RECT::right,  &RECT::bottom},  // North
  {false,  true,  &RECT::bottom, &RECT::top,    &RECT::top,  &RECT::bottom, &RECT::right},   // West
  {true,   true,  &RECT::top,    &RECT::bottom, &RECT::top,  &RECT::bottom, &RECT::left},    // East
  {false,  false, &RECT::right,  &RECT::left,   &RECT::left, &RECT::right,  &RECT::top},     // South
};
// clang-format on

double edgeOf(const RECT& rect, LONG RECT::*edge) { return static_cast<double>(rect.*edge); }

}  // namespace

bool BorderLayout::onUserMoveSize(HWND hwnd) {
  if (rectChanged(hwnd)) {
    // Pulled away by the user: it stays where it was dropped and is not put back by restoreAll.
    removeWindow(hwnd, sideOf(hwnd), ForgetRects::Yes, Park::No);
    platform_.SetActiveWindow(hwnd);
    return false;
  }
  RECT movedRect{};
  readWindowRect(platform_, hwnd, &movedRect);
  const int side = sideOf(hwnd);
  if (isBand(side)) {
    followBandResize(hwnd, side, movedRect);
  } else if (side == Centre) {
    followCentreResize(movedRect);
  }
  enforceMinimumShares();
  fillSideSharesExcept(hwnd);
  return true;
}

void BorderLayout::followBandResize(HWND hwnd, int side, const RECT& movedRect) {
  const ResizeRule& rule = kResizeRules[side];
  std::list<layWND>& band = *bandList(*this, side);
  bool adjust = false;
  double sum = 0.0;

  // The border window's edge toward the next band of the pinwheel carries that band's boundary.
  // indexInSide answers -1 in a band of six, so such a band never moves its neighbour.
  const int neighbour = kBands[side].neighbour;
  const int borderPosition = rule.borderIsLast ? static_cast<int>(band.size()) - 1 : 0;
  if (indexInSide(hwnd, side) == borderPosition && holdsWindows(*this, neighbour)) {
    const std::list<layWND>& next = *bandList(*this, neighbour);
    RECT neighbourRect{};
    readWindowRect(platform_, rule.firstNeighbourWindow ? next.front().hwnd : next.back().hwnd, &neighbourRect);
    if (neighbourRect.*rule.neighbourEdge != movedRect.*rule.borderEdge) {
      setThickness(*this, neighbour, edgeOf(movedRect, rule.borderEdge));
      adjust = true;
    }
  }

  const double inner = edgeOf(movedRect, rule.innerEdge);
  const auto followThickness = [&] {
    if (thicknessRatio(*this, side, inner) != this->*kBands[side].weight) setThickness(*this, side, inner);
  };

  // Read after the neighbour's boundary may have moved: the shares are of the band as it is now.
  const double length = currentBandLength(*this, side);
  // Too short a band measures no share worth keeping; the shares stay for when it is long again.
  if (!holdsAWindow(length, minimumAlong(*this, side))) return followThickness();
  auto found = band.end();
  for (auto it = band.begin(); it != band.end(); ++it) {
    if (*it == hwnd) {
      found = it;
      if (!adjust) break;
    } else if (adjust) {
      // The band's length changed: every window's share becomes what it now shows.
      RECT rect{};
      readWindowRect(platform_, it->hwnd, &rect);
      shareOf(*it, side) = (edgeOf(rect, rule.farEdge) - edgeOf(rect, rule.nearEdge)) / length;
      sum += shareOf(*it, side);
    }
  }
  if (found == band.end()) return;

  // The first window is measured from the band's start, so a left (or top) edge pulled away from
  // it springs back at the next applyLayout.
  double& share = shareOf(*found, side);
  const double old = share;
  const double near = found == band.begin() ? currentBandStart(*this, side) : edgeOf(movedRect, rule.nearEdge);
  share = (edgeOf(movedRect, rule.farEdge) - near) / length;
  sum += share;
  const double delta = old - share;

  followThickness();

  const layWND resized = *found;
  if (!adjust) {
    // The others share evenly what the window gave up, or give what it took.
    spreadShareExcept(side, delta, resized, Apply::Yes);
  } else if (sum > 1.0) {
    spreadShareExcept(side, 1.0 - sum, resized, Apply::Yes);
  }
}

void BorderLayout::followCentreResize(const RECT& movedRect) {
  // Each Centre edge moves the boundary it faces, where a band lies beyond it. A fractional
  // boundary always differs from an integer edge, so it is rounded to the Centre's edges too.
  constexpr struct {
    int band;
    LONG RECT::*edge;
  } kFaces[] = {{East, &RECT::right}, {West, &RECT::left}, {South, &RECT::bottom}, {North, &RECT::top}};
  for (const auto& face : kFaces) {
    const double edge = edgeOf(movedRect, face.edge);
    if (edge != this->*kBands[face.band].boundary && holdsWindows(*this, face.band)) {
      setThickness(*this, face.band, edge);
    }
  }
}

void BorderLayout::fillSideSharesExcept(HWND hwnd) {
  for (const int side : {North, East, South, West}) {
    std::list<layWND>& band = *bandList(*this, side);
    double sum = 0.0;
    for (const layWND& record : band) sum += shareOf(record, side);
    if (sum >= 1.0) continue;
    // The resized window keeps the share the user gave it.
    if (std::find(band.begin(), band.end(), hwnd) != band.end()) {
      spreadShareExcept(side, 1.0 - sum, layWND{hwnd, 0.0, 0.0}, Apply::No);
    } else {
      spreadShare(side, 1.0 - sum, Apply::No);
    }
  }
}

}  // namespace tessellor
