#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "hook/HookEvents.h"

namespace tessellor {
namespace {

// A desktop that answers from plain tables; a window absent from `live` no longer exists.
class FakeProbe final : public WindowProbe {
 public:
  std::map<HookWindow, WindowState> live;
  std::set<HookWindow> children;

  bool isTopLevel(HookWindow window) const override { return live.contains(window) && !children.contains(window); }
  WindowState observe(HookWindow window) const override {
    const auto at = live.find(window);
    return at != live.end() ? at->second : WindowState{};
  }
  bool exists(HookWindow window) const override { return live.contains(window); }
};

constexpr WindowState kNormal{.titled = true, .visible = true};
constexpr HookReport kNothing{};
constexpr HookReport kMinimize{HookMessage::MinMax, kShowMinimize};
constexpr HookReport kMaximize{HookMessage::MinMax, kShowMaximize};
constexpr HookReport kRestore{HookMessage::MinMax, kShowRestore};
constexpr HookReport kClose{HookMessage::Close, 0};
constexpr HookWindow w = 0x10010;

// One window on screen, known since the hooks started.
class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    probe.live[w] = kNormal;
    map.remember(w, kNormal);
  }
  HookReport on(HookEvent event, HookWindow window = w, std::uint64_t now = 0) {
    return map.onEvent(event, window, probe, now);
  }
  WindowState& state(HookWindow window = w) { return probe.live[window]; }

  FakeProbe probe;
  HookMap map;
};

using HookMinMax = HookTest;

TEST_F(HookMinMax, MaximiseMinimiseRestoreToMaximisedThenRestore) {
  state().zoomed = true;
  EXPECT_EQ(on(HookEvent::LocationChange), kMaximize);
  // Minimised, the window no longer reads as zoomed: still no restore.
  state() = {.titled = true, .visible = true, .iconic = true};
  EXPECT_EQ(on(HookEvent::MinimizeStart), kMinimize);
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  state() = {.titled = true, .visible = true, .zoomed = true};
  EXPECT_EQ(on(HookEvent::MinimizeEnd), kMaximize);
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  state().zoomed = false;
  EXPECT_EQ(on(HookEvent::LocationChange), kRestore);
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
}

TEST_F(HookMinMax, TheEventWinsOverAStateThatHasMovedOnAlready) {
  // The window was restored again before the minimise event was delivered: both still reported, in order.
  EXPECT_EQ(on(HookEvent::MinimizeStart), kMinimize);
  EXPECT_EQ(on(HookEvent::MinimizeEnd), kRestore);
}

TEST_F(HookMinMax, AWindowMaximisedBeforeTheHooksStartedReportsItsRestore) {
  map.remember(w, {.titled = true, .visible = true, .zoomed = true});
  EXPECT_EQ(on(HookEvent::LocationChange), kRestore);
}

TEST_F(HookMinMax, MovesAndSizesOfAWindowOnScreenReportOnlySizing) {
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  EXPECT_EQ(on(HookEvent::MoveSizeEnd), (HookReport{HookMessage::Sizing, 0}));
}

using HookVisibility = HookTest;

TEST_F(HookVisibility, HiddenLeavesAndShownComesBack) {
  state().visible = false;
  EXPECT_EQ(on(HookEvent::Hide), kMinimize);
  EXPECT_EQ(on(HookEvent::Hide), kNothing);
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  state().visible = true;
  EXPECT_EQ(on(HookEvent::Show), kRestore);
  EXPECT_EQ(on(HookEvent::Show), kNothing);
}

TEST_F(HookVisibility, AMaximisedWindowShownAgainIsMaximised) {
  state().zoomed = true;
  on(HookEvent::LocationChange);
  EXPECT_EQ(on(HookEvent::Hide), kMinimize);
  EXPECT_EQ(on(HookEvent::Show), kMaximize);
}

TEST_F(HookVisibility, CloakedLeavesAndUncloakedComesBack) {
  state().cloaked = true;
  EXPECT_EQ(on(HookEvent::Cloaked), kMinimize);
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  state().cloaked = false;
  EXPECT_EQ(on(HookEvent::Uncloaked), kRestore);
}

