// The desktop's own lines and what other programs' windows do. A window action changes the
// desktop first and then posts the hook library's message, as the library would.
#include <cstdio>

#include "tools/sim/ScenarioRunner.h"

namespace tessellor::sim {

namespace {

std::optional<RECT> rectAt(Args& a, std::size_t i) {
  const auto l = a.number(i), t = a.number(i + 1), r = a.number(i + 2), b = a.number(i + 3);
  if (!l || !t || !r || !b) return std::nullopt;
  return RECT{*l, *t, *r, *b};
}

void postHook(ScenarioRunner& r, const char* name, HWND hwnd, LPARAM lParam) {
  r.desktop().postHookEvent(r.desktop().registeredMessage(name), handleValue(hwnd), lParam);
}

// After start, a change of the displays reaches the main dialog, with the primary's size.
void displayChanged(ScenarioRunner& r) {
  SimDesktop& d = r.desktop();
  if (!r.running() || d.mainDialog() == nullptr) return;
  const LPARAM size = static_cast<LPARAM>((static_cast<unsigned>(d.screenHeight()) << 16) |
                                          (static_cast<unsigned>(d.screenWidth()) & 0xFFFF));
  d.postMessage(d.mainDialog(), WM_DISPLAYCHANGE, 32, size);
}

void screen(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto w = a.number(0), h = a.number(1);
  if (!w || !h) return;
  r.desktop().setScreen(*w, *h);
  displayChanged(r);
}

void minsize(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const auto w = a.number(0), h = a.number(1);
  if (w && h) r.desktop().setMinSize(*w, *h);
}

// The window options of one word: a flag of the description, or an extended style.
struct WindowFlag {
  const char* word;
  bool WindowSpec::*flag;
  LONG_PTR exStyle;
};
constexpr WindowFlag kWindowFlags[] = {
    {"cloaked", &WindowSpec::cloaked, 0},     {"elevated", &WindowSpec::elevated, 0},
    {"tool", nullptr, WS_EX_TOOLWINDOW},      {"noactivate", nullptr, WS_EX_NOACTIVATE},
    {"appwindow", nullptr, WS_EX_APPWINDOW},  {"fixed", &WindowSpec::fixed, 0},
    {"nocaption", &WindowSpec::nocaption, 0}, {"late", &WindowSpec::late, 0},
};

// The integrity levels of `integrity`; uiaccess is medium with a UIAccess token.
struct IntegrityWord {
  const char* word;
  DWORD level;
  bool uiAccess;
};
constexpr IntegrityWord kIntegrityWords[] = {
    {"low", SECURITY_MANDATORY_LOW_RID, false},        {"medium", SECURITY_MANDATORY_MEDIUM_RID, false},
    {"uiaccess", SECURITY_MANDATORY_MEDIUM_RID, true}, {"high", SECURITY_MANDATORY_HIGH_RID, false},
    {"system", SECURITY_MANDATORY_SYSTEM_RID, false},
};

const IntegrityWord* integrityWord(const Args& a, std::size_t i) {
  for (const IntegrityWord& w : kIntegrityWords) {
    if (a.isWord(i, w.word)) return &w;
  }
  return nullptr;
}

const WindowFlag* windowFlag(const Args& a, std::size_t i) {
  for (const WindowFlag& f : kWindowFlags) {
    if (a.isWord(i, f.word)) return &f;
  }
  return nullptr;
}

void window(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 64)) return;
  const std::optional<std::string> name = a.word(0);
  if (!name) return;
  if (!isWindowName(*name)) return void(a.fail("not a window name: " + *name));
  if (r.desktop().handleOf(*name) != nullptr) return void(a.fail("window " + *name + " exists already"));
  WindowSpec desc;
  desc.name = *name;
  std::size_t i = 1;
  while (i < a.size() && !a.failed()) {
    if (a.isWord(i, "class")) {
      const std::optional<std::string> value = a.text(i + 1);
      if (value && value->empty()) a.fail("an empty class name");
      desc.className = value.value_or("");
      i += 2;
    } else if (a.isWord(i, "title") || a.isWord(i, "exe")) {
      const std::optional<std::string> value = a.text(i + 1);
      if (value && a.isWord(i, "title")) {
        desc.title = *value;
        desc.untitled = value->empty();
      } else if (value) {
        if (value->empty()) a.fail("an empty exe name");
        desc.exe = *value;
      }
      i += 2;
    } else if (a.isWord(i, "at")) {
      if (auto at = rectAt(a, i + 1)) desc.at = *at;
      i += 5;
    } else if (a.isWord(i, "min")) {
      const auto w = a.number(i + 1), h = a.number(i + 2);
      if (w && h && (*w < 0 || *h < 0)) a.fail("a negative minimum size");
      desc.minWidth = w.value_or(0);
      desc.minHeight = h.value_or(0);
      i += 3;
    } else if (a.isWord(i, "region") && a.isWord(i + 1, "simple")) {
      if (auto box = rectAt(a, i + 2)) desc.regionBox = *box;
      desc.region = RegionKind::Simple;
      i += 6;
    } else if (a.isWord(i, "region") && a.isWord(i + 1, "complex")) {
      desc.region = RegionKind::Complex;
      i += 2;
    } else if (a.isWord(i, "hidden")) {
      desc.hidden = true;
      ++i;
    } else if (a.isWord(i, "minimized")) {
      desc.minimized = true;
      ++i;
    } else if (a.isWord(i, "maximized")) {
      desc.maximized = true;
      ++i;
    } else if (a.isWord(i, "grows")) {
      const auto n = a.number(i + 1);
      if (n && *n < 0) a.fail("a negative growth");
      desc.grows = n.value_or(0);
      i += 2;
    } else if (a.isWord(i, "frame")) {
      const auto frame = rectAt(a, i + 1);
      if (frame && (frame->left < 0 || frame->top < 0 || frame->right < 0 || frame->bottom < 0)) {
        a.fail("a negative frame");
      }
      desc.frame = frame.value_or(RECT{0, 0, 0, 0});
      desc.hasFrame = true;
      i += 5;
    } else if (a.isWord(i, "integrity")) {
      const IntegrityWord* level = integrityWord(a, i + 1);
      if (level == nullptr) a.fail("an integrity level is low, medium, uiaccess, high or system");
      desc.integrity = level != nullptr ? level->level : 0;
      desc.uiAccess = level != nullptr && level->uiAccess;
      i += 2;
    } else if (a.isWord(i, "desktop")) {
      desc.desktop = a.word(i + 1).value_or("");
      i += 2;
    } else if (a.isWord(i, "owner")) {
      desc.owner = r.livingWindow(a, i + 1);
      i += 2;
    } else if (const WindowFlag* flag = windowFlag(a, i)) {
      if (flag->flag != nullptr) desc.*(flag->flag) = true;
      desc.exStyle |= flag->exStyle;
      ++i;
    } else {
      a.fail("unknown window option " + a.text(i).value_or(""));
    }
  }
  if (desc.minimized && desc.maximized) a.fail("a window cannot be both minimized and maximized");
  if (!a.failed()) r.desktop().createWindow(desc);
}

