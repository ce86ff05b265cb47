#include "tools/sim/Printer.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/keys/KeysDialog.h"
#include "app/layouts/WhyNotTiled.h"
#include "layout/border/BorderLayout.h"
#include "layout/grid/GridLayout.h"
#include "resources/resource_ids.h"
#include "tools/sim/ProgramState.h"

namespace tessellor::sim {

namespace {

std::string fixed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

void printBorder(SimDesktop& desktop, const BorderLayout& b, std::ostream& out) {
  out << "layout border\n";
  out << "weights north " << fixed(b.northWeight) << " west " << fixed(b.westWeight) << " east " << fixed(b.eastWeight)
      << " south " << fixed(b.southWeight) << '\n';
  out << "bounds northBottom " << fixed(b.northBottom) << " westRight " << fixed(b.westRight) << " eastLeft "
      << fixed(b.eastLeft) << " southTop " << fixed(b.southTop) << '\n';
  // band    name     shares along x
  const struct {
    const std::list<layWND>* band;
    const char* name;
    bool horizontal;
  } bands[] = {
      {&b.north, "north", true}, {&b.west, "west", false}, {&b.east, "east", false}, {&b.south, "south", true}};
  for (const auto& band : bands) {
    out << band.name;
    for (const layWND& w : *band.band) {
      out << ' ' << desktop.nameOf(w.hwnd) << ' ' << fixed(band.horizontal ? w.widthShare : w.heightShare);
    }
    out << '\n';
  }
  out << "centre " << (b.centre.hwnd != nullptr ? desktop.nameOf(b.centre.hwnd) : std::string("-")) << '\n';
  out << "parked";
  for (const layWND& w : b.parked) {
    out << ' ' << desktop.nameOf(w.hwnd) << ' ' << fixed(w.widthShare) << ' ' << fixed(w.heightShare);
  }
  out << '\n';
}

void printGrid(SimDesktop& desktop, const GridLayout& g, std::ostream& out) {
  out << "layout grid rows " << g.layoutRows << " columns " << g.layoutColumns << '\n';
  out << "grid";
  for (HWND hwnd : g.windows) out << ' ' << desktop.nameOf(hwnd);
  out << '\n';
}

}  // namespace

std::string rectText(const RECT& r) {
  return std::to_string(r.left) + ' ' + std::to_string(r.top) + ' ' + std::to_string(r.right) + ' ' +
         std::to_string(r.bottom);
}

void printWindows(SimDesktop& desktop, std::ostream& out) {
  for (HWND hwnd : desktop.windows()) {
    out << "window " << desktop.nameOf(hwnd) << ' ' << rectText(desktop.rectOf(hwnd));
    if (desktop.isMinimized(hwnd)) out << " minimized";
    if (desktop.isMaximized(hwnd)) out << " maximized";
    if (desktop.isHidden(hwnd)) out << " hidden";
    if (desktop.foreground() == hwnd) out << " foreground";
    out << '\n';
  }
}

void printVisible(const SimDesktop& desktop, std::ostream& out) {
  for (HWND hwnd : desktop.windows()) {
    out << "visible " << desktop.nameOf(hwnd) << ' ' << rectText(desktop.visibleRectOf(hwnd));
    if (desktop.isCloaked(hwnd)) out << " cloaked";
    out << '\n';
  }
}

void printOneLayout(SimDesktop& desktop, const RunningLayout* layout, std::ostream& out) {
  if (layout != nullptr && layout->engine.border() != nullptr)
    return printBorder(desktop, *layout->engine.border(), out);
  if (layout != nullptr && layout->engine.grid() != nullptr) return printGrid(desktop, *layout->engine.grid(), out);
  out << "layout none\n";
}

void printLayout(SimDesktop& desktop, const Shell* shell, std::ostream& out) {
  const std::vector<NamedLayout> layouts = namedLayouts(desktop, shell);
  if (layouts.size() <= 1) return printOneLayout(desktop, layouts.empty() ? nullptr : layouts.front().layout, out);
  const bool desktops = std::any_of(layouts.begin(), layouts.end(),
                                    [&](const NamedLayout& l) { return l.desktop != layouts.front().desktop; });
  for (const NamedLayout& l : layouts) {
    out << "monitor " << l.monitor;
    if (desktops) out << " desktop " << l.desktop;
    out << '\n';
    printOneLayout(desktop, l.layout, out);
  }
}

const RunningLayout* layoutOfMonitor(const SimDesktop& desktop, const Shell* shell, const std::string& monitor,
                                     const std::string& desk) {
  if (desktop.monitorNamed(monitor) == nullptr) return nullptr;  // gone
  for (const NamedLayout& l : namedLayouts(desktop, shell)) {
    if (l.monitor == monitor && l.desktop == desk) return l.layout;
  }
  return nullptr;
}

void printDialog(SimDesktop& desktop, HWND dialog, std::ostream& out) {
  out << "dialog " << (desktop.isHidden(dialog) ? "hidden" : "shown") << '\n';
  char text[1024] = {};
  desktop.GetDlgItemTextA(dialog, IDC_LAYOUT_STATUS, text, sizeof text);
  out << "status " << quote(text) << '\n';
  out << "excluded";
  const LRESULT count = desktop.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = desktop.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_GETTEXTLEN, i, 0);
    std::string item(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    desktop.SendDlgItemMessageA(dialog, IDC_EXCLUDED_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(item.size() - 1);
    out << ' ' << quote(item);
  }
  out << '\n';
  const auto checked = [&](int id) {
    return desktop.SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? "on" : "off";
  };
  out << "auto " << checked(IDC_AUTO_ADD) << '\n';
  out << "nostart " << checked(IDC_NO_AUTOSTART) << '\n';
}

void printBorderSettings(SimDesktop& desktop, HWND dialog, std::ostream& out) {
  static constexpr std::pair<int, const char*> kBoxes[] = {
      {IDC_NORTH_PIXELS, "north"}, {IDC_SOUTH_PIXELS, "south"}, {IDC_WEST_PIXELS, "west"}, {IDC_EAST_PIXELS, "east"}};
  out << "border-settings";
  for (const auto& [id, label] : kBoxes) {
    char text[1024] = {};
    desktop.GetDlgItemTextA(dialog, id, text, sizeof text);
    out << ' ' << label << ' ' << quote(text);
  }
  out << '\n';
}

void printRunValue(const char* word, const SimRegistry::RunKey& key, std::ostream& out) {
  const std::optional<std::string> value = SimRegistry::runValue(key);
  if (!value) {
    out << word << " none\n";
    return;
  }
  // REG_SZ data: the string ends at its terminating zero.
  out << word << " Tessellor " << quote(value->substr(0, value->find('\0'))) << '\n';
}

void printFile(const char* word, const char* path, SimDesktop& desktop, std::ostream& out) {
  const std::optional<std::string> bytes = desktop.files().read(path);
  if (bytes) {
    out << word << ' ' << quote(*bytes) << '\n';
  } else {
    out << word << " none\n";
  }
}

void printBalloons(const SimDesktop& desktop, std::ostream& out) {
  if (desktop.balloons().empty()) out << "balloons none\n";
  for (const SimDesktop::Balloon& b : desktop.balloons())
    out << "balloon " << quote(b.title) << ' ' << quote(b.text) << '\n';
}

void printHotkeyKeys(const SimDesktop& desktop, std::ostream& out) {
  const std::vector<SimDesktop::RegisteredHotkey> keys = desktop.registeredHotkeys();
  if (keys.empty()) out << "hotkey-keys none\n";
  for (const SimDesktop::RegisteredHotkey& k : keys) {
    out << "hotkey " << k.id << ' ' << keyName(HotkeyKey{k.modifiers & KEY_MODIFIERS, k.virtualKey})
        << ((k.modifiers & MOD_NOREPEAT) != 0 ? " norepeat" : "") << '\n';
  }
}

void printKeysDialog(SimDesktop& desktop, HWND dialog, std::ostream& out) {
  for (int row = 0; row < static_cast<int>(HOTKEY_COUNT); ++row) {
    const auto word = static_cast<WORD>(desktop.SendDlgItemMessageA(dialog, IDC_KEY_FIRST + row, HKM_GETHOTKEY, 0, 0));
    char mark[256] = {};
    desktop.GetDlgItemTextA(dialog, IDC_KEY_MARK_FIRST + row, mark, sizeof mark);
    out << "key " << row << ' ' << quote(keyName(keyOfHotkeyControlWord(word))) << ' ' << quote(mark) << '\n';
  }
}

void printTimers(const SimDesktop& desktop, std::ostream& out) {
  if (desktop.timers().empty()) {
    out << "timers none\n";
    return;
  }
  out << "timers";
  for (const auto& timer : desktop.timers()) out << ' ' << timer.second;
  out << '\n';
}

void printHotkeys(const SimDesktop& desktop, std::ostream& out) {
  out << "hotkeys";
  for (int id : desktop.hotkeys()) out << ' ' << id;
  out << '\n';
}

void printTray(const SimDesktop& desktop, std::ostream& out) {
  const std::optional<NOTIFYICONDATAA> icon = desktop.trayIcon();
  if (icon) {
    out << "tray shown " << quote(icon->szTip) << '\n';
  } else {
    out << "tray none\n";
  }
}

}  // namespace tessellor::sim

namespace tessellor::sim {

void printWhy(SimDesktop& desktop, Shell& shell, std::ostream& out) {
  for (HWND hwnd : desktop.windows()) {
    if (desktop.isProgramWindow(hwnd)) continue;
    const WhyAnswer answer = whyNotTiled(shell, hwnd);
    out << "why " << desktop.nameOf(hwnd) << ' ' << whyWord(answer);
    if (answer.why == Why::Excluded) out << ' ' << quote(answer.rule);
    out << '\n';
  }
}

}  // namespace tessellor::sim
