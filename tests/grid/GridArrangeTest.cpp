#include <gmock/gmock.h>

#include "GridFixture.h"

namespace tessellor {
namespace {

using Kind = sim::PlacementCall::Kind;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Shape {
  int windows;
  int layoutRows;
  int layoutColumns;
  std::vector<RECT> cells;
};

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.windows << " windows"; }

// 1280 / 2 = 640, 1280 / 3 = 426, 1280 / 4 = 320, 1280 / 5 = 256, 1280 / 6 = 213;
// 1024 / 2 = 512, 1024 / 3 = 341. The last column and the last row take the leftover pixels.
const Shape kShapes[] = {
    {1, 1, 1, row(1, 1280, 0, 1024)},
    {2, 1, 2, row(2, 640, 0, 1024)},
    {3, 1, 3, row(3, 426, 0, 1024)},
    {4, 2, 2, row(2, 640, 0, 512) + row(2, 640, 512, 1024)},
    {5, 2, 2, row(2, 640, 0, 512) + row(3, 426, 512, 1024)},
    {6, 2, 3, row(3, 426, 0, 512) + row(3, 426, 512, 1024)},
    {7, 2, 3, row(3, 426, 0, 512) + row(4, 320, 512, 1024)},
    {8, 2, 4, row(4, 320, 0, 512) + row(4, 320, 512, 1024)},
    {9, 2, 4, row(4, 320, 0, 512) + row(5, 256, 512, 1024)},
    {10, 2, 5, row(5, 256, 0, 512) + row(5, 256, 512, 1024)},
    {11, 2, 5, row(5, 256, 0, 512) + row(6, 213, 512, 1024)},
    {12, 3, 4, row(4, 320, 0, 341) + row(4, 320, 341, 682) + row(4, 320, 682, 1024)},
};

class GridShape : public GridTest, public ::testing::WithParamInterface<Shape> {};

TEST_P(GridShape, CellsInListOrder) {
  const Shape& shape = GetParam();
  const std::vector<HWND> hwnds = arrangeWindows(shape.windows);
  EXPECT_EQ(grid.layoutRows, shape.layoutRows);
  EXPECT_EQ(grid.layoutColumns, shape.layoutColumns);
  EXPECT_THAT(rectsOf(hwnds), ElementsAreArray(shape.cells));
  expectConsistent();
}

INSTANTIATE_TEST_SUITE_P(OneToTwelve, GridShape, ::testing::ValuesIn(kShapes),
                         [](const auto& param) { return std::to_string(param.param.windows); });

TEST_F(GridTest, ArrangePlacesEachWindowOnceWithoutRaisingIt) {
  sim::WindowSpec desc;
  desc.name = "big";
  desc.maximized = true;
  const HWND big = desktop.createWindow(desc);
  const HWND small = createWindow("small");
  grid.addWindow(big);
  grid.addWindow(small);
  desktop.clearCalls();
  grid.arrange();

  std::vector<std::pair<Kind, HWND>> made;
  for (const auto& call : desktop.calls()) made.emplace_back(call.kind, call.hwnd);
  EXPECT_THAT(made, ElementsAre(std::pair{Kind::SetWindowPlacement, big}, std::pair{Kind::SetWindowPlacement, small}));
  EXPECT_EQ(desktop.calls()[0].rect, (RECT{0, 0, 640, 1024}));
  EXPECT_FALSE(desktop.isMaximized(big));
  // The window the user works in keeps the focus: the grid neither raises nor activates.
  EXPECT_EQ(desktop.zOrder().front(), small);
  EXPECT_EQ(desktop.foreground(), nullptr);
}

TEST_F(GridTest, ThirteenthWindowIsRefused) {
  const std::vector<HWND> hwnds = arrangeWindows(12);
  EXPECT_FALSE(grid.addWindow(createWindow("extra")));
  EXPECT_EQ(grid.windows, hwnds);
}

TEST_F(GridTest, RemovingTheFirstOfFiveLeavesTwoByTwoInListOrder) {
  const std::vector<HWND> hwnds = arrangeWindows(5);
  grid.removeWindow(hwnds[0], ForgetRects::No);
  EXPECT_EQ(grid.layoutRows, 2);
  EXPECT_EQ(grid.layoutColumns, 2);
  EXPECT_THAT(rectsOf({hwnds[1], hwnds[2], hwnds[3], hwnds[4]}),
              ElementsAreArray(row(2, 640, 0, 512) + row(2, 640, 512, 1024)));
}

TEST_F(GridTest, WindowThatRefusesItsCellIsRecordedWhereItWent) {
  sim::WindowSpec desc;
  desc.name = "wide";
  desc.minWidth = 700;
  grid.addWindow(desktop.createWindow(desc));
  grid.addWindow(createWindow("other"));
  grid.arrange();
  EXPECT_GE(desktop.rectOf(grid.windows[0]).right, 700);
  expectConsistent();
}

TEST_F(GridTest, RestoreSkipsWindowAddedMinimised) {
  const HWND a = createWindow("a", RECT{100, 100, 500, 400});
  const HWND parked = createWindow("parked", RECT{700, 500, 900, 700});
  desktop.minimize(parked);
  const HWND b = createWindow("b", RECT{300, 200, 900, 700});
  for (HWND hwnd : {a, parked, b}) grid.addWindow(hwnd);
  grid.arrange();
  desktop.clearCalls();

  grid.restoreAllWindows();
  EXPECT_EQ(desktop.rectOf(a), (RECT{100, 100, 500, 400}));
  EXPECT_EQ(desktop.rectOf(b), (RECT{300, 200, 900, 700}));
  EXPECT_EQ(desktop.rectOf(parked), (RECT{426, 0, 852, 1024}));
  for (const auto& call : desktop.calls()) EXPECT_NE(call.hwnd, parked);
  EXPECT_EQ(grid.windows.size(), 3u);
}

TEST_F(GridTest, ReaddedWindowKeepsItsFirstOriginalRect) {
  const HWND a = createWindow("a", RECT{100, 100, 500, 400});
  grid.addWindow(a);
  grid.arrange();
  grid.removeWindow(a, ForgetRects::No);
  grid.addWindow(a);
  RECT original{};
  ASSERT_TRUE(grid.originalRects.findRect(a, &original));
  EXPECT_EQ(original, (RECT{100, 100, 500, 400}));
}

TEST_F(GridTest, RefreshMetricsArrangesOnlyWhenTheScreenChanged) {
  const std::vector<HWND> hwnds = arrangeWindows(2);
  desktop.clearCalls();
  grid.refreshMetrics();
  EXPECT_TRUE(desktop.calls().empty());

  desktop.setScreen(1000, 1024);  // same height: the width alone decides; 1000 / 2 = 500
  grid.refreshMetrics();
  EXPECT_EQ(grid.screenWidth, 1000);
  EXPECT_THAT(rectsOf(hwnds), ElementsAreArray(row(2, 500, 0, 1024, 1000)));
}

}  // namespace
}  // namespace tessellor
