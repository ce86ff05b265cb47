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

void registry(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  static constexpr const char* kWords[] = {"readonly"};
  if (a.choice(0, kWords)) r.desktop().setRegistryReadonly();
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

void endSession(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  if (!r.running() || r.desktop().mainDialog() == nullptr) {
    return void(a.fail(r.ended() ? "the program has ended" : "the program has not started"));
  }
  r.endSession();
}

constexpr Command kCommands[] = {
    {"settings-file", settingsFile}, {"workdir-settings-file", workdirSettingsFile},
    {"registry", registry},          {"machine-registry", machineRegistry},
    {"end-session", endSession},     {"file", anyFile},
};

}  // namespace

std::span<const Command> sessionCommands() { return kCommands; }

}  // namespace tessellor::sim
