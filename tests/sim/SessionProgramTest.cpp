// The program in the user's session: where its settings are read and written, the Run values it
// keeps, and the end of the session.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "resources/resource_ids.h"
#include "settings/Autostart.h"
#include "settings/SettingsFile.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {
namespace {

constexpr const char* kUserFile = "C:\\Users\\user\\AppData\\Local\\Tessellor\\settings.dat";
constexpr DWORD kExpandSz = 2;  // REG_EXPAND_SZ

INT_PTR quietProc(Platform&, HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A desktop whose system cannot name the user's local application data folder.
class NoFolderDesktop : public SimDesktop {
 public:
  HRESULT SHGetFolderPathA(HWND, int, HANDLE, DWORD, char* path) override {
    if (path != nullptr) path[0] = '\0';
    return E_INVALIDARG;
  }
};

template <class Desktop>
struct DialogOn {
  Desktop d;
  HWND main = d.CreateDialogParamA(nullptr, MAKEINTRESOURCE(IDD_MAIN_DIALOG), nullptr, quietProc, 0);
  void add(const char* name) {
    d.SendDlgItemMessageA(main, IDC_EXCLUDED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  LRESULT count() { return d.SendDlgItemMessageA(main, IDC_EXCLUDED_LIST, LB_GETCOUNT, 0, 0); }
};

// ---- Both settings files ----

TEST(SettingsLocation, SaveMakesThePerUserFolderAndLeavesTheWorkingDirectory) {
  DialogOn<SimDesktop> t;
  t.d.files().put("settings.dat", "old.exe\r\n");
  t.add("a.exe");
  saveSettings(t.d, t.main);
  EXPECT_EQ(t.d.files().read(kUserFile), "a.exe\r\n");
  EXPECT_EQ(t.d.files().read("settings.dat"), "old.exe\r\n");
}

TEST(SettingsLocation, TheWorkingDirectoryCountsOnlyWhileThePerUserFileIsMissing) {
  DialogOn<SimDesktop> t;
  t.d.files().put("settings.dat", "old.exe\r\n");
  loadSettings(t.d, t.main);
  EXPECT_EQ(t.count(), 1);

  DialogOn<SimDesktop> both;
  both.d.files().put("settings.dat", "old.exe\r\nolder.exe\r\n");
  both.d.files().put(kUserFile, "\r\n");  // the per-user file still wins: the user emptied the list
  loadSettings(both.d, both.main);
  EXPECT_EQ(both.count(), 0);
}

TEST(SettingsLocation, WithoutTheUserFolderTheWorkingDirectoryKeepsTheSettings) {
  DialogOn<NoFolderDesktop> t;
  t.d.files().put("settings.dat", "calc.exe\r\n");
  loadSettings(t.d, t.main);
  EXPECT_EQ(t.count(), 1);
  t.add("b.exe");
  saveSettings(t.d, t.main);
  EXPECT_EQ(t.d.files().read("settings.dat"), "calc.exe\r\nb.exe\r\n");
  EXPECT_FALSE(t.d.files().isFolder("C:\\Users\\user\\AppData\\Local\\Tessellor"));
}

TEST(SettingsLocation, ARefusedSaveKeepsThePerUserFileWhole) {
  DialogOn<SimDesktop> t;
  t.d.files().put(kUserFile, "kept\r\n");
  t.d.files().setReadonly(kUserFile);
  t.add("a.exe");
  saveSettings(t.d, t.main);
  EXPECT_EQ(t.d.files().read(kUserFile), "kept\r\n");
  EXPECT_EQ(t.d.files().read("settings.dat"), std::nullopt);  // no second home for the settings
}

// ---- Both Run keys ----

std::optional<std::string> machineValue(SimDesktop& d) { return SimRegistry::runValue(d.registry().machine); }

TEST(MachineAutostart, AnEarlierVersionsValueIsEmptied) {
  SimDesktop d;
  d.registry().machine.values["Tessellor"] = SimRegistry::Value{REG_SZ, std::string("C:\\t.exe\0", 9)};
  clearMachineAutostart(d);
  EXPECT_EQ(machineValue(d), std::string(1, '\0'));
  EXPECT_EQ(d.registryValue("Tessellor"), std::nullopt);  // the per-user key is another store
}

TEST(MachineAutostart, EmptyMissingOrUnwritableValuesAreLeftAlone) {
  SimDesktop d;
  clearMachineAutostart(d);
  EXPECT_EQ(machineValue(d), std::nullopt);  // not created

  // Already empty, with or without its terminating zero: not written again (the type would change).
  for (const std::string& empty : {std::string(), std::string(1, '\0')}) {
    d.registry().machine.values["Tessellor"] = SimRegistry::Value{kExpandSz, empty};
    clearMachineAutostart(d);
    EXPECT_EQ(d.registry().machine.values["Tessellor"].type, kExpandSz);
  }

  d.registry().machine.values["Tessellor"] = SimRegistry::Value{REG_SZ, std::string("C:\\t.exe\0", 9)};
  d.registry().machine.access = SimRegistry::Access::ReadOnly;
  clearMachineAutostart(d);
  EXPECT_EQ(machineValue(d), std::string("C:\\t.exe\0", 9));
  d.registry().machine.access = SimRegistry::Access::Closed;
  clearMachineAutostart(d);
  EXPECT_EQ(machineValue(d), std::string("C:\\t.exe\0", 9));
}

TEST(MachineAutostart, TheProgramsValuesGoToThePerUserKey) {
  SimDesktop d;
  enableAutostart(d, "C:\\Program Files\\Tessellor\\tessellor.exe");
  EXPECT_EQ(d.registryValue("Tessellor"), std::string("\"C:\\Program Files\\Tessellor\\tessellor.exe\"\0", 43));
  disableAutostart(d);
  EXPECT_EQ(d.registryValue("Tessellor"), std::string(1, '\0'));
  EXPECT_EQ(machineValue(d), std::nullopt);
}

// ---- The end of the session ----

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome run(const std::string& text, const RunOptions& options = RunOptions{}) {
  std::ostringstream out, err;
  const int status = runScenarioText("s.scn", text, options, out, err);
  return Outcome{status, out.str(), err.str()};
}

TEST(EndSession, IsMalformedWithoutARunningProgramAndLeavesNoExitCode) {
  const char* cases[] = {
      "end-session",                      // not started
      "start\ncommand 8\nend-session",    // ended by Close
      "start\nend-session\nend-session",  // ended by the session's end
      "start\nend-session\nquit-check",   // no exit code to check
      "start\nend-session\ncommand 8",    // no dialog any more
      "start\nend-session now",           // no arguments
  };
  for (const char* text : cases) {
    const Outcome o = run(text);
    EXPECT_EQ(o.status, 2) << text;
    EXPECT_NE(o.err.find("s.scn:"), std::string::npos) << text;
  }
  EXPECT_NE(run("start\nend-session\ncommand 8").err.find("the program has ended"), std::string::npos);
}

TEST(EndSession, OnlyAnEndingSessionSavesTheSettings) {
  // WM_ENDSESSION with wParam FALSE: another program refused, the session goes on, nothing is saved.
  // The ADD saved the settings already; the file is taken away after it to see what saves again.
  RunOptions options;
  std::vector<std::string> after = {"print tray", "print settings-file"};
  options.prepare = [&after](ScenarioRunner& r) {
    r.moreLines = [&r, &after]() -> std::optional<std::string> {
      if (after.empty() || !r.running()) return std::nullopt;
      if (after.size() == 2) {
        r.desktop().SendMessageA(r.desktop().mainDialog(), WM_QUERYENDSESSION, 0, 0);
        r.desktop().SendMessageA(r.desktop().mainDialog(), WM_ENDSESSION, FALSE, 0);
      }
      std::string line = after.back();
      after.pop_back();
      return line;
    };
  };
  const Outcome cancelled = run("start\ntype 1011 \"a.exe\"\ncommand 1013\nsettings-file none\n", options);
  EXPECT_EQ(cancelled.status, 0) << cancelled.err;
  EXPECT_EQ(cancelled.out, "settings-file none\ntray shown \"Tessellor\"\n");

  const Outcome ended =
      run("start\ntype 1011 \"a.exe\"\ncommand 1013\nsettings-file none\nend-session\nprint settings-file\n");
  EXPECT_EQ(ended.status, 0) << ended.err;
  EXPECT_EQ(ended.out, "settings-file \"a.exe\\r\\n\"\n");
}

TEST(EndSession, ALaterStartIsAFreshProcessWithItsOwnBalloons) {
  const Outcome o = run("start\nend-session\nstart\nprint balloons\nprint dialog\ncommand 8\nquit-check\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.substr(0, o.out.find('\n')), "balloons none");
  EXPECT_NE(o.out.find("exit 0\n"), std::string::npos);
}

}  // namespace
}  // namespace tessellor::sim
