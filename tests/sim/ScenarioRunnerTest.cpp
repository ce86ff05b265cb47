// The scenario runner: what is malformed, what an expect failure does, and how lines and the
// program's messages interleave.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::string& text) {
  std::ostringstream out, err;
  const int status = runScenarioText("s.scn", text, RunOptions{}, out, err);
  return Outcome{status, out.str(), err.str()};
}

TEST(ScenarioMalformed, StopsAtTheLineAndNamesIt) {
  const Outcome o = run("window a\nprint windows\nfrobnicate\nprint windows\n");
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "window a 100 100 500 400\n");
  EXPECT_EQ(o.err, "s.scn:3: unknown command frobnicate\n");
}

TEST(ScenarioMalformed, EachKindOfMistake) {
  const char* cases[] = {
      "screen 1280",                           // wrong argument count
      "screen 1280 1e3",                       // not a number
      "screen 1280 99999999999",               // out of range
      "drag nobody 1 1",                       // unknown window
      "window a\nwindow a",                    // name still alive
      "window a bogus",                        // unknown option
      "window a minimized maximized",          //
      "window a/b",                            // not a name
      "command 1",                             // no dialog open
      "menu \"Close\"",                        // no menu open
      "quit-check",                            // the program has not ended
      "start\nstart",                          // already running
      "start\ncommand 1020\ntype 1011 \"x\"",  // the main dialog is disabled meanwhile
      "start\ncheck 1010 on",                  // not a check box
      "start\nselect 1010 0",                  // no such item
      "start\ntray doubleclick",               // unknown mouse message
      "start\ncommand 8\nprint dialog",        // the program has ended
      "hook resize 0x10010",                   // unknown event
      "expect side 0x10 middle",               // unknown side
      "print everything",                      //
      "settings-file words",                   // a string expected
  };
  for (const char* text : cases) {
    const Outcome o = run(text);
    EXPECT_EQ(o.status, 2) << text;
    EXPECT_NE(o.err.find("s.scn:"), std::string::npos) << text;
  }
}

TEST(ScenarioExpect, FailureIsReportedAndTheScenarioGoesOn) {
  const Outcome o = run("window a at 0 0 10 10\nexpect rect a 0 0 10 20\nexpect mode grid\nprint windows\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "window a 0 0 10 10\n");
  EXPECT_EQ(o.err,
            "s.scn:2: expected rect 0 0 10 20 found rect 0 0 10 10\n"
            "s.scn:3: expected mode grid found mode none\n");
}

TEST(ScenarioExpect, DestroyedWindowsStillHaveASide) {
  const Outcome o = run("window a\ndestroy a\nexpect side a none\nwindow a\nexpect foreground none\n");
  EXPECT_EQ(o.status, 0) << o.err;
}

TEST(ScenarioProgram, WindowActionsBeforeStartPostNothing) {
  std::ostringstream out, err;
  ScenarioRunner runner("s.scn", "window a\ndrag a 1 1\n", RunOptions{}, out, err);
  runner.run();
  // Before start nothing is hooked: no message was left behind.
  EXPECT_TRUE(runner.desktop().queueEmpty());
  EXPECT_EQ(runner.desktop().rectOf(runner.desktop().handleOf("a")), (RECT{101, 101, 501, 401}));
}

TEST(ScenarioProgram, LinesAfterQuitRunOnTheSameDesktop) {
  const Outcome o =
      run("window a\nstart\ncommand 8\nquit-check\nkey 0\ntray rbuttondown\nprint layout\nexpect mode none\n"
          "start\nprint windows\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "exit 0\nlayout none\n"
            "window a 100 100 500 400\nwindow Tessellor 0 0 393 459 hidden\n");
}

TEST(ScenarioProgram, TrayMenuWaitsForTheScript) {
  const Outcome o = run("start\ntray rbuttondown\nmenu \"Settings\"\nprint dialog\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.substr(0, o.out.find('\n', o.out.find('\n') + 1) + 1),
            "menu \"Settings\" \"Minimize\" - \"Close\"\ndialog shown\n");
}

TEST(ScenarioProgram, ScreenChangeAfterStartReachesTheProgram) {
  std::ostringstream out, err;
  ScenarioRunner runner("s.scn", "screen 800 600\n", RunOptions{}, out, err);
  runner.run();
  EXPECT_TRUE(runner.desktop().queueEmpty());  // not running: no WM_DISPLAYCHANGE
  EXPECT_EQ(runner.desktop().GetSystemMetrics(SM_CXMAXIMIZED), 800);
}

TEST(ScenarioProgram, ReadonlySettingsFileKeepsWhatWasThere) {
  const Outcome o =
      run("settings-file \"calc.exe\\n\"\nsettings-file readonly\nstart\ntype 1011 \"x.exe\"\ncommand 1013\n"
          "command 8\nprint settings-file\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "settings-file \"calc.exe\\n\"\n");
}

TEST(ScenarioLook, TraceAndCount) {
  const Outcome o = run("window a\nwindow b\nstart\ncheck 1016 on\ntrace on\ncommand 1008\ntrace off\ncount\ncount\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("call SetWindowPos "), std::string::npos);
  EXPECT_NE(o.out.find("placements "), std::string::npos);
  EXPECT_NE(o.out.find("\nplacements 0\n"), std::string::npos);
}

}  // namespace
}  // namespace tessellor::sim
