// The pinwheel of bands and the slicing of a band among its windows: the one walk that both the
// layout's placement and the placement of a single moved window follow. Internal to the engine.
#pragma once

#include <algorithm>
#include <iterator>
#include <list>

#include "layout/border/BorderBands.h"
#include "layout/border/truncToPixel.h"

namespace tessellor {

// Where a band lies, in pixels: its windows share `length` from `start` on, and the last of them
// ends at `end`, the band's far edge; `across0`..`across1` are the fixed edges of every window in it.
struct BandExtent {
  int start;
  int length;
  int across0, across1;
  int end;
};

// The band's extent read from the boundaries as the bands placed before it have left them.
BandExtent bandExtent(const BorderLayout& layout, int side);

// One window's slice: along the band from `from` to `to`; `extent` is length × share before truncation.
struct BandSlice {
  int side;
  int from, to;
  double extent;
  int across0, across1;

  RECT rect() const { return isHorizontal(side) ? RECT{from, across0, to, across1} : RECT{across0, from, across1, to}; }
};

inline constexpr int kPlacementOrder[] = {North, East, South, West};

// Visits the windows of one band lying at `band`, in list order, each with its slice; returns where
// the run of slices ends.
template <typename Record, typename OnSlice>
int sliceBand(const BandExtent& band, int side, std::list<Record>& records, OnSlice&& onSlice) {
  int run = band.start;
  for (auto it = records.begin(); it != records.end(); ++it) {
    const double extent = band.length * shareOf(*it, side);
    // The far edge and the next window's start are one value, so the slices abut.
    const int next = truncToPixel(run + extent);
    // The last window ends at the band's far edge, whatever the shares add up to: truncated, they
    // fall a pixel or so short of it, and a band whose shares sum past 1 would reach past it, over
    // the neighbouring band or off the screen.
    const int to = std::next(it) == records.end() ? std::max(run, band.end) : next;
    onSlice(*it, BandSlice{side, run, to, extent, band.across0, band.across1});
    run = next;
  }
  return run;
}

// Visits the bands North, East, South, West, each window in list order with its slice, and calls
// bandDone(side, runEnd) after each band, so that it can move boundaries the next band reads.
template <typename OnSlice, typename OnBandDone>
void walkPinwheel(BorderLayout& layout, OnSlice&& onSlice, OnBandDone&& bandDone) {
  for (const int side : kPlacementOrder) {
    bandDone(side, sliceBand(bandExtent(layout, side), side, *bandList(layout, side), onSlice));
  }
}

}  // namespace tessellor
