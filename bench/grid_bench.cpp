// The grid engine's own cost with 12 windows, the window system reduced to a table of rectangles.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/NullPlatform.h"
#include "layout/grid/GridLayout.h"

namespace tessellor::bench {
namespace {

// Windows are the handles 1 to 12. SetWindowPos moves them, so a resize sees the trims and
// stretches it makes, as it would on a desktop.
class RectPlatform : public NullPlatform {
 public:
  std::vector<RECT> rects = std::vector<RECT>(13, RECT{100, 100, 500, 400});

  BOOL GetWindowRect(HWND hwnd, RECT* rect) override {
    *rect = rects[handleValue(hwnd)];
    return TRUE;
  }
  BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT) override {
    rects[handleValue(hwnd)] = RECT{x, y, x + cx, y + cy};
    return TRUE;
  }
};

void fill(GridLayout& grid) {
  for (std::uintptr_t handle = 1; handle <= 12; ++handle) grid.addWindow(handleFromValue(handle));
}

void arrangeTwelve(benchmark::State& state) {
  RectPlatform platform;
  GridLayout grid(platform);
  fill(grid);
  for ([[maybe_unused]] auto _ : state) grid.arrange();
}
BENCHMARK(arrangeTwelve);

// One edge of one window of an arranged 12-window grid moved to `to`, then the grid follows.
void edgeResize(benchmark::State& state, int window, LONG RECT::*edge, LONG to) {
  RectPlatform platform;
  GridLayout grid(platform);
  fill(grid);
  grid.arrange();
  const std::vector<RECT> arranged = platform.rects;
  const HWND resized = handleFromValue(static_cast<std::uintptr_t>(window));
  for ([[maybe_unused]] auto _ : state) {
    platform.rects = arranged;
    platform.rects[static_cast<std::size_t>(window)].*edge = to;
    grid.rememberPlacedRect(resized);
    grid.resolveOverlaps(resized, GapFill::Fill);
  }
}

// The sixth window sits in the middle row, (320, 341, 640, 682); pulling its bottom edge up to 600
// makes every row react: the worst case of one edge resize.
void resizeMiddleBottomEdge(benchmark::State& state) { edgeResize(state, 6, &RECT::bottom, 600); }
BENCHMARK(resizeMiddleBottomEdge);

// The first window's right edge pulled left to 300: one neighbour stretched, the rows levelled.
void resizeFirstRightEdge(benchmark::State& state) { edgeResize(state, 1, &RECT::right, 300); }
BENCHMARK(resizeFirstRightEdge);

}  // namespace
}  // namespace tessellor::bench
