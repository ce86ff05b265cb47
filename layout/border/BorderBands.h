// What the four bands have in common, as data, and the small accessors built on it. Internal to
// the border engine.
#pragma once

#include <algorithm>
#include <list>

#include "layout/border/BorderLayout.h"

namespace tessellor {

// A band's thickness is its weight times the screen extent across it, measured from the screen
// edge it lies along; its length, as the shares are measured, is lengthTo - lengthFrom.
struct BandTraits {
  double BorderLayout::*boundary;  // the edge facing the Centre
  double BorderLayout::*weight;
  double BorderLayout::*screenAcross;
  bool fromFarEdge;                  // lies along the right or bottom screen edge
  int neighbour;                     // the next band of the pinwheel, which shortens this one
  double BorderLayout::*lengthFrom;  // null: 0
  double BorderLayout::*lengthTo;
};

namespace bandtable {
using L = BorderLayout;
// clang-format off
inline constexpr BandTraits kBands[] = {  // indexed by side code
  // boundary          weight            screenAcross       far    neighbour lengthFrom        lengthTo
  {&L::northBottom,    &L::northWeight,  &L::screenHeight,  false, East,     nullptr,          &L::eastLeft},
  {&L::westRight,      &L::westWeight,   &L::screenWidth,   false, North,    &L::northBottom,  &L::screenHeight},
  {&L::eastLeft,       &L::eastWeight,   &L::screenWidth,   true,  South,    nullptr,          &L::southTop},
  {&L::southTop,       &L::southWeight,  &L::screenHeight,  true,  West,     &L::westRight,    &L::screenWidth},
};
// clang-format on
}  // namespace bandtable
using bandtable::kBands;

inline std::list<layWND>* bandList(BorderLayout& layout, int side) {
  switch (side) {
    case North:
      return &layout.north;
    case West:
      return &layout.west;
    case East:
      return &layout.east;
    case South:
      return &layout.south;
    default:
      return nullptr;
  }
}

inline const std::list<layWND>* bandList(const BorderLayout& layout, int side) {
  return bandList(const_cast<BorderLayout&>(layout), side);
}

// The band along the screen edge across from this one's: North and South, West and East.
constexpr int oppositeBand(int side) { return South - side; }

inline bool holdsWindows(const BorderLayout& layout, int side) {
  const auto* band = bandList(layout, side);
  return band != nullptr && !band->empty();
}

// The share a window holds in a band of that side's orientation; the other one rides along unread.
inline double& shareOf(layWND& record, int side) { return isHorizontal(side) ? record.widthShare : record.heightShare; }
inline double shareOf(const layWND& record, int side) {
  return isHorizontal(side) ? record.widthShare : record.heightShare;
}

// Where the band's length is measured from, by the boundaries as they stand now.
inline double currentBandStart(const BorderLayout& layout, int side) {
  const BandTraits& band = kBands[side];
  return band.lengthFrom != nullptr ? layout.*band.lengthFrom : 0.0;
}

// The band's length by the boundaries as they stand now (not as the next applyLayout will place it).
inline double currentBandLength(const BorderLayout& layout, int side) {
  return layout.*kBands[side].lengthTo - currentBandStart(layout, side);
}

// The system's minimum window size along the band (its length) and across it (its thickness).
inline double minimumAlong(const BorderLayout& layout, int side) {
  return isHorizontal(side) ? layout.minWidth : layout.minHeight;
}
inline double minimumAcross(const BorderLayout& layout, int side) {
  return isHorizontal(side) ? layout.minHeight : layout.minWidth;
}

// Whether a length can hold one window of the minimum size (one pixel when there is no minimum).
// A share or a weight measured against a shorter one says nothing of the layout the user wants:
// against 0 it is not even a number, and against a pixel it would place windows thousands of
// screens away once the screen has its size back.
inline bool holdsAWindow(double length, double minimum) { return length >= std::max(minimum, 1.0); }

// Whether the screen across the band can hold a window, so that the band's weight may be measured.
inline bool thicknessMeasurable(const BorderLayout& layout, int side) {
  return holdsAWindow(layout.*kBands[side].screenAcross, minimumAcross(layout, side));
}

// The weight a band would have with its Centre-facing boundary at `edge`.
inline double thicknessRatio(const BorderLayout& layout, int side, double edge) {
  const BandTraits& band = kBands[side];
  const double screen = layout.*band.screenAcross;
  return band.fromFarEdge ? (screen - edge) / screen : edge / screen;
}

// Moves a band's Centre-facing boundary to `edge`, and its weight with it, except on a screen too
// small to measure by: there the weight keeps its value, so the band gets its size back with the screen.
inline void setThickness(BorderLayout& layout, int side, double edge) {
  layout.*kBands[side].boundary = edge;
  if (thicknessMeasurable(layout, side)) layout.*kBands[side].weight = thicknessRatio(layout, side, edge);
}

// A band that takes no room: its Centre-facing boundary lies on the screen edge it runs along.
inline void collapseBand(BorderLayout& layout, int side) {
  const BandTraits& band = kBands[side];
  layout.*band.boundary = band.fromFarEdge ? layout.*band.screenAcross : 0.0;
}

}  // namespace tessellor
