#include <gtest/gtest.h>

#include "app/keys/Hotkeys.h"
#include "app/layouts/ActiveLayout.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

// The mode is read from the object held, so the two can never disagree.
TEST(ActiveLayout, ModeFollowsTheLayoutHeld) {
  sim::SimDesktop desktop;
  ActiveLayout layout;
  EXPECT_EQ(layout.mode(), LayoutNone);
  EXPECT_EQ(layout.border(), nullptr);
  EXPECT_EQ(layout.grid(), nullptr);

  BorderLayout* border = layout.start(std::make_unique<BorderLayout>(desktop, BorderWeights{}));
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(layout.mode(), LayoutBorder);
  EXPECT_EQ(layout.border(), border);
  EXPECT_EQ(layout.grid(), nullptr);

  GridLayout* grid = layout.start(std::make_unique<GridLayout>(desktop));  // the border one ends
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(layout.mode(), LayoutGrid);
  EXPECT_EQ(layout.grid(), grid);
  EXPECT_EQ(layout.border(), nullptr);

  layout.end();
  EXPECT_EQ(layout.mode(), LayoutNone);
  EXPECT_EQ(layout.grid(), nullptr);
}

TEST(ActiveLayout, StartingNoObjectEndsTheLayout) {
  sim::SimDesktop desktop;
  ActiveLayout layout;
  layout.start(std::make_unique<GridLayout>(desktop));
  EXPECT_EQ(layout.start(std::unique_ptr<BorderLayout>{}), nullptr);
  EXPECT_EQ(layout.mode(), LayoutNone);
  EXPECT_EQ(layout.grid(), nullptr);
}

// The side hotkeys name the cell of their arrow (F10 the Centre); the others name none.
TEST(Hotkeys, SideColumnMatchesTheKeys) {
  const auto sideOfKey = [](const Hotkey& key) {
    if (key.modifiers == MOD_CONTROL || key.modifiers == MOD_ALT) {
      switch (key.virtualKey) {
        case VK_LEFT:
          return static_cast<int>(West);
        case VK_RIGHT:
          return static_cast<int>(East);
        case VK_UP:
          return static_cast<int>(North);
        case VK_DOWN:
          return static_cast<int>(South);
        case VK_F10:
          return static_cast<int>(Centre);
        default:
          break;
      }
    }
    return NoSide;
  };
  for (const Hotkey& key : hotkeys) EXPECT_EQ(key.side, sideOfKey(key)) << "hotkey " << key.id;
}

}  // namespace
}  // namespace tessellor
