// A user's session with 8, 12 and 24 windows (bench/placements*.scn): every event places each window
// at most once, never asks a window for the rectangle it has, and starting or ending a layout costs
// one placement a window.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "tools/check/Invariants.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor {
namespace {

struct Session {
  const char* file;
  int windows;
};

void PrintTo(const Session& session, std::ostream* out) { *out << session.file; }

class PlacementSession : public ::testing::TestWithParam<Session> {};

std::vector<std::string> linesOf(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool startsOrEnds(const std::string& line) {
  return line.rfind("key 0", 0) == 0 || line.rfind("key 1", 0) == 0 || line.rfind("key 2", 0) == 0;
}

TEST_P(PlacementSession, EachWindowOncePerEvent) {
  const Session& session = GetParam();
  const std::vector<std::string> lines = linesOf(std::string(TESSELLOR_SOURCE_DIR) + "/bench/" + session.file);
  ASSERT_FALSE(lines.empty());
  std::size_t next = 0;
  std::string played;
  check::Findings findings;
  sim::RunOptions options;
  options.prepare = [&](sim::ScenarioRunner& runner) {
    runner.moreLines = [&]() -> std::optional<std::string> {
      sim::SimDesktop& desk = runner.desktop();
      if (next > 0) {
        // No window here refuses its size, so the fit pass has nothing to widen.
        check::checkPlacedOnce(
            desk.calls(), false, [](HWND) { return false; }, findings);
        if (startsOrEnds(played)) {
          std::map<HWND, int> perWindow;
          for (const sim::PlacementCall& call : desk.calls()) {
            if (call.kind != sim::PlacementCall::Kind::SetActiveWindow) ++perWindow[call.hwnd];
          }
          for (const auto& [hwnd, calls] : perWindow) {
            EXPECT_EQ(calls, 1) << played;
          }
          EXPECT_LE(perWindow.size(), static_cast<std::size_t>(session.windows)) << played;
        }
        for (const std::string& finding : findings) ADD_FAILURE() << played << ": " << finding;
        findings.clear();
      }
      desk.clearCalls();
      if (next == lines.size()) return std::nullopt;
      played = lines[next++];
      return played;
    };
  };
  std::ostringstream out, err;
  EXPECT_EQ(sim::runScenarioText(session.file, "", options, out, err), 0) << err.str();
  EXPECT_EQ(next, lines.size());
}

INSTANTIATE_TEST_SUITE_P(EightTwelveTwentyFour, PlacementSession,
                         ::testing::Values(Session{"placements.scn", 8}, Session{"placements-12.scn", 12},
                                           Session{"placements-24.scn", 24}),
                         [](const auto& param) { return std::to_string(param.param.windows) + "Windows"; });

}  // namespace
}  // namespace tessellor
