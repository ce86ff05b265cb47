// The fuzzer's own parts: its rules must see a broken layout, and a seed must replay.
#include <gtest/gtest.h>

#include <cstdint>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include "tools/fuzz/FuzzRun.h"

namespace tessellor::fuzz {
namespace {

using namespace check;

class FuzzRules : public ::testing::Test {
 protected:
  FuzzRules() {
    desk.setScreen(1000, 800);
    for (const char* name : {"a", "b"}) {
      sim::WindowSpec desc;
      desc.name = name;
      windows.push_back(desk.createWindow(desc));
    }
  }

  std::vector<std::string> borderFindings(const BorderLayout& layout) {
    Findings findings;
    checkBorder(layout, findings);
    return findings;
  }

  sim::SimDesktop desk;
  std::vector<HWND> windows;
};

TEST_F(FuzzRules, SeeEachKindOfBrokenBorderLayout) {
  BorderLayout layout(desk);
  layout.addWindow(windows[0], North);
  layout.addWindow(windows[1], Centre);
  ASSERT_TRUE(borderFindings(layout).empty());

  BorderLayout twice = layout;
  twice.west.push_back(layWND{windows[1], 0.0, 1.0});
  EXPECT_EQ(borderFindings(twice).size(), 1u);  // in the Centre and in West

  BorderLayout unplaced = layout;
  unplaced.placedRects.removeRect(windows[0]);
  EXPECT_EQ(borderFindings(unplaced).size(), 1u);

  BorderLayout notANumber = layout;
  notANumber.north.front().widthShare = std::numeric_limits<double>::quiet_NaN();
  notANumber.eastLeft = std::numeric_limits<double>::infinity();
  EXPECT_EQ(borderFindings(notANumber).size(), 2u);
}

TEST_F(FuzzRules, SeeBandSharesThatDoNotSumToOne) {
  BorderLayout layout(desk);
  layout.addWindow(windows[0], West);
  layout.addWindow(windows[1], West);
  ASSERT_TRUE(borderFindings(layout).empty());

  BorderLayout shortOfOne = layout;
  shortOfOne.west.front().heightShare -= 1e-6;
  EXPECT_EQ(borderFindings(shortOfOne).size(), 1u);
  // Rounding of a few updates is no finding; the widthShare a West window carries is not read.
  BorderLayout rounded = layout;
  rounded.west.front().heightShare -= 1e-12;
  rounded.west.front().widthShare = 0.1;
  EXPECT_TRUE(borderFindings(rounded).empty());

  // Over 1 is allowed in general, but not where only adding, removing and applying happened,
  // except when every window was raised to the same minimum share.
  Findings findings;
  BorderLayout over = layout;
  over.west.front().heightShare = 0.7;
  checkBorder(over, findings);
  EXPECT_TRUE(findings.empty());
  checkNoBandOverfull(over, findings);
  EXPECT_EQ(findings.size(), 1u);
  BorderLayout allRaised = layout;
  for (layWND& record : allRaised.west) record.heightShare = 0.6;
  findings.clear();
  checkNoBandOverfull(allRaised, findings);
  EXPECT_TRUE(findings.empty());
}

TEST_F(FuzzRules, SeeAWindowThatIsNotWherePlacedRectsSays) {
  BorderLayout layout(desk);
  layout.addWindow(windows[0], North);
  layout.addWindow(windows[1], Centre);
  Findings findings;
  checkBorderOnDesktop(layout, desk, findings);
  ASSERT_TRUE(findings.empty());
  desk.setRect(windows[1], RECT{1, 2, 3, 4});
  checkBorderOnDesktop(layout, desk, findings);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_NE(findings[0].find("1 2 3 4"), std::string::npos) << findings[0];
  // A window without an entry is the table rule's business, not this one's.
  findings.clear();
  const HWND stranger = windows[1];
  checkPlacedRects(RectTable{}, std::span(&stranger, 1), desk, findings);
  EXPECT_TRUE(findings.empty());
}

TEST_F(FuzzRules, SeeADuplicateOrOverfullGrid) {
  GridLayout grid(desk);
  for (int k = 0; k < 13; ++k) grid.windows.push_back(windows[0]);
  grid.placedRects.addRect(windows[0], RECT{});
  Findings findings;
  checkGrid(grid, findings);
  EXPECT_EQ(findings.size(), 2u);  // twice, and more than 12

  // A grid window with no recorded place, or with two.
  GridLayout unrecorded(desk);
  unrecorded.windows = windows;
  unrecorded.placedRects.addRect(windows[0], RECT{});
  findings.clear();
  checkGrid(unrecorded, findings);
  EXPECT_EQ(findings.size(), 1u);
}

TEST_F(FuzzRules, WindowsPlacedAsAskedAreThoseWhoseLastPlacementTook) {
  using Kind = sim::PlacementCall::Kind;
  const HWND a = windows[0], b = windows[1];
  const HWND c = reinterpret_cast<HWND>(std::uintptr_t{0x7000});  // any third handle: no window is asked
  const RECT r{0, 0, 10, 10};
  sim::PlacementCall shortOfIt{Kind::SetWindowPos, c, r};
  shortOfIt.took = false;  // a window that would not be as small
  const std::vector<sim::PlacementCall> calls{
      {Kind::SetWindowPlacement, a, r},   {Kind::SetWindowPos, b, r}, {Kind::SetWindowPos, b, r, true}, shortOfIt,
      {Kind::SetActiveWindow, c, RECT{}},  // activation places nothing
  };
  // b's last placement was refused; c ended elsewhere than asked.
  EXPECT_EQ(windowsPlacedAsAsked(calls), (std::vector<HWND>{a}));
}

TEST_F(FuzzRules, EachWindowIsPlacedOncePerEvent) {
  using Kind = sim::PlacementCall::Kind;
  const HWND a = windows[0], b = windows[1];
  const RECT r{0, 0, 10, 10};
  const auto call = [](Kind kind, HWND hwnd, const RECT& rect, int batch) {
    sim::PlacementCall made{kind, hwnd, rect};
    made.batch = batch;
    return made;
  };
  const auto noFrame = [](HWND) { return false; };
  Findings findings;
  // A restore to the normal state and the raise of the same window belong together.
  checkPlacedOnce(std::vector{call(Kind::SetWindowPlacement, a, r, 1), call(Kind::SetWindowPos, a, r, 1)}, false,
                  noFrame, findings);
  EXPECT_TRUE(findings.empty());
  checkPlacedOnce(std::vector{call(Kind::SetWindowPos, a, r, 1), call(Kind::SetWindowPos, a, r, 1)}, false, noFrame,
                  findings);
  EXPECT_EQ(findings.size(), 1u);
  // Again in a later batch: only for a window with a frame, or after the fit pass widened a band.
  findings.clear();
  checkPlacedOnce(std::vector{call(Kind::SetWindowPos, a, r, 1), call(Kind::SetWindowPos, a, r, 2)}, false, noFrame,
                  findings);
  EXPECT_EQ(findings.size(), 1u);
  findings.clear();
  checkPlacedOnce(
      std::vector{call(Kind::SetWindowPos, a, r, 1), call(Kind::SetWindowPos, a, r, 2)}, false,
      [a](HWND hwnd) { return hwnd == a; }, findings);
  EXPECT_TRUE(findings.empty());
  // Or after the fit pass widened a band for a window that would not be as thin.
  checkPlacedOnce(std::vector{call(Kind::SetWindowPos, a, r, 1), call(Kind::SetWindowPos, a, r, 2)}, true, noFrame,
                  findings);
  EXPECT_TRUE(findings.empty());
  // Asking a window for the rectangle it has.
  sim::PlacementCall idle = call(Kind::SetWindowPos, b, r, 1);
  idle.redundant = true;
  checkPlacedOnce(std::vector{idle}, false, noFrame, findings);
  EXPECT_EQ(findings.size(), 1u);
}

// The simulated desktop marks the placements it refuses, which the rule above relies on.
TEST_F(FuzzRules, TheDesktopMarksRefusedPlacements) {
  sim::WindowSpec desc;
  desc.name = "admin";
  desc.elevated = true;
  const HWND elevated = desk.createWindow(desc);
  desk.clearCalls();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = RECT{0, 0, 50, 50};
  EXPECT_FALSE(desk.SetWindowPlacement(elevated, &placement));
  EXPECT_TRUE(desk.SetWindowPlacement(windows[0], &placement));
  EXPECT_FALSE(desk.SetWindowPos(elevated, nullptr, 0, 0, 50, 50, 0));
  ASSERT_EQ(desk.calls().size(), 3u);
  EXPECT_TRUE(desk.calls()[0].refused);
  EXPECT_FALSE(desk.calls()[1].refused);
  EXPECT_TRUE(desk.calls()[2].refused);
  EXPECT_EQ(windowsPlacedAsAsked(desk.calls()), (std::vector<HWND>{windows[0]}));
}

TEST_F(FuzzRules, SeeRunawayAndFarOffPlacements) {
  const sim::PlacementCall near{sim::PlacementCall::Kind::SetWindowPos, windows[0], RECT{0, 0, 100, 100}};
  const sim::PlacementCall far{sim::PlacementCall::Kind::SetWindowPlacement, windows[0], RECT{0, 0, 2147483647, 9}};
  Findings findings;
  checkPlacements(std::vector{near, near}, PlacementLimits{2, 100}, findings);
  EXPECT_TRUE(findings.empty());
  checkPlacements(std::vector{near, near, near}, PlacementLimits{2, 100}, findings);
  checkPlacements(std::vector{far}, PlacementLimits{2, 100}, findings);
  EXPECT_EQ(findings.size(), 2u);
}

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A directory of this run's own: the tests of other checkouts may run at the same time, and one
// run's clean-up must not remove another's files while it plays.
std::filesystem::path freshDirectory() {
  std::random_device random;
  for (;;) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tessellor-fuzz-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(dir)) return dir;
  }
}

