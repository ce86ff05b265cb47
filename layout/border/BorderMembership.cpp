#include <cmath>
#include <iterator>

#include "layout/border/BorderBands.h"
#include "layout/placement.h"

namespace tessellor {

bool BorderLayout::isSideFull(int side) const {
  if (!isBand(side)) return false;
  // How many minimum-size windows fit along the band once its pinwheel neighbour shortens it, from
  // the weights rather than the boundaries, so that an empty neighbour does not lift the limit.
  const double along = isHorizontal(side) ? screenWidth : screenHeight;
  const double neighbourWeight = this->*kBands[kBands[side].neighbour].weight;
  const double capacity = std::floor((along - along * neighbourWeight) / minimumAlong(*this, side));
  // Exactly: a band already over its capacity (the screen or weights changed) still takes one more.
  return static_cast<double>(bandList(*this, side)->size()) == capacity;
}

bool BorderLayout::addWindow(HWND hwnd, int side) {
  if (isSideFull(side)) return false;
  const layWND record{hwnd, 0.0, 0.0};
  if (std::list<layWND>* band = bandList(*this, side)) {
    band->push_back(record);
  } else if (side == Centre && centre.hwnd == nullptr) {
    centre = record;
  } else {
    return false;
  }
  // A minimised window has no place to go back to: Windows parks it off-screen.
  if (const std::optional<KeptPlacement> first = readKeptPlacement(keptPlaces_, hwnd)) {
    originalRects.addPlacement(hwnd, *first);
  }
  // A window restored into the Centre, or to a band without its old place, enters afresh; its
  // record from when it left would otherwise wait in `parked` for good.
  parked.remove(record);
  reservePlacedRect();
  shareForNewcomer(record, side, Apply::Yes);
  return true;
}

bool BorderLayout::insertWindow(HWND hwnd, int side, int position) {
  if (isSideFull(side)) return false;
  layWND record{hwnd, 0.0, 0.0};
  for (const layWND& waiting : parked) {
    if (waiting == hwnd) record = waiting;
  }
  if (std::list<layWND>* band = bandList(*this, side)) {
    const bool inRange = position >= 0 && static_cast<std::size_t>(position) < band->size();
    band->insert(inRange ? std::next(band->begin(), position) : band->end(), record);
  } else if (side == Centre && centre.hwnd == nullptr) {
    centre = record;
  } else {
    // The parked record stays, so a later insert can still give the window its share back.
    return false;
  }
  parked.remove(record);
  reservePlacedRect();
  if (record.hwnd != nullptr) shareIntoBand(record, side, Apply::Yes);
  return true;
}

bool BorderLayout::removeWindow(HWND hwnd, int side, ForgetRects forgetRects, Park park) {
  layWND toRem;
  if (std::list<layWND>* band = bandList(*this, side)) {
    for (const layWND& record : *band) {
      if (record == hwnd) toRem = record;
    }
    band->remove(toRem);
    // Repositions every window, even when hwnd was not in the band and the share handed out is 0.
    spreadShare(side, shareOf(toRem, side), Apply::Yes);
  } else if (side == Centre) {
    // The Centre is emptied whatever window it holds.
    toRem = centre;
    centre = layWND{};
    applyLayout();
  }
  if (forgetRects == ForgetRects::Yes) {
    originalRects.removeRect(hwnd);
    placedRects.removeRect(hwnd);
    std::erase_if(keptSizes_, [hwnd](const auto& kept) { return kept.first == hwnd; });
  }
  if (park == Park::Yes) {
    parked.push_back(toRem);
  } else {
    parked.remove(toRem);
  }
  return true;
}

void BorderLayout::forgetWindow(HWND hwnd) {
  parked.remove(layWND{hwnd, 0.0, 0.0});
  originalRects.removeRect(hwnd);
  placedRects.removeRect(hwnd);
  std::erase_if(keptSizes_, [hwnd](const auto& kept) { return kept.first == hwnd; });
}

}  // namespace tessellor