TEST_F(HookVisibility, AMinimisedWindowHiddenOrShownReportsNothingUntilRestored) {
  state().iconic = true;
  EXPECT_EQ(on(HookEvent::MinimizeStart), kMinimize);
  EXPECT_EQ(on(HookEvent::Hide), kNothing);  // to the tray
  EXPECT_EQ(on(HookEvent::Show), kNothing);
  state().iconic = false;
  EXPECT_EQ(on(HookEvent::MinimizeEnd), kRestore);
}

TEST_F(HookVisibility, BackOnScreenOnlyWhenNeitherHiddenNorCloaked) {
  state().visible = false;
  EXPECT_EQ(on(HookEvent::Hide), kMinimize);
  EXPECT_EQ(on(HookEvent::Cloaked), kNothing);
  EXPECT_EQ(on(HookEvent::Uncloaked), kNothing);  // still hidden
  state().cloaked = true;
  EXPECT_EQ(on(HookEvent::Cloaked), kNothing);
  EXPECT_EQ(on(HookEvent::Show), kNothing);  // still cloaked
  state() = kNormal;
  EXPECT_EQ(on(HookEvent::Uncloaked), kRestore);
}

TEST_F(HookVisibility, AFirstAppearanceIsNoRestore) {
  const HookWindow created = 0x20020;
  state(created) = {.titled = true};
  EXPECT_EQ(on(HookEvent::Create, created), (HookReport{HookMessage::Create, 0}));
  EXPECT_EQ(on(HookEvent::Uncloaked, created), kNothing);
  state(created).visible = true;
  EXPECT_EQ(on(HookEvent::Show, created), kNothing);
  state(created).visible = false;
  EXPECT_EQ(on(HookEvent::Hide, created), kMinimize);
  EXPECT_EQ(on(HookEvent::Show, created), kRestore);
}

TEST_F(HookVisibility, AWindowKnownOnlyAsNeverShownIsStillReportedMinimisedAndMaximised) {
  // Its creation was seen, its showing was not.
  const HookWindow created = 0x20020;
  state(created) = {.titled = true};
  on(HookEvent::Create, created);
  state(created) = {.titled = true, .visible = true, .iconic = true};
  EXPECT_EQ(on(HookEvent::MinimizeStart, created), kMinimize);
  const HookWindow zoomed = 0x30030;
  state(zoomed) = {.titled = true};
  on(HookEvent::Create, zoomed);
  state(zoomed) = {.titled = true, .visible = true, .zoomed = true};
  EXPECT_EQ(on(HookEvent::LocationChange, zoomed), kMaximize);
}

TEST_F(HookVisibility, AWindowWithoutTitleBarLeavesWhenHiddenButIsNotRestoredWhenShown) {
  // Tooltips and menus: never taken for a restored window, or a grid would take them in.
  state().titled = false;
  EXPECT_EQ(on(HookEvent::Hide), kMinimize);
  EXPECT_EQ(on(HookEvent::Show), kNothing);
  // Minimise and restore are reported for it as for any window.
  EXPECT_EQ(on(HookEvent::MinimizeStart), kMinimize);
  EXPECT_EQ(on(HookEvent::MinimizeEnd), kRestore);
}

using HookLifetime = HookTest;

TEST_F(HookLifetime, ADestroyedTopLevelWindowIsClosedOnce) {
  const HookWindow created = 0x20020;  // after the start
  state(created) = kNormal;
  on(HookEvent::Create, created);
  probe.live.clear();
  EXPECT_EQ(on(HookEvent::Destroy), kClose);
  EXPECT_EQ(on(HookEvent::Destroy), kNothing);
  EXPECT_EQ(on(HookEvent::Destroy, created), kClose);
  EXPECT_EQ(map.size(), 0u);
}

