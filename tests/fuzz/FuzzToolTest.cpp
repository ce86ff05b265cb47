// The fuzzer's own parts: its rules must see a broken layout, and a seed must replay.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include "tools/fuzz/FuzzRun.h"

namespace tessellor::fuzz {
namespace {

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

TEST_F(FuzzRules, SeeADuplicateOrOverfullGrid) {
  GridLayout grid(desk);
  for (int k = 0; k < 13; ++k) grid.windows.push_back(windows[0]);
  Findings findings;
  checkGrid(grid, findings);
  EXPECT_EQ(findings.size(), 2u);  // twice, and more than 12
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
  const SeedOutcome plain = runSeed(5, 400, (dir / "plain").string(), true);
  const SeedOutcome modern = runSeed(5, 400, (dir / "w10").string(), true, GeneratorOptions{true});
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
