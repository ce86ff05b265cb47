#include <vector>

#include "layout/border/BorderBands.h"

namespace tessellor {

void BorderLayout::shareForNewcomer(const layWND& record, int side, Apply apply) {
  if (std::list<layWND>* band = bandList(*this, side); band != nullptr && !band->empty()) {
    if (band->size() == 1) {
      shareOf(band->front(), side) = 1.0;
    } else {
      const double f = 1.0 / static_cast<double>(band->size());
      for (layWND& other : *band) {
        double& share = shareOf(other, side);
        share = other == record ? f : share - share * f;
      }
    }
  }
  enforceMinimumShares();
  if (apply == Apply::Yes) applyLayout();
}

void BorderLayout::shareForReturning(const layWND& record, int side, Apply apply) {
  std::list<layWND>* band = bandList(*this, side);
  if (band == nullptr) return;
  const double r = shareOf(record, side);
  const std::size_t count = band->size();
  if (count >= 3) {
    // Halfway between an even share and the share it had, scaled to the band's new count.
    const double f = 1.0 / static_cast<double>(count);
    const double t = f / 2 + f * r;
    for (layWND& other : *band) {
      double& share = shareOf(other, side);
      share = other == record ? t : share - t * share;
    }
  } else if (count == 2) {
    // A window that had the whole band to itself would take all of it back: split evenly instead.
    const double c = r == 1.0 ? 0.5 : 1.0 - r;
    for (layWND& other : *band) shareOf(other, side) = other == record ? 1.0 - c : c;
  } else if (count == 1) {
    shareOf(band->front(), side) = 1.0;
  }
  enforceMinimumShares();
  if (apply == Apply::Yes) applyLayout();
}

void BorderLayout::shareIntoBand(const layWND& record, int side, Apply apply) {
  if (isBand(side) && shareOf(record, side) > 0.0) {
    shareForReturning(record, side, apply);
  } else {
    shareForNewcomer(record, side, apply);
  }
}

void BorderLayout::enforceMinimumShares() {
  std::vector<bool> removable;
  for (const int side : {North, West, East, South}) {
    std::list<layWND>& band = *bandList(*this, side);
    const double minAlong = minimumAlong(*this, side);
    const double length = currentBandLength(*this, side);
    // A band too short for one window of the minimum size gives none of them that size whatever
    // the shares: raising them would only inflate them (without bound on a band of no length).
    if (!holdsAWindow(length, minAlong)) continue;
    const double m = minAlong / length;
    double deficit = 0.0;
    std::size_t fixed = 0;
    removable.clear();
    for (layWND& record : band) {
      double& share = shareOf(record, side);
      if (share <= m) {
        deficit += m - share;
        share = m;
        ++fixed;
        removable.push_back(false);
      } else {
        removable.push_back(true);
      }
    }
    if (deficit > 0.0) {
      // One pass only: a window pushed to or below m here is not raised again.
      const double cut = deficit / static_cast<double>(band.size() - fixed);
      auto mayGive = removable.begin();
      for (layWND& record : band) {
        if (*mayGive++) shareOf(record, side) -= cut;
      }
    }
  }
}

}  // namespace tessellor