TEST_F(HookLifetime, AChildWindowPostsNothingAndIsNotRemembered) {
  const HookWindow child = 0x30030;
  state(child) = kNormal;
  probe.children.insert(child);
  for (HookEvent event : {HookEvent::Create, HookEvent::Show, HookEvent::LocationChange, HookEvent::MoveSizeEnd,
                          HookEvent::Hide, HookEvent::Destroy})
    EXPECT_EQ(on(event, child), kNothing);
  EXPECT_EQ(map.size(), 1u);
}

TEST_F(HookLifetime, AWindowNeverSeenIsTakenToHaveBeenInTheStateItsEventUndoes) {
  // Such a window may still be one that a layout holds (created while events were not delivered).
  const HookWindow stray = 0x40040;
  EXPECT_EQ(on(HookEvent::Destroy, stray), kNothing);  // gone before it was ever seen
  state(stray) = {.titled = true, .visible = true, .iconic = true};
  EXPECT_EQ(on(HookEvent::MinimizeStart, stray), kMinimize);
  EXPECT_EQ(map.size(), 2u);
  state(stray).iconic = false;
  EXPECT_EQ(on(HookEvent::MinimizeEnd, stray), kRestore);
  probe.live.erase(stray);
  EXPECT_EQ(on(HookEvent::Destroy, stray), kClose);

  const HookWindow restored = 0x50050;
  state(restored) = {.titled = true, .visible = true, .zoomed = true};
  EXPECT_EQ(on(HookEvent::MinimizeEnd, restored), kMaximize);
  const HookWindow maximised = 0x60060;
  state(maximised) = {.titled = true, .visible = true, .zoomed = true};
  EXPECT_EQ(on(HookEvent::LocationChange, maximised), kMaximize);
}

TEST_F(HookLifetime, AWindowNeverSeenThatMovesOrAppearsReportsNoChange) {
  const HookWindow moved = 0x40040, shown = 0x50050, hiddenMove = 0x60060;
  state(moved) = kNormal;
  state(shown) = kNormal;
  state(hiddenMove) = {.titled = true};
  EXPECT_EQ(on(HookEvent::Hide, hiddenMove), kNothing);
  EXPECT_EQ(on(HookEvent::LocationChange, moved), kNothing);
  EXPECT_EQ(on(HookEvent::Show, shown), kNothing);
  EXPECT_EQ(on(HookEvent::Uncloaked, shown), kNothing);
  EXPECT_EQ(on(HookEvent::LocationChange, hiddenMove), kNothing);
  EXPECT_EQ(on(HookEvent::Foreground, moved), (HookReport{HookMessage::Focus, 0}));
  EXPECT_EQ(map.size(), 4u);
  // Learned all the same: their later changes are reported.
  state(moved).visible = false;
  EXPECT_EQ(on(HookEvent::Hide, moved), kMinimize);
  state(hiddenMove).visible = true;
  EXPECT_EQ(on(HookEvent::Show, hiddenMove), kNothing);  // its first appearance
}

TEST_F(HookLifetime, ReusedHandleStartsAfresh) {
  state().visible = false;
  on(HookEvent::Hide);
  // The hidden window died unseen and its handle now names a new window: its first show is no restore.
  EXPECT_EQ(on(HookEvent::Create), (HookReport{HookMessage::Create, 0}));
  state().visible = true;
  EXPECT_EQ(on(HookEvent::Show), kNothing);
}

TEST_F(HookLifetime, WindowsThatDieUnseenAreForgottenAndLiveOnesKept) {
  // 3000 windows that each die without a destroy event: memory stays bounded.
  for (HookWindow window = 0x100000; window < 0x100000 + 3000; ++window) {
    state(window) = kNormal;
    on(HookEvent::Create, window);
    probe.live.erase(window);
  }
  EXPECT_LE(map.size(), 1025u);
  // 3000 live windows are all kept: their closing is still reported.
  for (HookWindow window = 0x200000; window < 0x200000 + 3000; ++window) {
    state(window) = kNormal;
    on(HookEvent::Create, window);
  }
  EXPECT_GE(map.size(), 3001u);
  for (HookWindow window = 0x200000; window < 0x200000 + 3000; ++window) {
    probe.live.erase(window);
    EXPECT_EQ(on(HookEvent::Destroy, window), kClose) << window;
  }
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);  // the first window is still known, unchanged
  EXPECT_EQ(on(HookEvent::Destroy), kClose);
}

