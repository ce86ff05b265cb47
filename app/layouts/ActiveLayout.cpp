#include "app/layouts/ActiveLayout.h"

#include <utility>

#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor {

ActiveLayout::ActiveLayout() = default;

ActiveLayout::~ActiveLayout() = default;

BorderLayout* ActiveLayout::border() const {
  const auto* held = std::get_if<std::unique_ptr<BorderLayout>>(&layout_);
  return held != nullptr ? held->get() : nullptr;
}

GridLayout* ActiveLayout::grid() const {
  const auto* held = std::get_if<std::unique_ptr<GridLayout>>(&layout_);
  return held != nullptr ? held->get() : nullptr;
}

template <class Layout>
Layout* ActiveLayout::hold(std::unique_ptr<Layout> layout) {
  if (layout == nullptr) {
    end();
    return nullptr;
  }
  return layout_.template emplace<std::unique_ptr<Layout>>(std::move(layout)).get();
}

BorderLayout* ActiveLayout::start(std::unique_ptr<BorderLayout> layout) { return hold(std::move(layout)); }

GridLayout* ActiveLayout::start(std::unique_ptr<GridLayout> layout) { return hold(std::move(layout)); }

void ActiveLayout::end() { layout_.emplace<std::monostate>(); }

std::vector<HWND> ActiveLayout::heldWindows() const {
  if (const BorderLayout* b = border()) return b->heldWindows();
  if (const GridLayout* g = grid()) return g->windows;
  return {};
}

void ActiveLayout::settlePlacements(const PlacementOutcome& outcome, Refit refit) {
  if (BorderLayout* b = border()) b->settlePlacements(outcome, refit);
  if (GridLayout* g = grid()) g->settlePlacements(outcome);
}

void ActiveLayout::readBackAnswered(HWND hwnd) {
  if (BorderLayout* b = border()) b->readBackAnswered(hwnd);
  if (GridLayout* g = grid()) g->readBackAnswered(hwnd);
}

void ActiveLayout::placeAll() {
  if (BorderLayout* b = border()) b->applyLayout();
  if (GridLayout* g = grid()) g->arrange();
}

}  // namespace tessellor
