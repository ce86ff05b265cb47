// Looking at the desktop and the program, and checking them.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "resources/resource_ids.h"
#include "tools/sim/Printer.h"
#include "tools/sim/ProgramState.h"
#include "tools/sim/ScenarioRunner.h"
#include "tools/sim/SvgSnapshot.h"

namespace tessellor::sim {

namespace {

// A monitor a `monitor` line gave (or `primary`), from argument i; false (malformed) for another.
bool knownMonitor(ScenarioRunner& r, Args& a, std::size_t i) {
  const auto name = a.word(i);
  if (!name) return false;
  const std::vector<std::string> names = r.desktop().monitorNames();
  if (std::find(names.begin(), names.end(), *name) != names.end()) return true;
  a.fail("no monitor line gave the name " + *name);
  return false;
}

// `print layout MONITOR [desktop D]`: that monitor's layout alone.
void printMonitorLayout(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 4) || a.size() == 3 || !knownMonitor(r, a, 1)) return;
  std::string desk = r.desktop().shownDesktop();
  if (a.size() == 4) {
    if (!a.isWord(2, "desktop")) return void(a.fail("print layout MONITOR takes desktop D"));
    desk = a.word(3).value_or("");
  }
  if (a.failed()) return;
  printOneLayout(r.desktop(), layoutOfMonitor(r.desktop(), r.shell(), *a.word(1), desk), r.out());
}

void print(ScenarioRunner& r, Args& a) {
  if (a.size() > 1 && a.isWord(0, "layout")) return printMonitorLayout(r, a);
  if (!a.count(1, 2)) return;
  static constexpr const char* kWhat[] = {"windows",
                                          "layout",
                                          "dialog",
                                          "registry",
                                          "settings-file",
                                          "hotkeys",
                                          "tray",
                                          "border-settings",
                                          "machine-registry",
                                          "workdir-settings-file",
                                          "balloons",
                                          "visible",
                                          "file",
                                          "keys",
                                          "hotkey-keys",
                                          "timers",
                                          "restart",
                                          "why",
                                          "windows-dialog",
                                          "clipboard"};
  const auto what = a.choice(0, kWhat);
  if (!what) return;
  // Only `print file "PATH"` takes a second argument.
  if ((*what == 12) != (a.size() == 2)) return void(a.fail("wrong number of arguments for print"));
  SimDesktop& d = r.desktop();
  std::ostream& out = r.out();
  switch (*what) {
    case 0:
      return printWindows(d, out);
    case 1:
      return printLayout(d, r.shell(), out);
    case 2:
      if (!r.running() || d.mainDialog() == nullptr) return void(a.fail("the main dialog is not open"));
      return printDialog(d, d.mainDialog(), out);
    case 3:
      return printRunValue("registry", d.registry().user, out);
    case 4:
      return printFile("settings-file", kSettingsFilePath, d, out);
    case 5:
      return printHotkeys(d, out);
    case 6:
      return printTray(d, out);
    case 7:
      if (!r.running() || !d.modalOpen()) return void(a.fail("the border settings dialog is not open"));
      return printBorderSettings(d, d.topDialog(), out);
    case 8:
      return printRunValue("machine-registry", d.registry().machine, out);
    case 9:
      return printFile("workdir-settings-file", kWorkdirSettingsFilePath, d, out);
    case 10:
      return printBalloons(d, out);
    case 11:
      return printVisible(d, out);
    case 12:
      if (const auto path = a.string(1)) printFile(("file " + quote(*path)).c_str(), path->c_str(), d, out);
      return;
    case 13:
      if (!r.running() || d.controlKind(d.topDialog(), IDC_KEY_FIRST) != ControlKind::Hotkey) {
        return void(a.fail("the Keys dialog is not open"));
      }
      return printKeysDialog(d, d.topDialog(), out);
    case 14:
      return printHotkeyKeys(d, out);
    case 15:
      return printTimers(d, out);
    case 17:
      if (!r.running() || r.shell() == nullptr) return void(a.fail("the program does not run"));
      return printWhy(d, *r.shell(), out);
    case 18:
      if (!r.running() || d.controlKind(d.topDialog(), IDC_WINDOWS_LIST) != ControlKind::ListView) {
        return void(a.fail("the Windows dialog is not open"));
      }
      for (const auto& row : d.listViewRows(d.topDialog(), IDC_WINDOWS_LIST)) {
        out << "row";
        for (const std::string& column : row) out << ' ' << quote(column);
        out << '\n';
      }
      return;
    case 19:
      out << (d.clipboard() ? "clipboard " + quote(*d.clipboard()) : std::string("clipboard none")) << '\n';
      return;
    default:
      if (!d.restart()) return void(out << "restart none\n");
      out << "restart " << quote(d.restart()->commandLine) << " flags " << d.restart()->flags << '\n';
      return;
  }
}

