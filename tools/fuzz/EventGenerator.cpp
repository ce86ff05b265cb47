#include "tools/fuzz/EventGenerator.h"

#include <algorithm>
#include <array>
#include <climits>

#include "app/Shell.h"
#include "resources/resource_ids.h"
#include "settings/SettingsFile.h"

namespace tessellor::fuzz {

namespace {

constexpr int kMaxOtherWindows = 20;
constexpr int kNamePool = 28;

std::string number(long long value) { return std::to_string(value); }

long long clampToInt(long long value) { return std::clamp<long long>(value, INT_MIN, INT_MAX); }

// Entries an excluded list and the eligibility test react to, as typed: program names, title: and
// class: rules, names with blanks and quotes, and what "ADD" refuses.
constexpr const char* kEntries[] = {"notepad.exe",
                                    "w1.exe",
                                    "w2.exe",
                                    "w5.exe",
                                    "sidebar.exe",
                                    "a..exe",
                                    "x.EXE",
                                    "exe",
                                    ".exe",
                                    "my app.exe",
                                    "auto",
                                    "nostart",
                                    "calc.exe.bak",
                                    "w7.exe",
                                    "a-name-far-longer-than-the-forty-nine-characters-a-buffer-holds.exe",
                                    "title:w1",
                                    "title:PICTURE in",
                                    "title:",
                                    "title:  ",
                                    "Title:w2",
                                    "title:say \"hi\" \\o/",
                                    "class:chrome_widgetwin_1",
                                    "class:SimWindow",
                                    "class:",
                                    "\"quoted\".exe",
                                    "GitHub Desktop.exe",
                                    "title:two\nlines"};

constexpr const char* kLongTitle =
    "a title of more than a hundred characters, which the program reads cut short to the ninety-nine that its buffer "
    "holds";

// Titles that the rules above match, or nearly do, and titles never taken.
constexpr const char* kTitles[] = {"",
                                   "start",
                                   "Start",
                                   "Program Manager",
                                   "Menu Avvio",
                                   "Tessellor",
                                   "Picture in picture",
                                   "picture-in-picture",
                                   "say \"hi\" \\o/",
                                   "w1 - Editor",
                                   kLongTitle};

// A scenario string: in double quotes, with the language's escapes.
std::string scenarioString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\r') {
      quoted += "\\r";
    } else if (c == '\t') {
      quoted += "\\t";
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

}  // namespace

EventGenerator::EventGenerator(std::uint64_t seed, sim::ScenarioRunner& runner, GeneratorOptions options)
    : random_(seed), runner_(runner), extremes_(seed % 4 == 3), options_(options) {}

std::string EventGenerator::next() {
  if (!runner_.running()) {
    follow_.clear();
    return offline();
  }
  if (!follow_.empty()) {
    std::string line = std::move(follow_.front());
    follow_.pop_front();
    // The window it names may have gone meanwhile (a Close ended the program and restarted it).
    const std::size_t space = line.find(' ');
    if (!line.starts_with("foreground ") || desktop().handleOf(line.substr(space + 1)) != nullptr) return line;
  }
  sim::SimDesktop& d = desktop();
  if (d.openMenu() && random_.percent(60)) return menuLine();
  if (d.modalOpen() && random_.percent(45)) return borderSettingsLine();
  const Shell* shell = runner_.shell();
  if (shell != nullptr && !shell->anyLayout() && random_.percent(35)) return startLayout();
  // Killed at any moment, most of all while a layout holds windows: the next start must offer them.
  if (random_.percent(shell != nullptr && shell->anyLayout() ? 2 : 1)) return "kill";
  return online();
}

// Before the program starts, and after it has ended: the desktop is set up.
std::string EventGenerator::offline() {
  if (!started_ && !wroteSettings_) {
    wroteSettings_ = true;
    return settingsFile();
  }
  if (random_.percent(started_ ? 40 : 20)) {
    started_ = true;
    return "start";
  }
  if (options_.windows10 && random_.percent(15)) return modernDesktopLine();
  switch (random_.below(12)) {
    case 0:
      return screen();
    case 1:
      return minsize();
    case 2:
    case 3:
      return settingsFile();
    case 4:
      return foreground();
    case 5:
      return random_.percent(50) ? drag() : stateChange();
    case 6:
      if (random_.percent(10)) return random_.pick({"registry readonly", "settings-file readonly"});
      if (random_.percent(10)) return "hotkey-taken " + number(random_.below(13));
      return "time " + number(random_.between(0, 4000000000LL));
    default:
      return newWindow();
  }
}

std::string EventGenerator::online() {
  // Keep enough windows about for the layouts to have something to do.
  if (otherWindows() < 4 && random_.percent(30)) return newWindow();
  if (options_.windows10 && random_.percent(10)) return modernDesktopLine();
  if (random_.percent(20)) {
    // A late window's program answers, and the program's timer looks at it soon after.
    for (HWND hwnd : desktop().windows()) {
      if (!desktop().placementPending(hwnd)) continue;
      if (!desktop().timers().empty()) follow_.push_back("tick");
      return "answer " + nameOf(hwnd);
    }
  }
  // create destroy drag resize set-rect state foreground hook key command dialog tray screen minsize time
  static constexpr int kWeights[] = {8, 3, 7, 10, 3, 13, 6, 6, 16, 7, 3, 2, 3, 1, 2};
  switch (random_.weighted(kWeights)) {
    case 0:
      return newWindow();
    case 1:
      return destroyWindow();
    case 2:
      return drag();
    case 3:
      return resize();
    case 4:
      return setRect();
    case 5:
      return stateChange();
    case 6:
      return foreground();
    case 7:
      return hook();
    case 8:
      return key();
    case 9:
      return desktop().modalOpen() ? borderSettingsLine() : commandLine();
    case 10:
      return desktop().modalOpen() ? borderSettingsLine() : mainDialogLine();
    case 11:
      return "tray " +
             std::string(random_.pick({"lbuttondblclk", "rbuttondown", "lbuttondown", "rbuttonup", "balloonclick"}));
    case 12:
      return screen();
    case 13:
      return minsize();
    default:
      return random_.percent(50) ? "time " + number(random_.between(0, 4000000000LL))
                                 : "rand " + number(random_.between(0, INT_MAX));
  }
}

std::string EventGenerator::startLayout() {
  if (desktop().modalOpen()) return random_.percent(50) ? "key 0" : "key 1";
  if (random_.percent(20)) return random_.percent(70) ? "check 1016 on" : "check 1016 off";
  return random_.pick({"key 0", "key 1", "command 1008", "command 1019"});
}

std::string EventGenerator::menuLine() {
  // A rare Close ends the program; the next lines set the desktop up again and start it anew.
  const auto& items = *desktop().openMenu();
  // An item whose AppendMenuA failed is not there to pick.
  const auto has = [&items](const char* text) {
    return std::any_of(items.begin(), items.end(), [text](const sim::MenuItem& item) { return item.text == text; });
  };
  const auto pick = [&](const char* text) {
    return has(text) ? "menu \"" + std::string(text) + "\"" : "tray lbuttondown";
  };
  if (random_.percent(4)) return pick("Close");
  if (has("Put windows back") && random_.percent(50)) return pick("Put windows back");
  return random_.percent(50) ? pick("Settings") : pick("Minimize");
}

std::string EventGenerator::borderSettingsLine() {
  const int roll = random_.below(100);
  if (roll < 55) {
    const int id = IDC_NORTH_PIXELS + random_.below(4);
    const int across = id <= IDC_SOUTH_PIXELS ? desktop().screenHeight() : desktop().screenWidth();
    std::string text;
    const int kind = random_.below(10);
    if (kind < 6) {
      text = number(random_.between(121, std::max(122, across / 3)));
    } else if (kind < 8) {
      text = number(random_.between(0, 5000));
    } else {
      text = random_.pick({"", "abc", " 250", "\\t300", "99999999999", "-5", "4294967295", "12x"});
    }
    return "type " + number(id) + " \"" + text + "\"";
  }
  if (roll < 80) return "command 1";
  if (roll < 88) return "command 2";
  if (roll < 95) return "command 1028";
  if (roll < 97) return "command " + number(random_.below(2000));
  return "close-dialog";
}

std::string EventGenerator::mainDialogLine() {
  switch (random_.below(5)) {
    case 0:
    case 1:
      return "type 1011 " + scenarioString(random_.pick(std::span<const char* const>(kEntries)));
    case 2:
      return random_.percent(70) ? "check 1016 on" : "check 1016 off";
    case 3:
      return random_.percent(40) ? "check 1018 on" : "check 1018 off";
    default: {
      const LRESULT count = desktop().SendDlgItemMessageA(desktop().mainDialog(), IDC_EXCLUDED_LIST, LB_GETCOUNT, 0, 0);
      if (count <= 0 || random_.percent(20)) return "select 1010 none";
      return "select 1010 " + number(random_.below(static_cast<int>(count)));
    }
  }
}

std::string EventGenerator::commandLine() {
  struct Choice {
    int id;
    int weight;
  };
  // A Close (8, 1002) ends the program; kept rare so that layouts live long.
  static constexpr Choice kIds[] = {{1, 3},    {2, 2},    {1000, 2}, {1001, 2}, {1008, 4}, {1009, 2},
                                    {1010, 1}, {1011, 1}, {1012, 1}, {1013, 4}, {1014, 2}, {1016, 1},
                                    {1018, 2}, {1019, 4}, {1020, 4}, {-1, 1}};
  std::array<int, std::size(kIds)> weights{};
  for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = kIds[i].weight;
  if (random_.percent(1)) return random_.percent(50) ? "command 8" : "command 1002";
  const int id = kIds[static_cast<std::size_t>(random_.weighted(weights))].id;
  return "command " + number(id < 0 ? random_.below(65536) : id);
}

// ---- Other programs' windows ------------------------------------------------------------------

int EventGenerator::otherWindows() {
  int others = 0;
  for (HWND hwnd : desktop().windows()) others += hwnd != desktop().mainDialog();
  return others;
}

std::string EventGenerator::newWindow() {
  if (otherWindows() >= kMaxOtherWindows) return destroyWindow();
  const std::string name = unusedName();
  everCreated_.insert(name);
  const long long w = std::max(1, desktop().screenWidth());
  const long long h = std::max(1, desktop().screenHeight());
  std::string line = "window " + name;
  const int titleRoll = random_.below(100);
  if (titleRoll < 14) line += " title " + scenarioString(random_.pick(std::span<const char* const>(kTitles)));
  if (random_.percent(8)) {
    line +=
        " class " + std::string(random_.pick({"Chrome_WidgetWin_1", "CHROME_WIDGETWIN_10", "Notepad", "SimWindow"}));
  }
  const int exeRoll = random_.below(100);
  if (exeRoll < 5) {
    line += " exe -";
  } else if (exeRoll < 8) {
    line += " exe sidebar.exe";
  } else if (exeRoll < 12) {
    line += " exe notepad.exe";
  }
  if (random_.percent(90)) {
    const long long left = position(w);
    const long long top = position(h);
    line += " at " + rectWords(left, top, left + length(w), top + length(h));
  }
  if (random_.percent(15)) {
    const long long minW = random_.percent(20) ? random_.between(w, 3 * w) : random_.between(0, 600);
    const long long minH = random_.percent(20) ? random_.between(h, 3 * h) : random_.between(0, 400);
    line += " min " + number(g(clampToInt(minW))) + " " + number(g(clampToInt(minH)));
  }
  if (random_.percent(10)) {
    const long long left = random_.between(-40, 60);
    const long long top = random_.between(-40, 60);
    line += " region simple " + rectWords(left, top, left + length(w / 2), top + length(h / 2));
  } else if (random_.percent(5)) {
    line += " region complex";
  }
  if (random_.percent(5)) line += " hidden";
  if (random_.percent(8)) {
    line += " minimized";
  } else if (random_.percent(5)) {
    line += " maximized";
  }
  if (random_.percent(6)) line += " grows " + number(g(random_.between(1, 40)));
  if (random_.percent(8)) line += " late";
  if (options_.windows10) line += modernWindowOptions();
  // New windows reach a running layout only by a hotkey on the foreground window.
  if (runner_.running() && random_.percent(70)) {
    follow_.push_back("foreground " + name);
    follow_.push_back("key " + number(random_.between(7, 11)));
  }
  return line;
}

std::string EventGenerator::destroyWindow() {
  const HWND hwnd = someWindow(false);
  if (hwnd == nullptr) return newWindow();
  return "destroy " + nameOf(hwnd);
}

std::string EventGenerator::drag() {
  const HWND hwnd = someWindow(random_.percent(5));
  if (hwnd == nullptr) return newWindow();
  const long long w = std::max(1, desktop().screenWidth());
  const long long h = std::max(1, desktop().screenHeight());
  long long dx = random_.percent(70) ? random_.between(-80, 80) : random_.between(-2 * w, 2 * w);
  long long dy = random_.percent(70) ? random_.between(-80, 80) : random_.between(-2 * h, 2 * h);
  const int shape = random_.below(10);
  if (shape < 3) {
    dy = 0;  // a purely horizontal drag counts as a resize
  } else if (shape < 6) {
    dx = 0;
  } else if (shape < 7) {
    dx = dy = 0;
  }
  if (extremes_ && random_.percent(3)) dx = extreme();
  return "drag " + nameOf(hwnd) + " " + number(g(clampToInt(dx))) + " " + number(g(clampToInt(dy)));
}

std::string EventGenerator::resize() {
  const HWND hwnd = someWindow(random_.percent(5));
  if (hwnd == nullptr) return newWindow();
  const RECT r = desktop().rectOf(hwnd);
  const int edge = random_.below(4);
  static constexpr const char* kEdges[] = {"left", "top", "right", "bottom"};
  const long long current = edge == 0 ? r.left : edge == 1 ? r.top : edge == 2 ? r.right : r.bottom;
  const long long opposite = edge == 0 ? r.right : edge == 1 ? r.bottom : edge == 2 ? r.left : r.top;
  const long long across = std::max(1, edge % 2 == 0 ? desktop().screenWidth() : desktop().screenHeight());
  long long c = current;
  const int kind = random_.below(10);
  if (kind < 6) {
    c += random_.between(-300, 300);
  } else if (kind < 7) {
    c += random_.between(-2 * across, 2 * across);
  } else if (kind < 8) {
    c = position(across);
  } else if (kind < 9) {
    c = opposite + random_.between(-20, 20);  // down to nothing, or past the other edge
  } else {
    c = extremes_ ? extreme() : c;
  }
  return "resize " + nameOf(hwnd) + " " + kEdges[edge] + " " + number(g(clampToInt(c)));
}

std::string EventGenerator::setRect() {
  const HWND hwnd = someWindow(false);
  if (hwnd == nullptr) return newWindow();
  RECT r = desktop().rectOf(hwnd);
  const int kind = random_.below(10);
  if (kind < 2) {
    // Unchanged: the hook reports a move that moved nothing.
  } else if (kind < 5) {
    LONG* edges[] = {&r.left, &r.top, &r.right, &r.bottom};
    LONG& edge = *edges[random_.below(4)];
    edge = static_cast<LONG>(clampToInt(edge + random_.between(-200, 200)));
  } else {
    const long long w = std::max(1, desktop().screenWidth());
    const long long h = std::max(1, desktop().screenHeight());
    const long long left = position(w);
    const long long top = position(h);
    return "set-rect " + nameOf(hwnd) + " " +
           rectWords(left, top, left + length(w) * (random_.percent(5) ? -1 : 1), top + length(h));
  }
  // A third of the moves come by Snap, outside a move-size loop (not of a hidden window).
  const char* how = !desktop().isHidden(hwnd) && random_.percent(33) ? "snap " : "set-rect ";
  return how + nameOf(hwnd) + " " + rectWords(r.left, r.top, r.right, r.bottom);
}

std::string EventGenerator::stateChange() {
  const HWND hwnd = someWindow(random_.percent(3));
  if (hwnd == nullptr) return newWindow();
  // Its program changes its title: only the next test of the excluded list sees it.
  if (random_.percent(6)) {
    return "retitle " + nameOf(hwnd) + " " + scenarioString(random_.pick(std::span<const char* const>(kTitles)));
  }
  const int roll = random_.below(13);
  const char* verb = roll < 4 ? "minimize" : roll < 7 ? "maximize" : "restore";
  return std::string(verb) + " " + nameOf(hwnd);
}

std::string EventGenerator::foreground() {
  if (random_.percent(10)) return "foreground none";
  const HWND hwnd = someWindow(random_.percent(10));
  if (hwnd == nullptr) return "foreground none";
  return "foreground " + nameOf(hwnd);
}

std::string EventGenerator::hook() {
  static constexpr const char* kEvents[] = {"sizing", "create", "close", "focus", "minmax", "sysmenu", "moved"};
  std::string target;
  const int roll = random_.below(10);
  std::vector<std::string> gone;
  for (const std::string& name : everCreated_) {
    if (desktop().handleOf(name) == nullptr) gone.push_back(name);
  }
  if (roll < 5 && someWindow(true) != nullptr) {
    target = nameOf(someWindow(true));
  } else if (roll < 7 && !gone.empty()) {
    target = gone[static_cast<std::size_t>(random_.below(static_cast<int>(gone.size())))];
  } else {
    const std::uint64_t k = static_cast<std::uint64_t>(random_.below(kNamePool + 8));
    const std::uint64_t handle = random_.pick({std::uint64_t{0}, std::uint64_t{1}, 0x10010 + 0x10 * k,
                                               0x10018 + 0x10 * k, std::uint64_t{0xFFFFFFFFFFFFFFFFULL}});
    target = sim::handleText(handleFromValue(static_cast<std::uintptr_t>(handle)));
  }
  std::string line = "hook " + std::string(kEvents[random_.below(7)]) + " " + target;
  if (random_.percent(60)) {
    const int n = random_.pick({0, 1, 2, 3, 3, 6, 6, 9, 9, 7, 65535, -1});
    line += " " + number(n < 0 ? random_.below(65536) : n);
  }
  return line;
}

std::string EventGenerator::key() {
  // ids                        0  1  2  3  4  5  6  7  8  9 10 11 others
  static constexpr int kWeights[] = {4, 4, 3, 4, 4, 4, 4, 5, 5, 5, 5, 5, 1};
  const int id = random_.weighted(kWeights);
  if (id == 12) return "key " + number(random_.pick({12, 13, 99, -1, 65535}));
  return "key " + number(id);
}

std::string EventGenerator::screen() {
  long long w = 0;
  long long h = 0;
  if (random_.percent(80)) {
    w = random_.between(320, 2560);
    h = random_.between(200, 1600);
  } else {
    // Degenerate screens: nothing, a pixel, one side missing, smaller than the smallest window.
    static constexpr long long kScreens[][2] = {{0, 0},    {1, 1},    {0, 1024},       {1280, 0},
                                                {60, 20},  {111, 26}, {112, 27},       {5000, 3},
                                                {3, 5000}, {2, 1},    {100000, 80000}, {1280, 1024}};
    const auto& s = kScreens[random_.below(static_cast<int>(std::size(kScreens)))];
    w = s[0];
    h = s[1];
    if (extremes_ && random_.percent(10)) w = h = INT_MAX;
  }
  return "screen " + number(g(w)) + " " + number(g(h));
}

std::string EventGenerator::minsize() {
  static constexpr long long kSizes[][2] = {{112, 27}, {112, 27}, {112, 27},  {0, 0},       {1, 1},
                                            {0, 27},   {112, 0},  {400, 300}, {3000, 2000}, {100000, 100000}};
  const auto& s = kSizes[random_.below(static_cast<int>(std::size(kSizes)))];
  return "minsize " + number(g(s[0])) + " " + number(g(s[1]));
}

std::string EventGenerator::settingsFile() {
  if (random_.percent(10)) return "settings-file none";
  std::string text;
  if (random_.percent(70)) text += "auto\r\n";
  const int words = random_.below(4);
  for (int i = 0; i < words; ++i) {
    const char* entry = random_.pick(std::span<const char* const>(kEntries));
    // As the program writes it, as an earlier version wrote it, or a quote left open.
    const int form = random_.below(10);
    text += form < 6 ? settingsEntry(entry) : form < 9 ? std::string(entry) : "\"" + std::string(entry);
    text += random_.pick({"\r\n", " ", "\t", "\n\n"});
  }
  if (random_.percent(15)) text += "nostart";
  return "settings-file " + scenarioString(text);
}

// ---- The desktop of Windows 10 and 11 --------------------------------------------------------------

std::string EventGenerator::modernDesktopLine() {
  const int roll = random_.below(12);
  if (roll < 2) return workarea();
  if (roll < 4) return monitor();
  if (roll < 6) return virtualDesktopLine();
  if (roll < 7) return dragOntoAnotherMonitor();
  return ownProgramLine();
}

// Two virtual desktops: switching between them, windows moved from one to the other, and a start
// key on each so that both hold layouts.
std::string EventGenerator::virtualDesktopLine() {
  const int roll = random_.below(10);
  if (roll < 4) return "switch-desktop " + std::string(random_.pick({"1", "2"}));
  if (roll < 7) {
    const HWND hwnd = someWindow(false);
    if (hwnd == nullptr) return newWindow();
    return "move-to-desktop " + nameOf(hwnd) + " " + random_.pick({"1", "2"});
  }
  const HWND hwnd = someWindow(false);
  if (runner_.running() && hwnd != nullptr) follow_.push_back(random_.pick({"key 0", "key 1"}));
  return hwnd != nullptr ? "foreground " + nameOf(hwnd) : newWindow();
}

// A window dragged by the offset between the primary monitor and another, so that it lands on the
// other one (or comes back); with the other monitor in front, a start key starts a layout there.
std::string EventGenerator::dragOntoAnotherMonitor() {
  const HWND hwnd = someWindow(false);
  if (hwnd == nullptr || monitors_.empty()) return newWindow();
  auto it = monitors_.begin();
  std::advance(it, random_.below(static_cast<int>(monitors_.size())));
  RECT bounds{}, work{};
  if (!desktop().monitorBounds(*it, bounds, work)) return newWindow();
  const RECT r = desktop().rectOf(hwnd);
  const long long cx = (static_cast<long long>(r.left) + r.right) / 2;
  const long long cy = (static_cast<long long>(r.top) + r.bottom) / 2;
  const long long tx = (static_cast<long long>(bounds.left) + bounds.right) / 2 + random_.between(-200, 200);
  const long long ty = (static_cast<long long>(bounds.top) + bounds.bottom) / 2 + random_.between(-200, 200);
  const bool back = random_.percent(30);
  const long long dx = back ? desktop().screenWidth() / 2 - cx : tx - cx;
  const long long dy = back ? desktop().screenHeight() / 2 - cy : ty - cy;
  if (runner_.running() && random_.percent(25)) {
    follow_.push_back("foreground " + nameOf(hwnd));
    follow_.push_back(random_.pick({"key 0", "key 1"}));
  }
  return "drag " + nameOf(hwnd) + " " + number(g(clampToInt(dx))) + " " +
         number(g(clampToInt(random_.percent(30) ? 0 : dy)));
}

std::string EventGenerator::modernWindowOptions() {
  std::string options;
  // Windows 10 draws 7 px borders beside and below; some programs draw their own frames.
  if (random_.percent(50)) {
    options += random_.percent(80)
                   ? " frame 7 0 7 7"
                   : " frame " + rectWords(random_.below(20), random_.below(10), random_.below(20), random_.below(20));
  }
  if (random_.percent(8)) options += " cloaked";
  if (random_.percent(6)) options += " desktop 2";
  if (random_.percent(8)) options += " tool";
  if (random_.percent(4)) options += " noactivate";
  if (random_.percent(4)) options += " appwindow";
  if (random_.percent(8)) options += " elevated";
  if (random_.percent(6)) options += " fixed";
  // A captionless window as large as the screen is a full-screen program.
  if (random_.percent(6)) options += " nocaption";
  if (random_.percent(10)) {
    if (const HWND owner = someWindow(random_.percent(5))) options += " owner " + nameOf(owner);
  }
  return options;
}

std::string EventGenerator::workarea() {
  const long long w = desktop().screenWidth();
  const long long h = desktop().screenHeight();
  const int kind = random_.below(10);
  if (kind < 6) {
    // A taskbar of 40 px along one edge.
    const int edge = random_.below(4);
    return "workarea " +
           rectWords(edge == 0 ? 40 : 0, edge == 1 ? 40 : 0, edge == 2 ? w - 40 : w, edge == 3 ? h - 40 : h);
  }
  if (kind < 7) return "workarea " + rectWords(0, 0, w, h);
  if (kind < 8) return "workarea 0 0 0 0";
  const long long left = position(w);
  const long long top = position(h);
  return "workarea " + rectWords(left, top, left + length(w), top + length(h));
}

std::string EventGenerator::monitor() {
  if (!monitors_.empty() && random_.percent(35)) {
    auto it = monitors_.begin();
    std::advance(it, random_.below(static_cast<int>(monitors_.size())));
    const std::string name = *it;
    monitors_.erase(it);
    return "monitor " + name + " off";
  }
  const std::string name = "m" + number(random_.below(3));
  monitors_.insert(name);
  const long long w = std::max(1, desktop().screenWidth());
  const long long h = std::max(1, desktop().screenHeight());
  const long long mw = random_.percent(60) ? w : random_.between(320, 3840);
  const long long mh = random_.percent(60) ? h : random_.between(200, 2160);
  long long left = w;  // beside the primary, to its right, left or above, or anywhere
  long long top = 0;
  const int side = random_.below(10);
  if (side < 3) {
    left = -mw;
  } else if (side < 4) {
    left = 0;
    top = -mh;
  } else if (side < 5) {
    left = position(4 * w);
    top = position(4 * h);
  }
  // Beside a screen at the end of the 32-bit range, the monitor moves back inside it: clamped there,
  // it would have no size, which is no monitor at all.
  left = std::clamp<long long>(left, INT_MIN, INT_MAX - mw);
  top = std::clamp<long long>(top, INT_MIN, INT_MAX - mh);
  std::string line = "monitor " + name + " " + rectWords(left, top, left + mw, top + mh);
  if (random_.percent(60)) line += " work " + rectWords(left, top, left + mw, top + mh - 40);
  return line;
}

std::string EventGenerator::ownProgramLine() {
  std::vector<HWND> minimized;
  for (HWND hwnd : desktop().windows()) {
    if (hwnd != desktop().mainDialog() && desktop().isMinimized(hwnd)) minimized.push_back(hwnd);
  }
  const int roll = random_.below(10);
  if (roll < 2 && !minimized.empty()) {
    return "unminimize " +
           nameOf(minimized[static_cast<std::size_t>(random_.below(static_cast<int>(minimized.size())))]);
  }
  if (roll < 3)
    return "notification-state " +
           std::string(random_.pick({"busy", "d3d", "presentation", "normal", "normal", "normal"}));
  const HWND hwnd = someWindow(false);
  if (hwnd == nullptr) return newWindow();
  if (roll < 4 && desktop().isFullScreen(hwnd)) return "leave-fullscreen " + nameOf(hwnd);
  if (roll < 4 && !desktop().isMinimized(hwnd)) return "fullscreen " + nameOf(hwnd);
  return std::string(random_.pick({"hide", "show", "show", "cloak", "uncloak", "uncloak", "activate"})) + " " +
         nameOf(hwnd);
}

// ---- Helpers ---------------------------------------------------------------------------------------

HWND EventGenerator::someWindow(bool dialogToo) {
  std::vector<HWND> candidates;
  for (HWND hwnd : desktop().windows()) {
    if (hwnd != desktop().mainDialog() || dialogToo) candidates.push_back(hwnd);
  }
  if (candidates.empty()) return nullptr;
  return candidates[static_cast<std::size_t>(random_.below(static_cast<int>(candidates.size())))];
}

std::string EventGenerator::nameOf(HWND hwnd) { return desktop().nameOf(hwnd); }

std::string EventGenerator::unusedName() {
  // Names come back once their window is gone, so that hook lines can name an old handle or a new one.
  for (int tries = 0; tries < kNamePool; ++tries) {
    std::string name = "w" + number(random_.percent(70) ? nextName_ : random_.below(kNamePool));
    if (desktop().handleOf(name) == nullptr) {
      if (name == "w" + number(nextName_)) nextName_ = (nextName_ + 1) % kNamePool;
      return name;
    }
    nextName_ = (nextName_ + 1) % kNamePool;
  }
  return "w" + number(kNamePool + random_.below(1000000));
}

long long EventGenerator::g(long long value) {
  magnitude_ = std::max(magnitude_, value < 0 ? -value : value);
  return value;
}

long long EventGenerator::position(long long extent) {
  const int kind = random_.below(20);
  if (kind < 15) return g(random_.between(-extent / 8, extent));
  if (kind < 17) return g(random_.between(-40000, 40000));
  if (kind < 18) return g(-32000);  // where Windows parks a minimised window
  if (kind < 19 && extremes_) return g(extreme());
  return 0;
}

long long EventGenerator::length(long long extent) {
  const int kind = random_.below(10);
  if (kind < 6) return g(random_.between(1, extent));
  if (kind < 7) return 0;
  if (kind < 8) return g(random_.between(extent, 4 * extent + 10));
  return g(random_.between(1, 150));
}

std::string EventGenerator::rectWords(long long l, long long t, long long r, long long b) {
  return number(g(clampToInt(l))) + " " + number(g(clampToInt(t))) + " " + number(g(clampToInt(r))) + " " +
         number(g(clampToInt(b)));
}

long long EventGenerator::extreme() {
  return random_.pick({static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX), -2000000000LL, 2000000000LL,
                       random_.between(INT_MIN, INT_MAX)});
}

}  // namespace tessellor::fuzz
