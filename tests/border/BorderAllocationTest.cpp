// applyLayout runs on every window event; it must not touch the heap. Counted by replacing the
// global allocation functions of this test program.
#include <cstdlib>
#include <new>

#include "BorderFixture.h"
#include "bench/NullPlatform.h"

namespace {
bool counting = false;
int allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tessellor::test {
namespace {

TEST(BorderApplyCost, ApplyLayoutAllocatesNothing) {
  bench::NullPlatform platform;
  BorderLayout layout(platform);
  std::uintptr_t handle = 1;
  for (const int side : {North, West, East, South}) {
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(layout.addWindow(handleFromValue(handle++), side));
  }
  ASSERT_TRUE(layout.addWindow(handleFromValue(handle), Centre));

  counting = true;
  layout.applyLayout();
  // Every window reads back 400 × 400: each band widens and the layout is applied once more.
  platform.windowRect = RECT{0, 0, 400, 400};
  layout.applyLayout();
  counting = false;
  EXPECT_EQ(allocations, 0);
  EXPECT_EQ(layout.northWeight, 400.0 / 1024);
}

}  // namespace
}  // namespace tessellor::test
