// Top-level windows: creation, the z-order, the foreground window, placement and the user's own
// moves. Everything a query reports is derived from state + normal + maximized rectangles.
#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kFirstWindow = 0x10010;
constexpr std::uintptr_t kWindowStep = 0x10;
constexpr RECT kMinimizedRect{-32000, -32000, -31840, -31972};
// 1970-01-01 in FILETIME's 100-ns units since 1601.
constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;
constexpr std::uint64_t kPerSecond = 10000000ull;

int plus(int a, std::int64_t b) { return saturated(a + b); }

// A window refuses a negative size rather than turning inside out.
RECT nonNegative(RECT r) {
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

}  // namespace

SimDesktop::SimDesktop() = default;
SimDesktop::~SimDesktop() = default;

// ---- The desktop ----------------------------------------------------------------------------

void SimDesktop::setScreen(int width, int height) {
  screenWidth_ = width;
  screenHeight_ = height;
  primaryWork_.reset();
  refitMaximized();
}

void SimDesktop::setMinSize(int width, int height) {
  minWidth_ = width;
  minHeight_ = height;
}

HWND SimDesktop::createWindow(const WindowSpec& desc) {
  Window w;
  w.desc = desc;
  if (w.desc.title.empty() && !desc.untitled) w.desc.title = desc.name;
  if (w.desc.exe.empty()) w.desc.exe = desc.name + ".exe";
  w.handle = handleFromValue(kFirstWindow + kWindowStep * windows_.size());
  w.hidden = desc.hidden;
  w.normal = nonNegative(desc.at);
  w.maximized = maximizedRect(w);
  w.cloaked = desc.cloaked;
  w.desktop = desc.desktop.empty() ? shownDesktop_ : desc.desktop;
  w.state = desc.minimized ? State::Minimized : desc.maximized ? State::Maximized : State::Normal;
  // A program above the program's level runs as a process of its own beside any other copy.
  const std::string process =
      desc.outranksProgram() ? w.desc.exe + "\n above " + std::to_string(desc.integrityLevel()) : w.desc.exe;
  auto pid = pids_.find(process);
  if (pid == pids_.end()) {
    pid = pids_.emplace(process, static_cast<DWORD>(0x1000 + 4 * pids_.size())).first;
    // A process starts with its first window; the serial keeps two started in one second apart.
    processStarts_[pid->second] =
        kUnixEpoch + static_cast<std::uint64_t>(time_) * kPerSecond + static_cast<std::uint64_t>(pids_.size());
  }
  w.pid = pid->second;
  w.dpi = dpiOfMonitor(monitorOfRect(w.normal, MONITOR_DEFAULTTONEAREST));
  windows_.push_back(w);
  zOrder_.insert(zOrder_.begin(), w.handle);
  return w.handle;
}

void SimDesktop::destroyWindow(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  w->alive = false;
  std::erase(zOrder_, hwnd);
  if (foreground_ == hwnd) foreground_ = nullptr;
  dialogs_.erase(handleValue(hwnd));
  if (mainDialog_ == hwnd) mainDialog_ = nullptr;
}

void SimDesktop::setForeground(HWND hwnd) { foreground_ = find(hwnd) != nullptr ? hwnd : nullptr; }

void SimDesktop::setTime(std::time_t t) { time_ = t; }

void SimDesktop::setRand(int value) { rand_ = value; }

// ---- User actions -----------------------------------------------------------------------------

void SimDesktop::drag(HWND hwnd, int dx, int dy) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  const RECT r = currentRect(*w);
  w->normal = RECT{plus(r.left, dx), plus(r.top, dy), plus(r.right, dx), plus(r.bottom, dy)};
  w->state = State::Normal;
}

