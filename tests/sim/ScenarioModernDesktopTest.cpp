// Scenario lines for the desktop of Windows 10 and 11: what they post for the program, what they
// print, and which are malformed.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "MinmaxPosted.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {
namespace {

struct Outcome {
  int status;
  std::string out;
};

Outcome run(const std::string& text) {
  std::ostringstream out, err;
  const int status = runScenarioText("s.scn", text, RunOptions{}, out, err);
  return Outcome{status, out.str()};
}

TEST(ScenarioOwnPrograms, HideShowCloakAndUnminimizePostTheirShowCommands) {
  EXPECT_EQ(minmaxPosted("window a\nhide a\nshow a\ncloak a\nuncloak a\n"),
            (std::vector<Posted>{{"a", 6}, {"a", 9}, {"a", 6}, {"a", 9}}));
  // Shown again maximised: 3; minimised: nothing at all.
  EXPECT_EQ(minmaxPosted("window m maximized hidden\nwindow n minimized cloaked\nshow m\nshow n\nuncloak n\n"),
            (std::vector<Posted>{{"m", 3}}));
  EXPECT_EQ(minmaxPosted("window m maximized\nwindow n\nminimize m\nminimize n\nunminimize m\nunminimize n\n"),
            (std::vector<Posted>{{"m", 6}, {"n", 6}, {"m", 3}, {"n", 9}}));
}

TEST(ScenarioModernPrints, VisibleBoundsAndCloaks) {
  const Outcome o =
      run("window a at 0 0 100 100 frame 8 0 8 8 cloaked\n"
          "window b at 10 10 20 20 tool noactivate appwindow owner a elevated\n"
          "print visible\nprint windows\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "visible a 8 0 92 92 cloaked\nvisible b 10 10 20 20\n"
            "window a 0 0 100 100\nwindow b 10 10 20 20\n");
}

TEST(ScenarioModernDesktop, MonitorsComeAndGoAndMaximisedWindowsFollow) {
  const Outcome o =
      run("workarea 0 0 1280 984\n"
          "monitor two 1280 0 2560 1024 work 1280 40 2560 1024\n"
          "window a at 1300 100 1400 200 maximized\n"
          "window b maximized\n"
          "print windows\n"
          "monitor two off\n"
          "print windows\n"
          "screen 1000 800\n"
          "print windows\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "window a 1280 40 2560 1024 maximized\nwindow b 0 0 1280 984 maximized\n"
            "window a 0 0 1280 984 maximized\nwindow b 0 0 1280 984 maximized\n"
            "window a 0 0 1000 800 maximized\nwindow b 0 0 1000 800 maximized\n");
}

TEST(ScenarioModernMalformed, EachKindOfMistake) {
  const char* cases[] = {
      "window a frame 1 2 3",                          // a frame of three sides
      "window a frame 0 -1 0 0",                       // a negative frame
      "window a owner nobody",                         // unknown owner
      "window a cloaked bogus",                        //
      "workarea 0 0 100",                              // wrong argument count
      "monitor two off",                               // no such monitor
      "monitor two 0 0 0 100",                         // a monitor of no size
      "monitor two 0 0 10 10 work 0 0 10",             // a work area of three sides
      "monitor two 0 0 10 10 area 0 0 10 10",          // not `work`
      "monitor off 0 0 10 10",                         // not a monitor name
      "monitor two 0 0 10 10\nmonitor two off extra",  //
      "window a\nunminimize a",                        // not minimised
      "hide nobody",                                   //
      "cloak",                                         //
  };
  for (const char* text : cases) EXPECT_EQ(run(text).status, 2) << text;
}

}  // namespace
}  // namespace tessellor::sim