void trace(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  static constexpr const char* kStates[] = {"off", "on"};
  if (const auto state = a.choice(0, kStates)) r.trace = *state == 1;
}

void count(ScenarioRunner& r, Args& a) {
  if (!a.count(0, 0)) return;
  const int now = r.desktop().placementCount();
  r.out() << "placements " << now - r.countedPlacements << '\n';
  r.countedPlacements = now;
}

void expectRect(ScenarioRunner& r, Args& a) {
  if (!a.count(6, 6)) return;
  const HWND hwnd = r.livingWindow(a, 1);
  const auto left = a.number(2), top = a.number(3), right = a.number(4), bottom = a.number(5);
  if (a.failed()) return;
  const RECT wanted{*left, *top, *right, *bottom};
  const RECT found = r.desktop().rectOf(hwnd);
  if (!(found == wanted)) r.expectFailed("rect " + rectText(wanted), "rect " + rectText(found));
}

void expectSide(ScenarioRunner& r, Args& a) {
  if (!a.count(3, 3)) return;
  static constexpr const char* kSides[] = {"north", "west", "east", "south", "centre", "grid", "none"};
  const HWND hwnd = r.anyWindow(a, 1);
  const auto side = a.choice(2, kSides);
  if (a.failed()) return;
  const std::string found = sideName(r.shell(), hwnd);
  if (found != kSides[*side]) r.expectFailed(std::string("side ") + kSides[*side], "side " + found);
}

void expectMode(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 3)) return;
  static constexpr const char* kModes[] = {"none", "border", "grid"};
  const bool ofMonitor = a.size() == 3;
  const auto mode = a.choice(ofMonitor ? 2 : 1, kModes);
  if (!mode || (ofMonitor && !knownMonitor(r, a, 1))) return;
  const Shell* shell = r.shell();
  if (!ofMonitor && shell != nullptr && shell->layouts.size() > 1) {
    return void(a.fail("expect mode needs a monitor while several layouts run"));
  }
  const std::string found = ofMonitor ? modeName(LayoutMode([&] {
    const RunningLayout* l = layoutOfMonitor(r.desktop(), shell, *a.word(1), r.desktop().shownDesktop());
    return l != nullptr ? l->mode() : LayoutNone;
  }()))
                                      : modeName(shell);
  if (found != kModes[*mode]) r.expectFailed(std::string("mode ") + kModes[*mode], "mode " + found);
}

void expectForeground(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const HWND wanted = a.isWord(1, "none") ? nullptr : r.livingWindow(a, 1);
  if (a.failed()) return;
  const HWND found = r.desktop().foreground();
  const auto name = [&](HWND hwnd) { return hwnd != nullptr ? r.desktop().nameOf(hwnd) : std::string("none"); };
  if (found != wanted) r.expectFailed("foreground " + name(wanted), "foreground " + name(found));
}

void expect(ScenarioRunner& r, Args& a) {
  static constexpr const char* kWhat[] = {"rect", "side", "mode", "foreground"};
  const auto what = a.choice(0, kWhat);
  if (!what) return;
  switch (*what) {
    case 0:
      return expectRect(r, a);
    case 1:
      return expectSide(r, a);
    case 2:
      return expectMode(r, a);
    default:
      return expectForeground(r, a);
  }
}

void snapshot(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const auto name = a.word(0);
  if (!name) return;
  if (!isWindowName(*name)) return void(a.fail("not a snapshot name: " + *name));
  if (r.options().svgDirectory.empty()) return;
  std::ofstream out(std::filesystem::path(r.options().svgDirectory) / (*name + ".svg"));
  if (!out) return void(a.fail("cannot write the snapshot " + *name));
  writeSvgSnapshot(r.desktop(), out);
}

constexpr Command kCommands[] = {
    {"print", print}, {"trace", trace}, {"count", count}, {"expect", expect}, {"snapshot", snapshot},
};

}  // namespace

std::span<const Command> lookCommands() { return kCommands; }

}  // namespace tessellor::sim