// Moves outside a move-size loop (Snap, another program) wait for the windows to settle, then are
// given once each; moves inside a loop are reported by its end alone.
class HookSettle : public HookTest {
 protected:
  std::vector<HookWindow> settled() { return settledAt(UINT64_MAX); }
  std::vector<HookWindow> settledAt(std::uint64_t now) {
    std::vector<HookWindow> out;
    HookWindow window = 0;
    while (map.takeSettled(probe, window, now)) out.push_back(window);
    return out;
  }
};

TEST_F(HookSettle, ASnapIsGivenOnceAfterItsMovesSettle) {
  constexpr HookWindow other = 0x10020;
  state(other) = kNormal;
  map.remember(other, kNormal);
  // Snap's steps and a second window's move: each asks for the wait again, and each window comes once.
  EXPECT_EQ(on(HookEvent::LocationChange), kNothing);
  EXPECT_TRUE(map.takeSettleRequest());
  EXPECT_FALSE(map.takeSettleRequest());
  on(HookEvent::LocationChange);
  on(HookEvent::LocationChange, other);
  EXPECT_TRUE(map.takeSettleRequest());
  EXPECT_EQ(settled(), (std::vector<HookWindow>{w, other}));
  EXPECT_TRUE(settled().empty());
}

TEST_F(HookSettle, MovesInsideAMoveSizeLoopAreLeftToItsEnd) {
  EXPECT_EQ(on(HookEvent::MoveSizeStart), kNothing);
  on(HookEvent::LocationChange);
  EXPECT_FALSE(map.takeSettleRequest());
  EXPECT_EQ(on(HookEvent::MoveSizeEnd), (HookReport{HookMessage::Sizing, 0}));
  EXPECT_TRUE(settled().empty());
  // After the loop, a move by Snap is a settled move again.
  on(HookEvent::LocationChange);
  EXPECT_TRUE(map.takeSettleRequest());
  EXPECT_EQ(settled(), (std::vector<HookWindow>{w}));
}

TEST_F(HookSettle, AWindowThatKeepsMovingDelaysOnlyItself) {
  constexpr HookWindow snapped = 0x10020;
  state(snapped) = kNormal;
  map.remember(snapped, kNormal);
  // A video's window (w) moves every 50 ms; a layout window is snapped once at 10 ms.
  on(HookEvent::LocationChange, w, 0);
  on(HookEvent::LocationChange, snapped, 10);
  EXPECT_EQ(map.nextSettle(), std::optional<std::uint64_t>(100));
  for (std::uint64_t at = 50; at <= 300; at += 50) {
    on(HookEvent::LocationChange, w, at);
    if (at == 100) {
      EXPECT_EQ(settledAt(at), std::vector<HookWindow>{});  // 10 + 100 is not yet
    }
  }
  EXPECT_EQ(settledAt(110), std::vector<HookWindow>{snapped});
  EXPECT_EQ(map.nextSettle(), std::optional<std::uint64_t>(400));
  EXPECT_EQ(settledAt(399), std::vector<HookWindow>{});
  EXPECT_EQ(settledAt(400), std::vector<HookWindow>{w});
  EXPECT_EQ(map.nextSettle(), std::nullopt);
}

TEST_F(HookSettle, AWindowThatChangedStateOrWentIsNotGiven) {
  constexpr HookWindow gone = 0x10020, shrunk = 0x10030;
  for (HookWindow window : {gone, shrunk}) {
    state(window) = kNormal;
    map.remember(window, kNormal);
    on(HookEvent::LocationChange, window);
  }
  on(HookEvent::LocationChange);
  // Maximised by Win+Up before the wait ended: its own message says so, and no move follows.
  state().zoomed = true;
  EXPECT_EQ(on(HookEvent::LocationChange), kMaximize);
  probe.live.erase(gone);
  state(shrunk).iconic = true;  // minimised without its event having come yet
  EXPECT_TRUE(settled().empty());
}

}  // namespace
}  // namespace tessellor
