// The border engine's own cost for a full layout: six windows in each band and a Centre window,
// over a window system that does nothing.
#include <benchmark/benchmark.h>

#include "bench/NullPlatform.h"
#include "layout/border/BorderLayout.h"

namespace tessellor::bench {
namespace {

void applyFullLayout(benchmark::State& state) {
  NullPlatform platform;
  BorderLayout layout(platform);
  std::uintptr_t handle = 1;
  for (const int side : {North, West, East, South}) {
    for (int i = 0; i < 6; ++i) layout.addWindow(handleFromValue(handle++), side);
  }
  layout.addWindow(handleFromValue(handle), Centre);
  for ([[maybe_unused]] auto _ : state) layout.applyLayout();
}
BENCHMARK(applyFullLayout);

}  // namespace
}  // namespace tessellor::bench
