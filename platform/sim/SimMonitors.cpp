// Monitors and work areas. The primary monitor is always the screen; the others come and go by
// name. A window belongs to the monitor holding the largest part of it, else the nearest one.
#include <algorithm>
#include <cstdint>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

constexpr std::uintptr_t kPrimaryMonitor = 0x76000010;
constexpr std::uintptr_t kMonitorStep = 0x10;

std::int64_t overlapArea(const RECT& a, const RECT& b) {
  const std::int64_t w = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const std::int64_t h = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The gap between two rectangles along one axis; 0 when they overlap or touch on it.
std::int64_t gap(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
  if (highA < lowB) return lowB - highA;
  if (highB < lowA) return lowA - highB;
  return 0;
}

// Squared, in doubles: two gaps near the ends of the 32-bit range overflow 64-bit integers.
double distance(const RECT& a, const RECT& b) {
  const double dx = static_cast<double>(gap(a.left, a.right, b.left, b.right));
  const double dy = static_cast<double>(gap(a.top, a.bottom, b.top, b.bottom));
  return dx * dx + dy * dy;
}

}  // namespace

void SimDesktop::setWorkArea(const RECT& work) {
  primaryWork_ = work;
  refitMaximized();
}

void SimDesktop::setMonitor(const std::string& name, const RECT& bounds, const RECT& work, std::optional<UINT> dpi) {
  auto it =
      std::find_if(monitors_.begin(), monitors_.end(), [&](const Monitor& m) { return m.alive && m.name == name; });
  if (it == monitors_.end()) {
    monitors_.push_back(Monitor{name, bounds, work, true, dpi.value_or(USER_DEFAULT_SCREEN_DPI)});
  } else {
    it->bounds = bounds;
    it->work = work;
    if (dpi) it->dpi = *dpi;
  }
  refitMaximized();
  settleScales();
}

bool SimDesktop::removeMonitor(const std::string& name) {
  for (Monitor& m : monitors_) {
    if (!m.alive || m.name != name) continue;
    m.alive = false;
    // Its windows keep their scale until something moves them onto a monitor that is there.
    refitMaximized();
    return true;
  }
  return false;
}

RECT SimDesktop::maximizedRect(const Window& w) const {
  RECT bounds{};
  RECT work = primaryWork();
  monitorAt(monitorOfRect(w.normal, MONITOR_DEFAULTTONEAREST), bounds, work);
  return work;
}

void SimDesktop::refitMaximized() {
  for (Window& w : windows_) {
    if (w.alive && w.state == State::Maximized) w.maximized = maximizedRect(w);
  }
}

HMONITOR SimDesktop::monitorOfRect(const RECT& rect, DWORD flags) const {
  const auto handle = [](std::uintptr_t value) { return reinterpret_cast<HMONITOR>(value); };
  std::uintptr_t best = kPrimaryMonitor;
  std::int64_t bestArea = overlapArea(rect, screenRect());
  for (std::size_t k = 0; k < monitors_.size(); ++k) {
    if (!monitors_[k].alive) continue;
    const std::int64_t area = overlapArea(rect, monitors_[k].bounds);
    if (area > bestArea) {
      bestArea = area;
      best = kPrimaryMonitor + kMonitorStep * (k + 1);
    }
  }
  if (bestArea > 0) return handle(best);
  if (flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags != MONITOR_DEFAULTTONEAREST) return handle(kPrimaryMonitor);
  double nearest = distance(rect, screenRect());
  for (std::size_t k = 0; k < monitors_.size(); ++k) {
    if (!monitors_[k].alive) continue;
    const double d = distance(rect, monitors_[k].bounds);
    if (d < nearest) {
      nearest = d;
      best = kPrimaryMonitor + kMonitorStep * (k + 1);
    }
  }
  return handle(best);
}