void foreground(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  if (a.isWord(0, "none")) return r.desktop().setForeground(nullptr);
  if (const HWND hwnd = r.livingWindow(a, 0)) r.desktop().setForeground(hwnd);
}

void time(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  if (const auto t = a.bigNumber(0)) r.desktop().setTime(static_cast<std::time_t>(*t));
}

void rand(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  if (const auto n = a.number(0)) r.desktop().setRand(*n);
}

void hotkeyTaken(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  if (a.isString(0)) {
    if (const auto keys = keysArgument(a, 0)) r.desktop().setHotkeyKeysTaken(keys->modifiers, keys->virtualKey);
  } else if (const auto id = a.number(0)) {
    r.desktop().setHotkeyTaken(*id);
  }
}

// ---- Other programs' windows ----

void drag(ScenarioRunner& r, Args& a) {
  if (!a.count(3, 3)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  const auto dx = a.number(1), dy = a.number(2);
  if (a.failed()) return;
  r.desktop().drag(hwnd, *dx, *dy);
  postHook(r, "UWM_SIZING", hwnd, 0);
}

void resize(ScenarioRunner& r, Args& a) {
  if (!a.count(3, 3)) return;
  static constexpr const char* kEdges[] = {"left", "top", "right", "bottom"};
  const HWND hwnd = r.livingWindow(a, 0);
  const auto edge = a.choice(1, kEdges);
  const auto c = a.number(2);
  if (a.failed()) return;
  r.desktop().resize(hwnd, static_cast<Edge>(*edge), *c);
  postHook(r, "UWM_SIZING", hwnd, 0);
}

void setRect(ScenarioRunner& r, Args& a) {
  if (!a.count(5, 5)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  const auto rect = rectAt(a, 1);
  if (a.failed()) return;
  r.desktop().setRect(hwnd, *rect);
  postHook(r, "UWM_SIZING", hwnd, 0);
}

// Snap (Win+arrow, a snap layout) or another program moves the window outside any move-size loop.
// The hook reports a minimised or maximised window's return to normal first, then, once the move
// has settled, the move itself.
void snap(ScenarioRunner& r, Args& a) {
  if (!a.count(5, 5)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  const auto rect = rectAt(a, 1);
  if (a.failed()) return;
  if (r.desktop().isHidden(hwnd)) return void(a.fail("snap of a hidden window"));
  const bool wasNormal = !r.desktop().isMinimized(hwnd) && !r.desktop().isMaximized(hwnd);
  r.desktop().setRect(hwnd, *rect);
  if (!wasNormal) postHook(r, "UWM_MINMAX", hwnd, SW_RESTORE);
  postHook(r, "UWM_MOVED", hwnd, 0);
}

template <void (SimDesktop::*change)(HWND), int showCommand>
void minmax(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  (r.desktop().*change)(hwnd);
  postHook(r, "UWM_MINMAX", hwnd, showCommand);
}

void destroy(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  r.desktop().destroyWindow(hwnd);
  postHook(r, "UWM_CLOSE", hwnd, 0);
}

void hook(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 3)) return;
  // event          message posted
  static constexpr const char* kEvents[] = {"sizing", "create", "close", "focus", "minmax", "sysmenu", "moved"};
  static constexpr const char* kMessages[] = {"UWM_SIZING", "UWM_CREATE",  "UWM_CLOSE", "UWM_FOCUS",
                                              "UWM_MINMAX", "UWM_SYSMENU", "UWM_MOVED"};
  const auto event = a.choice(0, kEvents);
  const HWND hwnd = r.anyWindow(a, 1);
  int n = 0;
  if (a.size() == 3) {
    const auto value = a.number(2);
    if (value && (*value < 0 || *value > 0xFFFF)) a.fail("N must be 0 to 65535");
    n = value.value_or(0);
  }
  if (a.failed()) return;
  postHook(r, kMessages[*event], hwnd, n);
}

// ---- Windows 10 and 11: work areas, monitors, hiding and cloaking ----

// A hook message lost from a full queue, or a program whose changes the hook never sees.
void hookMessages(ScenarioRunner& r, Args& a) {
  static constexpr const char* kWords[] = {"lost", "delivered"};
  if (!a.count(1, 1)) return;
  if (const auto which = a.choice(0, kWords)) r.desktop().loseHookMessages(*which == 0);
}

// A late window's program gets round to the placements waiting for it. The hook posts nothing:
// the desktop posts no "UWM_MOVED" for the program's own placements.
void answer(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  if (!r.desktop().answerPlacements(hwnd)) a.fail("no placement waits for window " + r.desktop().nameOf(hwnd));
}

void tick(ScenarioRunner& r, Args& a) {
  if (a.count(0, 0)) r.desktop().fireTimers();
}

void workarea(ScenarioRunner& r, Args& a) {
  if (!a.count(4, 4)) return;
  const auto work = rectAt(a, 0);
  if (!work) return;
  r.desktop().setWorkArea(*work);
  if (r.running() && r.desktop().mainDialog() != nullptr) {
    r.desktop().postMessage(r.desktop().mainDialog(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
  }
}

void monitor(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 12)) return;
  const std::optional<std::string> name = a.word(0);
  if (!name) return;
  if (!isWindowName(*name) || *name == "off") return void(a.fail("not a monitor name: " + *name));
  if (a.isWord(1, "off")) {
    if (!a.count(2, 2)) return;
    if (!r.desktop().removeMonitor(*name)) return void(a.fail("no monitor " + *name));
    return displayChanged(r);
  }
  // A trailing `dpi N` gives the monitor's scale.
  const bool scaled = a.size() >= 7 && a.isWord(a.size() - 2, "dpi");
  const std::size_t rest = scaled ? a.size() - 2 : a.size();
  if (rest != 5 && !(rest == 10 && a.isWord(5, "work")))
    return void(a.fail("monitor NAME L T R B [work L T R B] [dpi N]"));
  const auto bounds = rectAt(a, 1);
  const auto work = rest == 10 ? rectAt(a, 6) : bounds;
  if (!bounds || !work) return;
  if (bounds->right <= bounds->left || bounds->bottom <= bounds->top) return void(a.fail("a monitor of no size"));
  std::optional<UINT> dpi;
  if (scaled) {
    const auto n = a.number(a.size() - 1);
    if (!n) return;
    if (*n < 48 || *n > 960) return void(a.fail("a DPI from 48 to 960"));
    dpi = static_cast<UINT>(*n);
  }
  r.desktop().setMonitor(*name, *bounds, *work, dpi);
  displayChanged(r);
}

// The primary monitor's scale.
void dpi(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const auto n = a.number(0);
  if (!n) return;
  if (*n < 48 || *n > 960) return void(a.fail("a DPI from 48 to 960"));
  r.desktop().setPrimaryDpi(static_cast<UINT>(*n));
}

// The show command the hook library reports when a window appears again: none for a minimised one.
void postShown(ScenarioRunner& r, HWND hwnd) {
  if (r.desktop().isMinimized(hwnd)) return;
  postHook(r, "UWM_MINMAX", hwnd, r.desktop().isMaximized(hwnd) ? SW_MAXIMIZE : SW_RESTORE);
}

void hide(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  r.desktop().hideWindow(hwnd);
  postHook(r, "UWM_MINMAX", hwnd, SW_MINIMIZE);
}

void show(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  r.desktop().showWindow(hwnd);
  postShown(r, hwnd);
}

template <bool cloaked>
void cloak(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  r.desktop().setCloaked(hwnd, cloaked);
  if (cloaked) return postHook(r, "UWM_MINMAX", hwnd, SW_MINIMIZE);
  postShown(r, hwnd);
}

void unminimize(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  if (!r.desktop().isMinimized(hwnd)) return void(a.fail("window " + r.desktop().nameOf(hwnd) + " is not minimized"));
  r.desktop().unminimize(hwnd);
  postHook(r, "UWM_MINMAX", hwnd, r.desktop().isMaximized(hwnd) ? SW_MAXIMIZE : SW_RESTORE);
}

// ---- Full-screen programs ----

void activate(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  r.desktop().activate(hwnd);
  postHook(r, "UWM_FOCUS", hwnd, 0);
}

// The hook library reports no change of title: nothing is posted.
void retitle(ScenarioRunner& r, Args& a) {
  if (!a.count(2, 2)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  const std::optional<std::string> title = a.text(1);
  if (a.failed() || !title) return;
  r.desktop().setTitle(hwnd, *title);
}

// The hook reports a maximised window turned normal as restored, and a window maximised again as
// maximised; a normal window that changes its rectangle and style only is not reported.
void fullscreen(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  SimDesktop& d = r.desktop();
  if (d.isMinimized(hwnd) || d.isFullScreen(hwnd)) {
    return void(a.fail("window " + d.nameOf(hwnd) + " cannot be shown full-screen now"));
  }
  if (d.enterFullScreen(hwnd)) postHook(r, "UWM_MINMAX", hwnd, SW_RESTORE);
}

void leaveFullscreen(ScenarioRunner& r, Args& a) {
  if (!a.count(1, 1)) return;
  const HWND hwnd = r.livingWindow(a, 0);
  if (a.failed()) return;
  SimDesktop& d = r.desktop();
  if (!d.isFullScreen(hwnd)) return void(a.fail("window " + d.nameOf(hwnd) + " is not full-screen"));
  if (d.leaveFullScreen(hwnd)) postHook(r, "UWM_MINMAX", hwnd, SW_MAXIMIZE);
}

void notificationState(ScenarioRunner& r, Args& a) {
  static constexpr const char* kStates[] = {"busy", "d3d", "presentation", "normal"};
  static constexpr QUERY_USER_NOTIFICATION_STATE kAnswers[] = {QUNS_BUSY, QUNS_RUNNING_D3D_FULL_SCREEN,
                                                               QUNS_PRESENTATION_MODE, QUNS_ACCEPTS_NOTIFICATIONS};
  if (!a.count(1, 1)) return;
  const auto state = a.choice(0, kStates);
  if (!state) return;
  SimDesktop& d = r.desktop();
  const QUERY_USER_NOTIFICATION_STATE before = d.notificationState();
  const QUERY_USER_NOTIFICATION_STATE after = kAnswers[static_cast<std::size_t>(*state)];
  d.setNotificationState(after);
  // Windows tells the top-level windows when presentation settings go on or off, never when a
  // full-screen program starts or ends.
  const bool presentationChanged = (before == QUNS_PRESENTATION_MODE) != (after == QUNS_PRESENTATION_MODE);
  if (presentationChanged && r.running() && d.mainDialog() != nullptr) {
    d.postMessage(d.mainDialog(), WM_SETTINGCHANGE, 0, 0);
  }
}

constexpr Command kCommands[] = {
    {"screen", screen},
    {"minsize", minsize},
    {"window", window},
    {"foreground", foreground},
    {"time", time},
    {"rand", rand},
    {"hotkey-taken", hotkeyTaken},
    {"drag", drag},
    {"resize", resize},
    {"set-rect", setRect},
    {"snap", snap},
    {"minimize", minmax<&SimDesktop::minimize, SW_MINIMIZE>},
    {"maximize", minmax<&SimDesktop::maximize, SW_MAXIMIZE>},
    {"restore", minmax<&SimDesktop::restore, SW_RESTORE>},
    {"destroy", destroy},
    {"hook", hook},
    {"hook-messages", hookMessages},
    {"answer", answer},
    {"tick", tick},
    // Windows 10 and 11
    {"workarea", workarea},
    {"monitor", monitor},
    {"dpi", dpi},
    {"hide", hide},
    {"show", show},
    {"cloak", cloak<true>},
    {"uncloak", cloak<false>},
    {"unminimize", unminimize},
    // Full-screen programs
    {"activate", activate},
    {"retitle", retitle},
    {"fullscreen", fullscreen},
    {"leave-fullscreen", leaveFullscreen},
    {"notification-state", notificationState},
};

}  // namespace

std::span<const Command> desktopCommands() { return kCommands; }

}  // namespace tessellor::sim