void SimDesktop::resize(HWND hwnd, Edge edge, int coordinate) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  RECT r = currentRect(*w);
  // The moving edge stops where the minimum (or zero) size is reached; the other edges stay.
  const int minW = w->desc.minWidth;
  const int minH = w->desc.minHeight;
  switch (edge) {
    case Edge::Left:
      r.left = std::min(coordinate, plus(r.right, -std::int64_t{minW}));
      break;
    case Edge::Right:
      r.right = std::max(coordinate, plus(r.left, minW));
      break;
    case Edge::Top:
      r.top = std::min(coordinate, plus(r.bottom, -std::int64_t{minH}));
      break;
    case Edge::Bottom:
      r.bottom = std::max(coordinate, plus(r.top, minH));
      break;
  }
  w->normal = r;
  w->state = State::Normal;
}

void SimDesktop::setRect(HWND hwnd, const RECT& rect) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  w->normal = nonNegative(rect);
  w->state = State::Normal;
}

void SimDesktop::minimize(HWND hwnd) {
  if (Window* w = find(hwnd)) minimizeWindow(*w);
}

void SimDesktop::maximize(HWND hwnd) {
  if (Window* w = find(hwnd)) {
    w->state = State::Maximized;
    w->maximized = maximizedRect(*w);
  }
}

void SimDesktop::restore(HWND hwnd) {
  if (Window* w = find(hwnd)) w->state = State::Normal;
}

// ---- Reading back -------------------------------------------------------------------------------

RECT SimDesktop::rectOf(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr ? currentRect(*w) : RECT{0, 0, 0, 0};
}

RECT SimDesktop::normalRectOf(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr ? w->normal : RECT{0, 0, 0, 0};
}

const WindowSpec* SimDesktop::specOf(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr ? &w->desc : nullptr;
}

bool SimDesktop::isMinimized(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->state == State::Minimized;
}

bool SimDesktop::isMaximized(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->state == State::Maximized;
}

bool SimDesktop::isHidden(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->hidden;
}

HWND SimDesktop::handleOf(const std::string& name) const {
  for (const Window& w : windows_) {
    if (w.alive && w.desc.name == name) return w.handle;
  }
  return nullptr;
}

HWND SimDesktop::lastHandleOf(const std::string& name) const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if (it->desc.name == name) return it->handle;
  }
  return nullptr;
}

std::string SimDesktop::nameOf(HWND hwnd) const {
  if (const Window* w = find(hwnd)) return w->desc.name;
  return handleText(hwnd);
}

std::vector<HWND> SimDesktop::zOrder() const { return zOrder_; }

std::vector<HWND> SimDesktop::windows() const {
  std::vector<HWND> out;
  for (const Window& w : windows_) {
    if (w.alive) out.push_back(w.handle);
  }
  return out;
}

std::string handleText(HWND hwnd) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(handleValue(hwnd)));
  return text;
}

// ---- Platform: queries -------------------------------------------------------------------------

BOOL SimDesktop::IsWindow(HWND hwnd) {
  return (find(hwnd) != nullptr || dialogOf(hwnd) != nullptr || controlOf(hwnd) != nullptr) ? TRUE : FALSE;
}

BOOL SimDesktop::IsWindowVisible(HWND hwnd) {
  if (const Window* w = find(hwnd)) return w->hidden ? FALSE : TRUE;
  return dialogOf(hwnd) != nullptr ? TRUE : FALSE;
}

BOOL SimDesktop::IsIconic(HWND hwnd) { return isMinimized(hwnd) ? TRUE : FALSE; }

int SimDesktop::GetWindowTextA(HWND hwnd, char* text, int maxCount) {
  return static_cast<int>(copyText(textOf(hwnd), text, maxCount));
}

int SimDesktop::GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(textOf(hwnd).size()); }

BOOL SimDesktop::GetWindowRect(HWND hwnd, RECT* rect) {
  const Window* w = find(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = currentRect(*w);
  return TRUE;
}

BOOL SimDesktop::EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  // The callback may destroy windows (or create them); it sees the z-order as it was.
  const std::vector<HWND> snapshot = zOrder_;
  for (HWND hwnd : snapshot) {
    if (find(hwnd) == nullptr) continue;
    if (!callback(hwnd, lParam)) break;
  }
  return TRUE;
}