bool SimDesktop::monitorAt(HMONITOR monitor, RECT& bounds, RECT& work) const {
  const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(monitor);
  if (value == kPrimaryMonitor) {
    bounds = screenRect();
    work = primaryWork();
    return true;
  }
  if (value < kPrimaryMonitor || (value - kPrimaryMonitor) % kMonitorStep != 0) return false;
  const std::size_t k = (value - kPrimaryMonitor) / kMonitorStep - 1;
  if (k >= monitors_.size() || !monitors_[k].alive) return false;
  bounds = monitors_[k].bounds;
  work = monitors_[k].work;
  return true;
}

int SimDesktop::monitorCount() const {
  return 1 +
         static_cast<int>(std::count_if(monitors_.begin(), monitors_.end(), [](const Monitor& m) { return m.alive; }));
}

UINT SimDesktop::dpiOfMonitor(HMONITOR monitor) const {
  const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(monitor);
  if (value == kPrimaryMonitor) return primaryDpi_;
  if (value < kPrimaryMonitor || (value - kPrimaryMonitor) % kMonitorStep != 0) return 0;
  const std::size_t k = (value - kPrimaryMonitor) / kMonitorStep - 1;
  return k < monitors_.size() && monitors_[k].alive ? monitors_[k].dpi : 0;
}

std::string SimDesktop::monitorName(HMONITOR monitor) const {
  const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(monitor);
  if (value == kPrimaryMonitor) return "primary";
  if (value < kPrimaryMonitor || (value - kPrimaryMonitor) % kMonitorStep != 0) return "";
  const std::size_t k = (value - kPrimaryMonitor) / kMonitorStep - 1;
  return k < monitors_.size() ? monitors_[k].name : "";
}

std::vector<std::string> SimDesktop::monitorNames() const {
  std::vector<std::string> names{"primary"};
  for (const Monitor& m : monitors_) {
    if (std::find(names.begin(), names.end(), m.name) == names.end()) names.push_back(m.name);
  }
  return names;
}

HMONITOR SimDesktop::monitorNamed(const std::string& name) const {
  const auto handle = [](std::uintptr_t value) { return reinterpret_cast<HMONITOR>(value); };
  if (name == "primary") return handle(kPrimaryMonitor);
  for (std::size_t k = 0; k < monitors_.size(); ++k) {
    if (monitors_[k].alive && monitors_[k].name == name) return handle(kPrimaryMonitor + kMonitorStep * (k + 1));
  }
  return nullptr;
}

// ---- Platform -----------------------------------------------------------------------------------

HMONITOR SimDesktop::MonitorFromWindow(HWND hwnd, DWORD flags) {
  const Window* w = find(hwnd);
  if (w == nullptr) return flags == MONITOR_DEFAULTTONULL ? nullptr : reinterpret_cast<HMONITOR>(kPrimaryMonitor);
  // As on Windows, a minimised window is on the monitor of the place it will be restored to.
  return monitorOfRect(w->state == State::Minimized ? w->normal : currentRect(*w), flags);
}

HMONITOR SimDesktop::MonitorFromRect(const RECT* rect, DWORD flags) {
  return rect != nullptr ? monitorOfRect(*rect, flags) : nullptr;
}

BOOL SimDesktop::GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  // Windows insists on the record's size; a caller that forgets it gets nothing.
  if (info == nullptr || info->cbSize != sizeof(MONITORINFO)) return FALSE;
  RECT bounds{};
  RECT work{};
  if (!monitorAt(monitor, bounds, work)) return FALSE;
  info->rcMonitor = bounds;
  info->rcWork = work;
  info->dwFlags = reinterpret_cast<std::uintptr_t>(monitor) == kPrimaryMonitor ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

BOOL SimDesktop::SystemParametersInfoA(UINT action, UINT /*param*/, void* pvParam, UINT /*winIni*/) {
  if (action != SPI_GETWORKAREA || pvParam == nullptr) return FALSE;
  *static_cast<RECT*>(pvParam) = primaryWork();
  return TRUE;
}

}  // namespace tessellor::sim
