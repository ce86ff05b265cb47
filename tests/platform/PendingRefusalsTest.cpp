// What a flush tells of windows that would not move: only a refusal with ERROR_ACCESS_DENIED marks
// a window that will refuse every move; a window gone meanwhile is refused, not denied.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/PendingPlacements.h"
#include "platform/sim/SimDesktop.h"

namespace tessellor {
namespace {

bool has(const std::vector<HWND>& list, HWND hwnd) { return std::find(list.begin(), list.end(), hwnd) != list.end(); }

TEST(PendingRefusals, OnlyAccessDeniedMarksAWindowThatWillNeverMove) {
  sim::SimDesktop desk;
  const auto make = [&](const char* name, bool elevated) {
    sim::WindowSpec s;
    s.name = name;
    s.elevated = elevated;
    return desk.createWindow(s);
  };
  const HWND admin = make("admin", true), gone = make("gone", false), plain = make("plain", false);
  PendingPlacements pending(desk);
  for (HWND hwnd : {admin, gone, plain})
    pending.SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  desk.destroyWindow(gone);
  const PlacementOutcome outcome = pending.flush();
  EXPECT_TRUE(has(outcome.refused, admin));
  EXPECT_TRUE(has(outcome.denied, admin));
  EXPECT_TRUE(has(outcome.refused, gone));
  EXPECT_FALSE(has(outcome.denied, gone));
  EXPECT_TRUE(has(outcome.placed, plain));
  EXPECT_FALSE(has(outcome.denied, plain));
  EXPECT_EQ(desk.GetLastError(), ERROR_ACCESS_DENIED);
}

}  // namespace
}  // namespace tessellor