int SimDesktop::GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXMAXIMIZED:
      return screenWidth_;
    case SM_CYMAXIMIZED:
      return screenHeight_;
    case SM_CXMIN:
      return minWidth_;
    case SM_CYMIN:
      return minHeight_;
    case SM_CMONITORS:
      return monitorCount();
    default:
      return 0;
  }
}

BOOL SimDesktop::GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  // Where the tray icon sits: the lower right corner of the screen.
  *point = POINT{plus(screenWidth_, -1), plus(screenHeight_, -1)};
  return TRUE;
}

// ---- Platform: placement, state and activation ---------------------------------------------------

BOOL SimDesktop::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  const Window* w = find(hwnd);
  if (w == nullptr || placement == nullptr) return FALSE;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = 0;
  placement->showCmd = w->state == State::Minimized   ? SW_SHOWMINIMIZED
                       : w->state == State::Maximized ? SW_MAXIMIZE
                                                      : SW_SHOWNORMAL;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = w->normal;
  return TRUE;
}

BOOL SimDesktop::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (placement == nullptr || killed_) return FALSE;
  Window* w = find(hwnd);
  const bool refused = w == nullptr || w->desc.outranksProgram();
  record(PlacementCall::Kind::SetWindowPlacement, hwnd, placement->rcNormalPosition, refused);
  if (refused) return refuse(w, calls_.back());
  const int show = static_cast<int>(placement->showCmd);
  // Maximising or minimising a normal window at its own rectangle still changes it.
  const bool keepsNormal = show != SW_MAXIMIZE && show != SW_SHOWMINIMIZED && show != SW_MINIMIZE &&
                           show != SW_SHOWMINNOACTIVE && show != SW_HIDE;
  calls_.back().redundant = keepsNormal && !w->hidden && w->state == State::Normal &&
                            w->normal == placement->rcNormalPosition && !atRangeEnd(w->normal);
  w->normal = fitted(*w, placement->rcNormalPosition);
  // A placement changes neither the z-order nor the foreground window.
  applyShowCommand(*w, static_cast<int>(placement->showCmd), false);
  calls_.back().took = w->normal == placement->rcNormalPosition;
  followScale(*w);
  return TRUE;
}

