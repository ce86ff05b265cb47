#include <algorithm>
#include <cmath>
#include <cstdint>

#include "layout/border/BorderPinwheel.h"
#include "layout/border/truncToPixel.h"
#include "layout/placement.h"
#include "layout/readWindowRect.h"

namespace tessellor {

namespace {

// A window that grows at every placement would otherwise widen its band and re-apply forever.
constexpr int kMaxFitReapplications = 10;

// The fit pass visits the bands in search order, not placement order.
constexpr int kFitOrder[] = {North, West, East, South};

// How thick applyLayout makes the band's slices from its weight, in whole pixels between its
// truncated edges (whatever a cell change did to the boundary since).
double pixelThickness(const BorderLayout& layout, int side) {
  const BandTraits& band = kBands[side];
  const double screen = layout.*band.screenAcross;
  const double thickness = screen * (layout.*band.weight);
  // In doubles: the two edges of a band past all sense may lie at the two ends of the int range.
  return band.fromFarEdge ? static_cast<double>(truncToPixel(screen)) - truncToPixel(screen - thickness)
                          : static_cast<double>(truncToPixel(thickness));
}

// screen × (t / screen) may come out a hair under t, and truncate to a pixel less: the band would
// stay a pixel thinner than its window, which then overlaps its neighbour.
void raiseToPixels(BorderLayout& layout, int side, double pixels) {
  double& weight = layout.*kBands[side].weight;
  for (int nudge = 0; nudge < 8 && pixelThickness(layout, side) < pixels; ++nudge) weight = std::nextafter(weight, 2.0);
}

}  // namespace

void BorderLayout::applyLayout() {
  // One region to measure every window with: one made for each, every window added would cost a
  // pair of calls more for each window already held.
  const HRGN outer = scratch_;
  scratch_ = platform_.CreateRectRgn(0, 0, 0, 0);
  refusedPlacement_.clear();
  deriveBoundaries();
  fillSideShares();
  walkPinwheel(
      *this, [this](const layWND& record, const BandSlice& slice) { placeWindow(record.hwnd, slice.rect()); },
      [this](int side, int) {
        // An empty band takes no room; the bands after it see the collapse.
        if (!holdsWindows(*this, side)) collapseBand(*this, side);
      });
  if (centre.hwnd != nullptr) {
    placeWindow(centre.hwnd, RECT{truncToPixel(westRight), truncToPixel(northBottom), truncToPixel(eastLeft),
                                  truncToPixel(southTop)});
  }
  // An empty band keeps its weight, so it gets its old size back when a window enters it again.
  for (const int side : {East, North, South, West}) {
    if (holdsWindows(*this, side)) setThickness(*this, side, this->*kBands[side].boundary);
  }
  fitBandsToWindows();
  platform_.DeleteObject(scratch_);
  scratch_ = outer;
}

void BorderLayout::placeWindow(HWND hwnd, const RECT& rect) {
  // Also brings a minimised or maximised window back to its normal state, in its slice. Held back
  // to the end of the event, the placement succeeds here and reads back at the slice until then.
  if (setNormalPlacement(platform_, hwnd, rect)) {
    recordPlacedRect(hwnd);
    return;
  }
  // The window stayed where it was, which says nothing of the room it needs: it widens no band.
  // Its slice is recorded as its place, so that the user-move test measures it against where the
  // layout wants it rather than against a rectangle the layout never chose.
  refusedPlacement_.push_back(hwnd);
  if (!placedRects.addRect(hwnd, rect)) placedRects.updateRect(hwnd, rect);
}

void BorderLayout::fillSideShares() {
  for (const int side : kPlacementOrder) {
    double sum = 0.0;
    for (const layWND& record : *bandList(*this, side)) sum += shareOf(record, side);
    // A band over 1 is placed as it is: its last window reaches past the band's end.
    if (sum < 1.0) spreadShare(side, 1.0 - sum, Apply::No);
  }
}

void BorderLayout::recordPlacedRect(HWND hwnd) {
  RECT rect{};
  readWindowRect(platform_, hwnd, &rect, scratch_);
  if (!placedRects.addRect(hwnd, rect)) placedRects.updateRect(hwnd, rect);
  if (std::find(readBack_.begin(), readBack_.end(), hwnd) == readBack_.end()) readBack_.push_back(hwnd);
}

void BorderLayout::settlePlacements(const PlacementOutcome& outcome, Refit refit) {
  refusedPlacement_.clear();
  for (HWND hwnd : readBack_) {
    RECT rect{};
    if (!placedRects.findRect(hwnd, &rect)) continue;  // it left the layout meanwhile
    // Refused, it keeps its slice as its place and widens no band, as in placeWindow; a late one
    // takes its slice once it answers, and one held back at the next event.
    if (!outcome.asked(hwnd) || outcome.hasRefused(hwnd) || outcome.hasLate(hwnd)) {
      refusedPlacement_.push_back(hwnd);
      continue;
    }
    const RECT asked = rect;
    readWindowRect(platform_, hwnd, &rect);
    noteKeptSize(hwnd, asked, rect);
    placedRects.updateRect(hwnd, rect);
  }
  readBack_.clear();
  // Only now are the windows where they went: a band whose window would not be as thin widens.
  if (refit == Refit::Yes) fitBandsToWindows();
}

void BorderLayout::readBackAnswered(HWND hwnd) {
  RECT rect{};
  if (!placedRects.findRect(hwnd, &rect)) return;  // it left the layout meanwhile
  std::erase(refusedPlacement_, hwnd);
  const RECT asked = rect;
  readWindowRect(platform_, hwnd, &rect);
  noteKeptSize(hwnd, asked, rect);
  placedRects.updateRect(hwnd, rect);
  fitBandsToWindows();
}

void BorderLayout::noteKeptSize(HWND hwnd, const RECT& asked, const RECT& took) {
  const std::int64_t width = std::int64_t{took.right} - took.left;
  const std::int64_t height = std::int64_t{took.bottom} - took.top;
  const bool wider = width > std::int64_t{asked.right} - asked.left;
  const bool higher = height > std::int64_t{asked.bottom} - asked.top;
  if (!wider && !higher) return;
  KeptSize* kept = keptSizeOf(hwnd);
  if (kept == nullptr) {
    // Room for every window the layout holds was made with its placed rectangle: nothing allocates.
    keptSizes_.push_back({hwnd, KeptSize{}});
    kept = &keptSizes_.back().second;
  }
  const auto least = [](int now, std::int64_t seen) {
    return static_cast<int>(std::clamp<std::int64_t>(std::max<std::int64_t>(now, seen), 0, INT32_MAX));
  };
  if (wider) kept->width = least(kept->width, width);
  if (higher) kept->height = least(kept->height, height);
}

double BorderLayout::leastThickness(int side) {
  double least = minimumAcross(*this, side);
  for (const layWND& record : *bandList(*this, side)) {
    if (const KeptSize* kept = keptSizeOf(record.hwnd))
      least = std::max(least, static_cast<double>(isHorizontal(side) ? kept->height : kept->width));
  }
  return least;
}

BorderLayout::KeptSize* BorderLayout::keptSizeOf(HWND hwnd) {
  for (auto& [window, size] : keptSizes_) {
    if (window == hwnd) return &size;
  }
  return nullptr;
}

void BorderLayout::fitBandsToWindows() {
  bool raised = false;
  const HRGN scratch = scratch_ != nullptr ? scratch_ : platform_.CreateRectRgn(0, 0, 0, 0);
  // How thick each band's windows stand across it: the thickest of those that took their places.
  // Against a screen too small for any window, every window would widen its band past all sense.
  double needed[South + 1] = {};
  for (const int side : kFitOrder) {
    if (!thicknessMeasurable(*this, side)) continue;
    for (const layWND& record : *bandList(*this, side)) {
      if (std::find(refusedPlacement_.begin(), refusedPlacement_.end(), record.hwnd) != refusedPlacement_.end()) {
        continue;
      }
      RECT rect{};
      readWindowRect(platform_, record.hwnd, &rect, scratch);
      const double thickness = isHorizontal(side) ? static_cast<double>(rect.bottom) - rect.top
                                                  : static_cast<double>(rect.right) - rect.left;
      needed[side] = std::max(needed[side], thickness);
    }
  }
  bool gaveWay[South + 1] = {};
  for (const int side : kFitOrder) {
    // A window that refuses to be as thin as its band widens the band, never the other way. Its
    // inner edge truncated, a band can be a pixel thicker than its weight says: a window as thick
    // as the band's slices took its place, and widens nothing. A band that gave way stood thicker
    // when it was read: what it keeps is known once it is placed again.
    const double thickness = needed[side];
    if (gaveWay[side] || !thicknessMeasurable(*this, side) || !(thickness > pixelThickness(*this, side))) continue;
    double& weight = this->*kBands[side].weight;
    const double screen = this->*kBands[side].screenAcross;
    // The band across gives way, down to the least thickness its own windows were seen to keep and
    // no further; this one widens only into what that leaves. Past it, a window larger than the
    // screen would push the two over each other and off the screen, further at every event. In
    // whole pixels, as the bands are placed: in weights, an ulp either way leaves a pixel over.
    const int across = oppositeBand(side);
    double& acrossWeight = this->*kBands[across].weight;
    const bool acrossHolds = holdsWindows(*this, across);
    if (acrossHolds && thickness + pixelThickness(*this, across) > screen) {
      const double keep = std::max(leastThickness(across), screen - thickness);
      if (keep < pixelThickness(*this, across)) {
        acrossWeight = keep / screen;
        raiseToPixels(*this, across, keep);
        gaveWay[across] = true;
        raised = true;
      }
    }
    const double target = std::min(thickness, screen - (acrossHolds ? pixelThickness(*this, across) : 0.0));
    if (!(pixelThickness(*this, side) < target)) continue;
    weight = std::max(weight, target / screen);
    raiseToPixels(*this, side, target);
    raised = true;
  }
  // Along the bands only once no band widened: a wider band changes nothing of their lengths.
  if (!raised) raised = fitWindowsAlongBands();
  if (scratch != scratch_) platform_.DeleteObject(scratch);
  if (raised) ++fitRaises;
  if (raised && fitDepth_ < kMaxFitReapplications) {
    ++fitDepth_;
    applyLayout();
    --fitDepth_;
  }
}

bool BorderLayout::fitWindowsAlongBands() {
  if (keptSizes_.empty()) return false;
  bool changed = false;
  for (const int side : kFitOrder) {
    std::list<layWND>& band = *bandList(*this, side);
    const double length = bandExtent(*this, side).length;
    // A window alone has the whole band; nothing can give it more.
    if (band.size() < 2 || !(length > 0.0)) continue;
    // Each window's least share, from the length it was seen to keep, and what the others have
    // above theirs to give.
    const auto leastShare = [&](const layWND& record) {
      const KeptSize* kept = keptSizeOf(record.hwnd);
      if (kept == nullptr) return 0.0;
      return (isHorizontal(side) ? kept->width : kept->height) / length;
    };
    double missing = 0.0, spare = 0.0;
    for (const layWND& record : band) {
      const double share = shareOf(record, side), least = leastShare(record);
      if (share < least) {
        missing += least - share;
      } else {
        spare += share - least;
      }
    }
    // Where the band cannot hold its windows' least lengths, they stay as they are.
    if (!(missing > 0.0) || spare < missing) continue;
    for (layWND& record : band) {
      double& share = shareOf(record, side);
      const double least = leastShare(record);
      share = share < least ? least : share - (share - least) * (missing / spare);
    }
    changed = true;
  }
  return changed;
}

void BorderLayout::spreadShare(int side, double share, Apply apply) {
  std::list<layWND>* band = bandList(*this, side);
  if (band == nullptr) return;
  const double n = static_cast<double>(band->size());
  for (layWND& record : *band) shareOf(record, side) += share / n;
  if (apply == Apply::Yes) applyLayout();
}

void BorderLayout::spreadShareExcept(int side, double share, const layWND& skipped, Apply apply) {
  std::list<layWND>* band = bandList(*this, side);
  if (band == nullptr) return;
  const double n = static_cast<double>(band->size());
  for (layWND& record : *band) {
    if (record != skipped) shareOf(record, side) += share / (n - 1);
  }
  if (apply == Apply::Yes) applyLayout();
}

void BorderLayout::refreshMetrics() {
  const double height = platform_.GetSystemMetrics(SM_CYMAXIMIZED);
  const double width = platform_.GetSystemMetrics(SM_CXMAXIMIZED);
  const bool resized = height != screenHeight || width != screenWidth;
  screenHeight = platform_.GetSystemMetrics(SM_CYMAXIMIZED);
  screenWidth = platform_.GetSystemMetrics(SM_CXMAXIMIZED);
  const double oldMinWidth = minWidth, oldMinHeight = minHeight;
  minWidth = platform_.GetSystemMetrics(SM_CXMIN);
  minHeight = platform_.GetSystemMetrics(SM_CYMIN);
  // What the windows kept was seen under the old display and minimum: a band would give way to
  // no less than a size no window keeps any more. Seen again at the next placements.
  if (resized || minWidth != oldMinWidth || minHeight != oldMinHeight) keptSizes_.clear();
  // A change of the minimum window size alone moves nothing.
  if (resized) applyLayout();
}

}  // namespace tessellor
