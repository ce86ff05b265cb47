// Scale per monitor: each monitor has a DPI, each window the DPI of the monitor it is on. Moved by
// the program onto a monitor of another DPI, a window rescales itself, as a program that handles
// WM_DPICHANGED does, and its invisible frame scales with it.
#include <cstdint>

#include "platform/sim/SimDesktop.h"

namespace tessellor::sim {

namespace {

// MulDiv: value × numerator / denominator, rounded half away from zero.
LONG scaled(LONG value, UINT numerator, UINT denominator) {
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<LONG>((product >= 0 ? product + half : product - half) / static_cast<std::int64_t>(denominator));
}

}  // namespace

void SimDesktop::setPrimaryDpi(UINT dpi) {
  primaryDpi_ = dpi;
  settleScales();
}

void SimDesktop::settleScales() {
  for (Window& w : windows_) {
    if (w.alive) w.dpi = dpiOfMonitor(MonitorFromWindow(w.handle, MONITOR_DEFAULTTONEAREST));
  }
}

void SimDesktop::followScale(Window& w) {
  if (w.state != State::Normal) return;
  const UINT now = dpiOfMonitor(monitorOfRect(w.normal, MONITOR_DEFAULTTONEAREST));
  if (now == 0 || now == w.dpi) return;
  const UINT before = w.dpi;
  w.dpi = now;
  const RECT& r = w.normal;
  w.normal = RECT{r.left, r.top, static_cast<LONG>(r.left + scaled(r.right - r.left, now, before)),
                  static_cast<LONG>(r.top + scaled(r.bottom - r.top, now, before))};
  RECT& f = w.desc.frame;
  f = RECT{scaled(f.left, now, before), scaled(f.top, now, before), scaled(f.right, now, before),
           scaled(f.bottom, now, before)};
}

UINT SimDesktop::GetDpiForWindow(HWND hwnd) {
  const Window* w = find(hwnd);
  return w != nullptr ? w->dpi : 0;
}

HRESULT SimDesktop::GetDpiForMonitor(HMONITOR monitor, int /*dpiType*/, UINT* dpiX, UINT* dpiY) {
  const UINT dpi = dpiOfMonitor(monitor);
  if (dpi == 0 || dpiX == nullptr || dpiY == nullptr) return E_INVALIDARG;
  *dpiX = dpi;
  *dpiY = dpi;
  return S_OK;
}

int SimDesktop::GetSystemMetricsForDpi(int index, UINT dpi) {
  const int value = GetSystemMetrics(index);
  if (index != SM_CXMIN && index != SM_CYMIN) return value;
  return scaled(value, dpi, USER_DEFAULT_SCREEN_DPI);
}

}  // namespace tessellor::sim