BOOL SimDesktop::SetWindowPos(HWND hwnd, HWND /*insertAfter*/, int x, int y, int cx, int cy, UINT flags) {
  if (killed_) return FALSE;
  Window* w = find(hwnd);
  const bool refused = w == nullptr || w->desc.outranksProgram();
  const RECT asked{x, y, plus(x, cx), plus(y, cy)};
  record(PlacementCall::Kind::SetWindowPos, hwnd, asked, refused);
  calls_.back().moves = (flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
  if (refused) return refuse(w, calls_.back());
  const bool raises = (flags & (SWP_NOZORDER | SWP_NOACTIVATE)) != (SWP_NOZORDER | SWP_NOACTIVATE);
  // A width or height at the end of the int range may stand for a larger one the program asked.
  const bool clamped = cx == std::numeric_limits<int>::max() || cy == std::numeric_limits<int>::max();
  calls_.back().redundant =
      !raises && !clamped && !w->hidden && w->state == State::Normal && w->normal == asked && !atRangeEnd(asked);
  if ((flags & SWP_NOZORDER) == 0) raise(hwnd);
  if ((flags & SWP_NOACTIVATE) == 0) foreground_ = hwnd;
  if (w->state == State::Minimized) return TRUE;
  RECT& target = w->state == State::Maximized ? w->maximized : w->normal;
  RECT r = target;
  if ((flags & SWP_NOMOVE) == 0) {
    r = RECT{x, y, plus(x, std::int64_t{r.right} - r.left), plus(y, std::int64_t{r.bottom} - r.top)};
  }
  if ((flags & SWP_NOSIZE) == 0) {
    r.right = plus(r.left, cx);
    r.bottom = plus(r.top, cy);
    r = fitted(*w, r);
  }
  target = r;
  calls_.back().took = (flags & (SWP_NOMOVE | SWP_NOSIZE)) != 0 || target == asked;
  followScale(*w);
  return TRUE;
}

void SimDesktop::placeWindows(std::span<WindowMove> moves) {
  batch_ = ++batchesMade_;
  for (WindowMove& move : moves) {
    Window* w = find(move.hwnd);
    if (w != nullptr && w->desc.late && !w->desc.outranksProgram() && !killed_) {
      // Made, and left with the window's thread: the program stops waiting for it.
      const RECT asked = move.call == WindowMove::Call::SetWindowPlacement
                             ? move.placement.rcNormalPosition
                             : RECT{move.x, move.y, plus(move.x, move.cx), plus(move.y, move.cy)};
      record(move.call == WindowMove::Call::SetWindowPlacement ? PlacementCall::Kind::SetWindowPlacement
                                                               : PlacementCall::Kind::SetWindowPos,
             move.hwnd, asked, false);
      calls_.back().took = false;
      calls_.back().moves = move.call == WindowMove::Call::SetWindowPlacement ||
                            (move.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
      w->waiting.push_back(move);
      move.result = TRUE;
      move.error = 0;
      move.answered = false;
      continue;
    }
    move.result = move.call == WindowMove::Call::SetWindowPlacement
                      ? SetWindowPlacement(move.hwnd, &move.placement)
                      : SetWindowPos(move.hwnd, move.insertAfter, move.x, move.y, move.cx, move.cy, move.flags);
    move.error = move.result != FALSE ? 0 : GetLastError();
    move.answered = true;
  }
  batch_ = 0;
}

bool SimDesktop::placementPending(HWND hwnd) {
  const Window* w = find(hwnd);
  return w != nullptr && !w->waiting.empty();
}

bool SimDesktop::answerPlacements(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || w->waiting.empty()) return false;
  const std::vector<WindowMove> waiting = std::move(w->waiting);
  w->waiting.clear();
  // Made already, traced and counted then: taken now without a record.
  replaying_ = true;
  for (const WindowMove& move : waiting) {
    const std::size_t recorded = calls_.size();
    if (move.call == WindowMove::Call::SetWindowPlacement) {
      SetWindowPlacement(move.hwnd, &move.placement);
    } else {
      SetWindowPos(move.hwnd, move.insertAfter, move.x, move.y, move.cx, move.cy, move.flags);
    }
    calls_.resize(recorded);
  }
  replaying_ = false;
  return true;
}

UINT_PTR SimDesktop::SetTimer(HWND hwnd, UINT_PTR id, UINT /*elapse*/, TIMERPROC proc) {
  if (proc != nullptr || id == 0 || killed_) return 0;
  // A timer set again with its id replaces the running one.
  const std::pair<HWND, UINT_PTR> timer{hwnd, id};
  if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) timers_.push_back(timer);
  return id;
}

BOOL SimDesktop::KillTimer(HWND hwnd, UINT_PTR id) {
  const auto found = std::find(timers_.begin(), timers_.end(), std::pair<HWND, UINT_PTR>{hwnd, id});
  if (found == timers_.end()) return FALSE;
  timers_.erase(found);
  return TRUE;
}

void SimDesktop::fireTimers() {
  for (const auto& [hwnd, id] : timers_) postMessage(hwnd, WM_TIMER, id, 0);
}

BOOL SimDesktop::ShowWindow(HWND hwnd, int showCmd) {
  Window* w = find(hwnd);
  // A program of higher integrity ignores what a lower one asks of its windows.
  if (killed_) return FALSE;
  if (w == nullptr || w->desc.outranksProgram()) return refuse(w);
  const BOOL wasVisible = w->hidden ? FALSE : TRUE;
  applyShowCommand(*w, showCmd, true);
  return wasVisible;
}

void SimDesktop::applyShowCommand(Window& w, int showCmd, bool showActivates) {
  switch (showCmd) {
    case SW_HIDE:
      hide(w);
      break;
    case SW_SHOW:
      if (w.hidden && showActivates) {
        foreground_ = w.handle;
        raise(w.handle);
      }
      w.hidden = false;
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      w.hidden = false;
      minimizeWindow(w);
      break;
    case SW_MAXIMIZE:
      w.hidden = false;
      maximize(w.handle);
      break;
    default:
      w.hidden = false;
      w.state = State::Normal;
      break;
  }
}

