// The layout the shell runs: none, or exactly one Border Layout or Grid Layout, so that the mode
// and the layout object cannot disagree.
#pragma once

#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/PendingPlacements.h"

namespace tessellor {

class BorderLayout;
class GridLayout;

enum LayoutMode : int { LayoutNone = 0, LayoutBorder = 1, LayoutGrid = 2 };

class ActiveLayout {
 public:
  ActiveLayout();
  ~ActiveLayout();
  ActiveLayout(const ActiveLayout&) = delete;
  ActiveLayout& operator=(const ActiveLayout&) = delete;

  LayoutMode mode() const { return static_cast<LayoutMode>(layout_.index()); }
  // The running layout of that kind, or null.
  BorderLayout* border() const;
  GridLayout* grid() const;

  // Makes the layout the running one, ending any other; returns it. A null layout ends the running
  // one, so that no mode is ever without its object.
  BorderLayout* start(std::unique_ptr<BorderLayout> layout);
  GridLayout* start(std::unique_ptr<GridLayout> layout);
  // Ends the running layout, if any.
  void end();
  // The windows the running layout holds, in the order it places them; none without a layout.
  std::vector<HWND> heldWindows() const;
  // Hands the outcome of the event's placements to the running layout (which may place again).
  void settlePlacements(const PlacementOutcome& outcome, Refit refit);
  // Tells the running layout that a window placed late has taken its placement (which may place again).
  void readBackAnswered(HWND hwnd);
  // Places every window of the running layout again, in its cell as the layout stands.
  void placeAll();

 private:
  // The alternative's index is the LayoutMode.
  using Held = std::variant<std::monostate, std::unique_ptr<BorderLayout>, std::unique_ptr<GridLayout>>;
  static_assert(std::is_same_v<std::variant_alternative_t<LayoutBorder, Held>, std::unique_ptr<BorderLayout>>);
  static_assert(std::is_same_v<std::variant_alternative_t<LayoutGrid, Held>, std::unique_ptr<GridLayout>>);

  template <class Layout>
  Layout* hold(std::unique_ptr<Layout> layout);

  Held layout_;
};

}  // namespace tessellor