TEST(FuzzSeeds, ASeedPlaysTheSameLinesEveryTime) {
  const std::filesystem::path dir = freshDirectory();
  std::filesystem::create_directories(dir / "1");
  std::filesystem::create_directories(dir / "2");
  const SeedOutcome first = runSeed(7, 300, (dir / "1").string(), true);
  const SeedOutcome second = runSeed(7, 300, (dir / "2").string(), true);
  EXPECT_TRUE(first.findings.empty());
  EXPECT_EQ(first.events, 300);
  const std::string lines = contents(dir / "1" / "fuzz-seed-7.scn");
  EXPECT_EQ(lines, contents(dir / "2" / "fuzz-seed-7.scn"));
  EXPECT_NE(lines.find("\nstart\n"), std::string::npos);
  std::filesystem::remove_all(dir);
}

// The Windows 10 desktop is behind its option: a seed without it never writes those lines, and with
// it every line it writes is well formed (the runner would report a malformed one as a finding).
TEST(FuzzSeeds, TheWindows10DesktopIsPlayedOnlyWhenAsked) {
  const std::filesystem::path dir = freshDirectory();
  std::filesystem::create_directories(dir / "plain");
  std::filesystem::create_directories(dir / "w10");
  const SeedOutcome plain = runSeed(5, 600, (dir / "plain").string(), true);
  const SeedOutcome modern = runSeed(5, 600, (dir / "w10").string(), true, GeneratorOptions{true});
  EXPECT_TRUE(plain.findings.empty());
  EXPECT_TRUE(modern.findings.empty()) << modern.findings.front();
  const std::string plainLines = contents(dir / "plain" / "fuzz-seed-5.scn");
  const std::string modernLines = contents(dir / "w10" / "fuzz-seed-5.scn");
  for (const char* word : {"\nworkarea ", "\nmonitor ", " frame ", "\nhide ", "\nuncloak "}) {
    EXPECT_EQ(plainLines.find(word), std::string::npos) << word;
    EXPECT_NE(modernLines.find(word), std::string::npos) << word;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tessellor::fuzz