BOOL SimDesktop::UpdateWindow(HWND hwnd) { return IsWindow(hwnd); }

HWND SimDesktop::SetActiveWindow(HWND hwnd) {
  if (killed_) return nullptr;
  record(PlacementCall::Kind::SetActiveWindow, hwnd, RECT{0, 0, 0, 0}, find(hwnd) == nullptr);
  if (find(hwnd) == nullptr) return nullptr;
  const HWND previous = foreground_;
  foreground_ = hwnd;
  raise(hwnd);
  return previous;
}

BOOL SimDesktop::SetForegroundWindow(HWND hwnd) {
  if (find(hwnd) == nullptr || killed_) return FALSE;
  foreground_ = hwnd;
  raise(hwnd);
  return TRUE;
}

// ---- Helpers ------------------------------------------------------------------------------------

SimDesktop::Window* SimDesktop::find(HWND hwnd) {
  return const_cast<Window*>(static_cast<const SimDesktop*>(this)->find(hwnd));
}

const SimDesktop::Window* SimDesktop::find(HWND hwnd) const {
  const std::uintptr_t v = handleValue(hwnd);
  if (v < kFirstWindow || (v - kFirstWindow) % kWindowStep != 0) return nullptr;
  const std::size_t k = (v - kFirstWindow) / kWindowStep;
  if (k >= windows_.size() || !windows_[k].alive) return nullptr;
  return &windows_[k];
}

std::string SimDesktop::textOf(HWND hwnd) {
  if (const Window* w = find(hwnd)) return w->desc.title;
  if (const Control* c = controlOf(hwnd)) return c->text;
  if (dialogOf(hwnd) != nullptr) return "Tessellor";
  return "";
}

RECT SimDesktop::currentRect(const Window& w) const {
  switch (w.state) {
    case State::Minimized:
      return kMinimizedRect;
    case State::Maximized:
      return w.maximized;
    case State::Normal:
      break;
  }
  return w.normal;
}

RECT SimDesktop::fitted(Window& w, RECT wanted) {
  RECT r = nonNegative(wanted);
  r.right = std::max(r.right, plus(r.left, w.desc.minWidth));
  r.bottom = std::max(r.bottom, plus(r.top, w.desc.minHeight));
  // A window that grows takes k × N more than asked on its k-th placement.
  if (w.desc.grows != 0) {
    ++w.placements;
    const std::int64_t extra = std::int64_t{w.desc.grows} * w.placements;
    r.right = plus(r.right, extra);
    r.bottom = plus(r.bottom, extra);
  }
  return r;
}

void SimDesktop::raise(HWND hwnd) {
  std::erase(zOrder_, hwnd);
  zOrder_.insert(zOrder_.begin(), hwnd);
}

void SimDesktop::minimizeWindow(Window& w) {
  if (w.state != State::Minimized) w.restoreToMaximized = w.state == State::Maximized;
  w.state = State::Minimized;
}

void SimDesktop::hide(Window& w) {
  w.hidden = true;
  if (foreground_ == w.handle) foreground_ = nullptr;
}

// An edge clamped at the end of the 32-bit range: the program cannot tell it from one past it.
bool SimDesktop::atRangeEnd(const RECT& r) {
  constexpr LONG lo = std::numeric_limits<LONG>::min(), hi = std::numeric_limits<LONG>::max();
  return r.left == lo || r.left == hi || r.top == lo || r.top == hi || r.right == lo || r.right == hi ||
         r.bottom == lo || r.bottom == hi;
}

void SimDesktop::record(PlacementCall::Kind kind, HWND hwnd, const RECT& rect, bool refused) {
  PlacementCall call{kind, hwnd, rect, refused};
  call.batch = batch_;
  calls_.push_back(call);
  if (replaying_) return;
  if (kind != PlacementCall::Kind::SetActiveWindow) ++placementCount_;
  if (onCall) onCall(call);
}

}  // namespace tessellor::sim
