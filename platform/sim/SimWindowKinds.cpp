#include <algorithm>
// What Windows 10 and 11 tell about a window beyond its rectangle and state: the invisible frame
// around its visible bounds, whether it is cloaked, its styles and owner; and what a window's own
// program does to it (hiding, showing, cloaking, bringing it back from the taskbar).
#include <cstring>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimHelpers.h"

namespace tessellor::sim {

// ---- What other programs do ------------------------------------------------------------------

void SimDesktop::hideWindow(HWND hwnd) {
  if (Window* w = find(hwnd)) hide(*w);
}

void SimDesktop::showWindow(HWND hwnd) {
  if (Window* w = find(hwnd)) w->hidden = false;
}

void SimDesktop::setCloaked(HWND hwnd, bool cloaked) {
  if (Window* w = find(hwnd)) w->cloaked = cloaked;
}

void SimDesktop::unminimize(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || w->state != State::Minimized) return;
  if (w->restoreToMaximized) {
    maximize(hwnd);
  } else {
    w->state = State::Normal;
  }
}

bool SimDesktop::enterFullScreen(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || w->windowed) return false;
  const bool wasMaximized = w->state == State::Maximized;
  w->windowed = Window::Windowed{w->normal, wasMaximized, w->desc.nocaption};
  RECT bounds = screenRect();
  RECT work = primaryWork();
  monitorAt(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), bounds, work);
  w->desc.nocaption = true;
  w->state = State::Normal;
  w->normal = bounds;
  return wasMaximized;
}

bool SimDesktop::leaveFullScreen(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || !w->windowed) return false;
  const Window::Windowed before = *w->windowed;
  w->windowed.reset();
  w->desc.nocaption = before.nocaption;
  w->normal = before.normal;
  if (before.maximized) maximize(hwnd);
  return before.maximized;
}

bool SimDesktop::isFullScreen(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->windowed.has_value();
}

void SimDesktop::activate(HWND hwnd) {
  if (find(hwnd) == nullptr) return;
  foreground_ = hwnd;
  raise(hwnd);
}

void SimDesktop::setTitle(HWND hwnd, const std::string& title) {
  if (Window* w = find(hwnd)) w->desc.title = title;
}

// ---- Reading back -------------------------------------------------------------------------------

bool SimDesktop::hasFrame(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->desc.hasFrame;
}

bool SimDesktop::hasSimpleRegion(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->desc.region == RegionKind::Simple;
}

RECT SimDesktop::visibleRectOf(HWND hwnd) const {
  const Window* w = find(hwnd);
  if (w == nullptr) return RECT{0, 0, 0, 0};
  const RECT r = currentRect(*w);
  const RECT& f = w->desc.frame;
  RECT visible{saturated(std::int64_t{r.left} + f.left), saturated(std::int64_t{r.top} + f.top),
               saturated(std::int64_t{r.right} - f.right), saturated(std::int64_t{r.bottom} - f.bottom)};
  // A window narrower than its frames shows nothing, rather than a turned-over rectangle.
  if (visible.right < visible.left) visible.right = visible.left;
  if (visible.bottom < visible.top) visible.bottom = visible.top;
  return visible;
}

bool SimDesktop::isCloaked(HWND hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && (w->cloaked || offDesktop(*w));
}

LONG_PTR SimDesktop::styleOf(const Window& w, int index) const {
  if (index == GWL_EXSTYLE) return w.desc.exStyle;
  LONG_PTR style = w.ownedByProgram ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
  if (w.desc.fixed) style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  // Full-screen programs drop the title bar and become pop-ups.
  if (w.desc.nocaption) style = (style & ~WS_CAPTION) | WS_POPUP;
  if (!w.hidden) style |= WS_VISIBLE;
  if (w.state == State::Minimized) style |= WS_MINIMIZE;
  if (w.state == State::Maximized) style |= WS_MAXIMIZE;
  return style;
}

// ---- Platform -----------------------------------------------------------------------------------

HWND SimDesktop::GetWindow(HWND hwnd, UINT cmd) {
  const Window* w = find(hwnd);
  // An owner destroyed before its window is still named by its old handle.
  return w != nullptr && cmd == GW_OWNER ? w->desc.owner : nullptr;
}

HRESULT SimDesktop::DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  const Window* w = find(hwnd);
  if (w == nullptr) return E_HANDLE;
  if (value == nullptr) return E_INVALIDARG;
  switch (attribute) {
    case DWMWA_EXTENDED_FRAME_BOUNDS: {
      if (size != sizeof(RECT)) return E_INVALIDARG;
      // Without a frame the desktop is as Wine's, whose window manager answers nothing here.
      if (!w->desc.hasFrame) return E_NOTIMPL;
      const RECT visible = visibleRectOf(hwnd);
      std::memcpy(value, &visible, sizeof visible);
      return S_OK;
    }
    case DWMWA_CLOAKED: {
      if (size != sizeof(DWORD)) return E_INVALIDARG;
      const DWORD cloaked = w->cloaked || offDesktop(*w) ? DWM_CLOAKED_SHELL : 0;
      std::memcpy(value, &cloaked, sizeof cloaked);
      return S_OK;
    }
    default:
      return E_INVALIDARG;
  }
}

HRESULT SimDesktop::SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state) {
  if (state == nullptr) return E_INVALIDARG;
  *state = notificationState_;
  return S_OK;
}

}  // namespace tessellor::sim
