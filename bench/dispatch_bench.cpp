// One hook event through mainDialogProc: the edge resize of a laid-out window, from the message to
// the windows placed again, over a window system that only remembers rectangles.
#include <benchmark/benchmark.h>

#include <memory>
#include <unordered_map>

#include "app/MainDialog.h"
#include "app/layouts/LayoutTable.h"
#include "bench/NullPlatform.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"

namespace tessellor::bench {
namespace {

// Windows keep what they are given, so that the layouts measure and compare real rectangles.
class RectPlatform : public NullPlatform {
 public:
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override {
    *rect = rectOf(hwnd);
    return TRUE;
  }
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override {
    NullPlatform::GetWindowPlacement(hwnd, placement);
    placement->rcNormalPosition = rectOf(hwnd);
    return TRUE;
  }
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override {
    rects[hwnd] = placement->rcNormalPosition;
    ++placements;
    return TRUE;
  }
  BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT) override {
    rects[hwnd] = RECT{x, y, x + cx, y + cy};
    ++placements;
    return TRUE;
  }

  double placements = 0;

  RECT& rectOf(HWND hwnd) {
    const auto found = rects.try_emplace(hwnd, RECT{100, 100, 500, 400});
    return found.first->second;
  }

 private:
  std::unordered_map<HWND, RECT> rects;
};

const HWND kDialog = handleFromValue(0xD1A10);

struct Program {
  RectPlatform platform;
  Shell shell{platform, registerHookMessages(platform)};

  Program() { platform.SetWindowLongPtrA(kDialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&shell)); }

  // The user pulls one edge in and out by 15 pixels on alternate events.
  void resizeEdge(benchmark::State& state, HWND hwnd, LONG RECT::*edge) {
    platform.placements = 0;
    bool outward = false;
    for ([[maybe_unused]] auto _ : state) {
      platform.rectOf(hwnd).*edge += outward ? 15 : -15;
      mainDialogProc(platform, kDialog, shell.messages.sizing, reinterpret_cast<WPARAM>(hwnd), 0);
      outward = !outward;
    }
    // Shows that each event really re-placed the windows.
    state.counters["placements"] = benchmark::Counter(platform.placements, benchmark::Counter::kAvgIterations);
  }
};

// Five windows in each band (one short of the limit, so the border window still moves its
// neighbour's boundary) and a Centre window; the last North window's right edge moves.
void borderBandEdgeResize(benchmark::State& state) {
  Program program;
  BorderLayout& border =
      *addLayout(program.shell)->engine.start(std::make_unique<BorderLayout>(program.platform, BorderWeights{}));
  std::uintptr_t handle = 1;
  HWND resized = nullptr;
  for (const int side : {North, West, East, South}) {
    for (int i = 0; i < 5; ++i) {
      const HWND hwnd = handleFromValue(handle++);
      border.addWindow(hwnd, side);
      if (side == North) resized = hwnd;
    }
  }
  border.addWindow(handleFromValue(handle), Centre);
  program.resizeEdge(state, resized, &RECT::right);
}
BENCHMARK(borderBandEdgeResize);

// Twelve windows in three rows of four; a window of the middle row has its right edge moved, and
// the gap or overlap with its right neighbour is mended.
void gridEdgeResize(benchmark::State& state) {
  Program program;
  GridLayout& grid = *addLayout(program.shell)->engine.start(std::make_unique<GridLayout>(program.platform));
  for (std::uintptr_t handle = 1; handle <= 12; ++handle) grid.addWindow(handleFromValue(handle));
  grid.arrange();
  grid.rememberAllPlacedRects();
  program.resizeEdge(state, handleFromValue(6), &RECT::right);
}
BENCHMARK(gridEdgeResize);

}  // namespace
}  // namespace tessellor::bench
