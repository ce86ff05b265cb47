// A program killed from outside, any file of the simulated file system, the tray balloon's click,
// and what tells a window from a later one with its handle (class, process start).
#include <gtest/gtest.h>

#include <sstream>

#include "platform/sim/SimDesktop.h"
#include "tests/sim/WindowDesc.h"
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

// ---- kill ----

TEST(ScenarioKill, NothingOfTheExitSequenceRuns) {
  // Any exit sequence would write the settings file again.
  const Outcome o =
      run("window a at 0 0 100 100\nsettings-file \"auto\\r\\n\"\nstart\nkey 0\nsettings-file none\n"
          "kill\nprint settings-file\nprint tray\nprint hotkeys\nprint windows\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "settings-file none\n"
            "tray none\n"
            "hotkeys\n"
            "window a 0 0 1280 1024\n");  // where the layout put it: the Centre, with nothing in front
}

TEST(ScenarioKill, HookMessagesAfterItReachNoOne) {
  const Outcome o = run(
      "window a\nsettings-file \"auto\"\nstart\nkey 0\nkill\ntrace on\ndrag a 10 10\nhook sizing a\nprint windows\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "window a 10 10 1290 1034\n");  // no placement answered the drag
}

TEST(ScenarioKill, WhileTheBorderSettingsDialogIsOpenItEndsEveryLoop) {
  const Outcome o = run("start\ncommand 1020\nkill\nstart\nprint dialog\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.substr(0, o.out.find('\n')), "dialog hidden");
}

TEST(ScenarioKill, LeavesNoExitCodeAndALaterStartIsANewProcess) {
  Outcome o = run("start\nkill\nquit-check\n");
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "s.scn:3: the program has not ended\n");
  o = run("start\nkill\nstart\ncommand 8\nquit-check\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "exit 0\n");
}

TEST(ScenarioKill, IsMalformedUnlessTheProgramRuns) {
  EXPECT_EQ(run("kill\n").err, "s.scn:1: the program has not started\n");
  EXPECT_EQ(run("start\ncommand 8\nkill\n").err, "s.scn:3: the program has ended\n");
  EXPECT_EQ(run("start\nkill\nkill\n").err, "s.scn:3: the program has ended\n");
  EXPECT_EQ(run("start\nkill now\n").status, 2);
}

TEST(SimKill, TheDyingProgramChangesNothingThatOutlivesIt) {
  SimDesktop d;
  const HWND a = d.createWindow(desc("a"));
  d.killProcess();
  EXPECT_FALSE(d.SetWindowPos(a, nullptr, 0, 0, 10, 10, 0));
  EXPECT_FALSE(d.ShowWindow(a, SW_HIDE));
  EXPECT_FALSE(d.replaceFile("settings.dat", "x", Platform::Durability::PowerCut));
  EXPECT_FALSE(d.DeleteFileA("settings.dat"));
  EXPECT_EQ(d.rectOf(a), (RECT{100, 100, 500, 400}));
  EXPECT_TRUE(d.calls().empty());
  MSG msg{};
  EXPECT_THROW(d.GetMessageA(&msg, nullptr, 0, 0), ProcessKilled);
  d.endProcess();
  EXPECT_FALSE(d.killed());
  EXPECT_TRUE(d.replaceFile("settings.dat", "x", Platform::Durability::PowerCut));
}

// ---- Any file ----

TEST(ScenarioFiles, WrittenReadAndDeletedByWindowsPath) {
  const Outcome o =
      run("file \"C:\\\\New\\\\Folder\\\\a.txt\" \"1\\r\\n2\"\nprint file \"c:/new/folder/A.TXT\"\n"
          "file \"C:\\\\New\\\\Folder\\\\a.txt\" none\nprint file \"C:\\\\New\\\\Folder\\\\a.txt\"\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "file \"c:/new/folder/A.TXT\" \"1\\r\\n2\"\n"
            "file \"C:\\\\New\\\\Folder\\\\a.txt\" none\n");
}

TEST(ScenarioFiles, MalformedLines) {
  const char* cases[] = {
      "file \"a.txt\"",          // no text
      "file a.txt \"x\"",        // the path is a string
      "file \"a.txt\" words",    // the text is a string
      "print file",              // no path
      "print file \"a\" \"b\"",  //
  };
  for (const char* text : cases) EXPECT_EQ(run(text).status, 2) << text;
}

TEST(SimFiles, TheProgramsDeleteNeedsTheFileAndRespectsReadonly) {
  SimDesktop d;
  EXPECT_FALSE(d.DeleteFileA("missing.dat"));
  EXPECT_EQ(d.GetLastError(), ERROR_FILE_NOT_FOUND);
  d.files().put("kept.dat", "x");
  d.setFileReadonly("kept.dat");
  EXPECT_FALSE(d.DeleteFileA("kept.dat"));
  EXPECT_EQ(d.GetLastError(), ERROR_ACCESS_DENIED);
  d.files().put("gone.dat", "x");
  EXPECT_TRUE(d.DeleteFileA("GONE.DAT"));
  EXPECT_EQ(d.files().read("gone.dat"), std::nullopt);
}

// ---- The balloon's click ----

TEST(ScenarioTray, BalloonClickReachesTheProgramOnlyWithAnIcon) {
  SimDesktop d;
  EXPECT_FALSE(d.clickTray(NIN_BALLOONUSERCLICK));
  EXPECT_EQ(run("tray balloonclick\n").status, 0);  // no icon yet: nothing happens
  EXPECT_EQ(run("settings-file \"\\r\\n\"\nstart\ntray balloonclick\nprint balloons\n").out, "balloons none\n");
}

// ---- Knowing a window again ----

TEST(SimIdentity, ClassesAndProcessStarts) {
  SimDesktop d;
  d.setTime(1000);
  WindowSpec pad = desc("pad");
  pad.className = "Notepad";
  const HWND a = d.createWindow(pad);
  const HWND b = d.createWindow(desc("b"));
  WindowSpec again = desc("pad2");
  again.exe = "pad.exe";
  d.setTime(2000);
  const HWND c = d.createWindow(again);  // the same program as a: its process started at 1000

  char name[MAX_CLASS_NAME + 1] = {};
  EXPECT_EQ(d.GetClassNameA(a, name, sizeof name), 7);
  EXPECT_STREQ(name, "Notepad");
  EXPECT_EQ(d.GetClassNameA(b, name, 4), 3);  // cut to fit, as the system does
  EXPECT_STREQ(name, "Sim");
  EXPECT_EQ(d.GetClassNameA(handleFromValue(0x99), name, sizeof name), 0);

  DWORD pa = 0, pb = 0, pc = 0;
  d.GetWindowThreadProcessId(a, &pa);
  d.GetWindowThreadProcessId(b, &pb);
  d.GetWindowThreadProcessId(c, &pc);
  EXPECT_EQ(pa, pc);
  const auto start = [&](DWORD pid) {
    HANDLE process = d.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    FILETIME created{}, exited{}, kernel{}, user{};
    EXPECT_TRUE(d.GetProcessTimes(process, &created, &exited, &kernel, &user));
    d.CloseHandle(process);
    return (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
  };
  // 1970 plus 1000 s in 100-ns units since 1601, plus the process's serial.
  EXPECT_EQ(start(pa), 116444736000000000ull + 1000ull * 10000000ull + 1);
  EXPECT_NE(start(pa), start(pb));
  FILETIME t{}, u{}, v{}, w{};
  EXPECT_FALSE(d.GetProcessTimes(nullptr, &t, &u, &v, &w));
}

TEST(SimIdentity, TheMainDialogIsOfTheDialogClass) {
  const Outcome o = run("window a class \"My Class\"\nwindow b class Plain\nstart\n");
  EXPECT_EQ(o.status, 0) << o.err;
  SimDesktop d;
  const HWND dialog = d.CreateDialogParamA(
      nullptr, MAKEINTRESOURCE(101), nullptr, [](Platform&, HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; },
      0);
  char name[16] = {};
  d.GetClassNameA(dialog, name, sizeof name);
  EXPECT_STREQ(name, "#32770");
  EXPECT_EQ(run("window a class \"\"\n").status, 2);
}

}  // namespace
}  // namespace tessellor::sim
