// The session's lines: the two settings files, the two Run keys, and Windows ending the session.
#include "tools/sim/Printer.h"
#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

// `NAME "TEXT"` writes the file, `NAME none` deletes it; `NAME readonly` where allowed.
void fileLine(ScenarioRunner& r, Args& a, const char* path, bool readonlyAllowed) {
  if (!a.count(1, 1)) return;
  SimFiles& files = r.desktop().files();
  if (a.isWord(0, "none")) {
    files.remove(path);
  } else if (readonlyAllowed && a.isWord(0, "readonly")) {
    files.setReadonly(path);
  } else if (const auto text = a.string(0)) {
    files.put(path, *text);
  }
}

void settingsFile(ScenarioRunner& r, Args& a) { fileLine(r, a, kSettingsFilePath, true); }
void workdirSettingsFile(ScenarioRunner& r, Args& a) { fileLine(r, a, kWorkdirSettingsFilePath, false); }

// `registry readonly`; also (an extension) `registry "DATA"` stores the per-user value as another
// copy of the program or the user left it (with its terminating zero), and `registry none` deletes it.
void registry(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  SimRegistry::RunKey& key = r.desktop().registry().user;
  if (a.isString(0)) {
    if (const auto data = a.string(0)) key.values["Tessellor"] = SimRegistry::Value{REG_SZ, *data + '\0'};
    return;
  }
  static constexpr const char* kWords[] = {"readonly", "none"};
  const auto word = a.choice(0, kWords);
  if (!word) return;
  if (*word == 0) return r.desktop().setRegistryReadonly();
  key.values.erase("Tessellor");
}

// `machine-registry "DATA"` stores DATA as an earlier version would have (with its terminating
// zero), `none` deletes the value, `readonly` lets the key be read only.
void machineRegistry(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  SimRegistry::RunKey& key = r.desktop().registry().machine;
  if (a.isWord(0, "none")) {
    key.values.erase("Tessellor");
  } else if (a.isWord(0, "readonly")) {
    key.access = SimRegistry::Access::ReadOnly;
  } else if (const auto data = a.string(0)) {
    key.values["Tessellor"] = SimRegistry::Value{REG_SZ, *data + '\0'};
  }
}

// `file "PATH" "TEXT"` writes any file (its folder is made), `file "PATH" none` deletes it; `file
// "PATH" readonly` refuses the program's writes and deletes of it from then on.
void anyFile(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto path = a.string(0);
  if (!path) return;
  SimFiles& files = r.desktop().files();
  if (a.isWord(1, "none")) {
    files.remove(*path);
  } else if (a.isWord(1, "readonly")) {
    files.setReadonly(*path);
  } else if (const auto text = a.string(1)) {
    files.put(*path, *text);
  }
}

// `end-session`: Windows ends the session. `end-session closeapp`: an installer's Restart Manager
// asks the program to end so that its files can be replaced.
void endSession(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 1)) return;
  static constexpr const char* kKinds[] = {"closeapp"};
  if (a.size() == 1 && !a.choice(0, kKinds)) return;
  if (!r.running() || r.desktop().mainDialog() == nullptr) {
    return void(a.fail(r.ended() ? "the program has ended" : "the program has not started"));
  }
  if (a.size() == 1) return r.closeApp();
  r.endSession();
}

// `command-line "TEXT"`: another tessellor.exe runs with that command line, the program running or
// not, and prints `command-line exit N`. Malformed for a command line that starts the tray program.
void commandLine(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const auto text = a.string(0);
  if (!text) return;
  const std::optional<int> code = r.runOtherCopy(*text);
  if (!code) return void(a.fail("that command line starts the program: use start"));
  r.out() << "command-line exit " << *code << '\n';
}

constexpr Command kCommands[] = {
    {"settings-file", settingsFile}, {"workdir-settings-file", workdirSettingsFile},
    {"registry", registry},          {"machine-registry", machineRegistry},
    {"end-session", endSession},     {"file", anyFile},
    {"command-line", commandLine},
};

}  // namespace

std::span<const Command> sessionCommands() { return kCommands; }

}  // namespace tessellor::sim
