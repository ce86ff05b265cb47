// What the simulated hook leaves for the program: the "UWM_MINMAX" messages of a scenario's lines.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

inline const HWND kHookTarget = handleFromValue(0x4242);

struct Posted {
  std::string window;
  LPARAM showCommand;
  friend bool operator==(const Posted&, const Posted&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Posted& p) {
    return out << p.window << ' ' << p.showCommand;
  }
};

// Runs the lines before any start, with the hook set as the program would set it, and answers the
// "UWM_MINMAX" messages left in the queue.
inline std::vector<Posted> minmaxPosted(const std::string& text) {
  std::ostringstream out, err;
  ScenarioRunner runner("s.scn", text, RunOptions{}, out, err);
  SimDesktop& d = runner.desktop();
  d.RegisterWindowMessageA("UWM_MINMAX");
  d.setMyHook(kHookTarget);
  EXPECT_EQ(runner.run(), 0) << err.str();
  std::vector<Posted> posted;
  MSG msg{};
  while (d.GetMessageA(&msg, nullptr, 0, 0) > 0) {
    EXPECT_EQ(msg.hwnd, kHookTarget);
    EXPECT_EQ(msg.message, d.registeredMessage("UWM_MINMAX"));
    posted.push_back(Posted{d.nameOf(handleFromValue(msg.wParam)), msg.lParam});
  }
  return posted;
}

}  // namespace tessellor::sim
