#include "platform/DesktopView.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace tessellor {

namespace {

// Edges near the ends of the 32-bit range stop there instead of wrapping round.
LONG plus(LONG value, std::int64_t by) {
  return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{value} + by, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

int toInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int length(LONG from, LONG to) { return toInt(std::int64_t{to} - from); }

bool isNormal(Platform& p, HWND hwnd) {
  return !p.IsIconic(hwnd) && (p.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) == 0;
}

// A window region is what the user sees of such a window; the window manager draws no border round it.
bool hasRegion(Platform& p, HWND hwnd) {
  HRGN region = p.CreateRectRgn(0, 0, 0, 0);
  const int kind = p.GetWindowRgn(hwnd, region);
  p.DeleteObject(region);
  return kind > NULLREGION;
}

}  // namespace

DesktopView::DesktopView(Platform& desktop) : ForwardingPlatform(desktop) {}

void DesktopView::useMonitor(HMONITOR monitor) {
  monitor_ = monitor;
  area_ = readArea();
}

DesktopView::Change DesktopView::refresh() {
  const Area before = area_;
  area_ = readArea();
  if (area_.width != before.width || area_.height != before.height) return Change::Resized;
  return area_ == before ? Change::None : Change::Moved;
}

DesktopView::Area DesktopView::readArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor_ == nullptr || !desktop_.GetMonitorInfoA(monitor_, &info)) {
    // Gone (unplugged, or the display changed): the layout moves to the primary monitor.
    monitor_ = desktop_.MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    info.cbSize = sizeof info;
    if (monitor_ == nullptr || !desktop_.GetMonitorInfoA(monitor_, &info)) {
      // No monitor to ask: the whole screen, as a maximised window covers it. Where that cannot be
      // read either, the area stays as it was rather than crushing every window to nothing.
      const Area screen{0, 0, desktop_.GetSystemMetrics(SM_CXMAXIMIZED), desktop_.GetSystemMetrics(SM_CYMAXIMIZED)};
      const bool unread = screen.width <= 0 || screen.height <= 0;
      return unread && area_.width > 0 && area_.height > 0 ? area_ : screen;
    }
  }
  const RECT& work = info.rcWork;
  return Area{work.left, work.top, std::max(0, length(work.left, work.right)),
              std::max(0, length(work.top, work.bottom))};
}

bool DesktopView::measureMargins(HWND hwnd, const RECT& window, Margins& out) {
  RECT visible{};
  if (desktop_.DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &visible, sizeof visible) != S_OK) {
    return false;
  }
  const Margins m{plus(visible.left, -std::int64_t{window.left}), plus(visible.top, -std::int64_t{window.top}),
                  plus(window.right, -std::int64_t{visible.right}), plus(window.bottom, -std::int64_t{visible.bottom})};
  // Bounds outside the window tell nothing about its frame.
  if (m.left < 0 || m.top < 0 || m.right < 0 || m.bottom < 0) return false;
  out = (m.left | m.top | m.right | m.bottom) != 0 && hasRegion(desktop_, hwnd) ? Margins{} : m;
  return true;
}

DesktopView::Margins DesktopView::normalMargins(HWND hwnd, bool* known) {
  RECT window{};
  Margins m;
  if (isNormal(desktop_, hwnd) && desktop_.GetWindowRect(hwnd, &window) && measureMargins(hwnd, window, m)) {
    margins_[hwnd] = m;
    if (known != nullptr) *known = true;
    return m;
  }
  const auto remembered = margins_.find(hwnd);
  if (known != nullptr) *known = remembered != margins_.end();
  return remembered != margins_.end() ? remembered->second : Margins{};
}

RECT DesktopView::toLayout(const RECT& window, const Margins& m) const {
  return RECT{plus(window.left, std::int64_t{m.left} - area_.left), plus(window.top, std::int64_t{m.top} - area_.top),
              plus(window.right, -std::int64_t{m.right} - area_.left),
              plus(window.bottom, -std::int64_t{m.bottom} - area_.top)};
}

RECT DesktopView::toScreen(const RECT& visible, const Margins& m) const {
  return RECT{plus(visible.left, std::int64_t{area_.left} - m.left), plus(visible.top, std::int64_t{area_.top} - m.top),
              plus(visible.right, std::int64_t{area_.left} + m.right),
              plus(visible.bottom, std::int64_t{area_.top} + m.bottom)};
}

int DesktopView::GetSystemMetrics(int index) {
  if (index == SM_CXMAXIMIZED) return area_.width;
  if (index == SM_CYMAXIMIZED) return area_.height;
  // The smallest window is measured at the layout monitor's scale, not the primary monitor's.
  UINT dpiX = 0, dpiY = 0;
  if ((index == SM_CXMIN || index == SM_CYMIN) && monitor_ != nullptr &&
      desktop_.GetDpiForMonitor(monitor_, MDT_EFFECTIVE_DPI, &dpiX, &dpiY) == S_OK && dpiX != 0) {
    return desktop_.GetSystemMetricsForDpi(index, index == SM_CXMIN ? dpiX : dpiY);
  }
  return desktop_.GetSystemMetrics(index);
}

BOOL DesktopView::GetWindowRect(HWND hwnd, RECT* rect) {
  RECT window{};
  if (rect == nullptr || !desktop_.GetWindowRect(hwnd, &window)) return FALSE;
  // Where the window stands now, maximised or not: its own bounds, not its normal state's.
  Margins m;
  if (!measureMargins(hwnd, window, m)) m = Margins{};
  *rect = toLayout(window, m);
  return TRUE;
}

BOOL DesktopView::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  if (!desktop_.GetWindowPlacement(hwnd, placement)) return FALSE;
  placement->rcNormalPosition = toLayout(placement->rcNormalPosition, normalMargins(hwnd));
  return TRUE;
}

WindowMove DesktopView::toScreen(const WindowMove& move, const Margins& m) {
  WindowMove out = move;
  if (!move.screen) {
    if (move.call == WindowMove::Call::SetWindowPlacement) {
      out.placement.rcNormalPosition = toScreen(move.placement.rcNormalPosition, m);
    } else {
      if ((move.flags & SWP_NOMOVE) == 0) {
        out.x = toInt(std::int64_t{move.x} + area_.left - m.left);
        out.y = toInt(std::int64_t{move.y} + area_.top - m.top);
      }
      if ((move.flags & SWP_NOSIZE) == 0) {
        out.cx = toInt(std::int64_t{move.cx} + m.left + m.right);
        out.cy = toInt(std::int64_t{move.cy} + m.top + m.bottom);
      }
    }
  }
  if (desktop_.IsWindowVisible(move.hwnd) || !desktop_.IsWindow(move.hwnd)) return out;
  // A window its program hid is neither raised nor activated behind the user's back.
  if (out.call == WindowMove::Call::SetWindowPos) {
    out.flags |= SWP_NOZORDER | SWP_NOACTIVATE;
    return out;
  }
  // Any show command would show it (or, hiding, activate another window); moving it does neither.
  const RECT window = out.placement.rcNormalPosition;
  out.call = WindowMove::Call::SetWindowPos;
  out.insertAfter = nullptr;
  out.x = window.left;
  out.y = window.top;
  out.cx = length(window.left, window.right);
  out.cy = length(window.top, window.bottom);
  out.flags = SWP_NOZORDER | SWP_NOACTIVATE;
  return out;
}

void DesktopView::placeWindows(std::span<WindowMove> moves) {
  std::vector<WindowMove> screen;
  std::vector<Margins> used;
  std::vector<UINT> dpi;
  screen.reserve(moves.size());
  used.reserve(moves.size());
  dpi.reserve(moves.size());
  const bool oneMonitor = desktop_.GetSystemMetrics(SM_CMONITORS) == 1;
  for (const WindowMove& move : moves) {
    used.push_back(move.screen ? Margins{} : normalMargins(move.hwnd));
    screen.push_back(toScreen(move, used.back()));
    // On a desktop of one monitor no move takes a window to another scale.
    dpi.push_back(oneMonitor ? 0 : desktop_.GetDpiForWindow(move.hwnd));
  }
  desktop_.placeWindows(screen);
  std::vector<WindowMove> again;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    moves[i].result = screen[i].result;
    moves[i].error = screen[i].error;
    moves[i].answered = screen[i].answered;
    const WindowMove& move = moves[i];
    const bool lastOfWindow = i + 1 == moves.size() || moves[i + 1].hwnd != move.hwnd;
    // A window put back where it was kept stands exactly as it stood, frame and all.
    if (!lastOfWindow || move.result == FALSE || !move.answered || move.screen) continue;
    if (move.call == WindowMove::Call::SetWindowPos && (move.flags & (SWP_NOMOVE | SWP_NOSIZE)) != 0) continue;
    // Maximised, the window stands on its monitor's work area: a move would take it out of that.
    if (move.call == WindowMove::Call::SetWindowPlacement && move.placement.showCmd == SW_MAXIMIZE) continue;
    // A frame that could not be measured before (the window was minimised or maximised) puts the
    // visible bounds elsewhere than asked. So does a move onto a monitor of another scale: the
    // window rescaled itself on WM_DPICHANGED, and its frame with it. Either way the window is
    // placed once more, with the frame it has now.
    const Margins now = normalMargins(move.hwnd);
    const bool rescaled = !oneMonitor && desktop_.GetDpiForWindow(move.hwnd) != dpi[i];
    if (now == used[i] && !rescaled) continue;
    WindowMove fix;
    fix.call = WindowMove::Call::SetWindowPos;
    fix.hwnd = move.hwnd;
    const RECT visible = move.call == WindowMove::Call::SetWindowPlacement
                             ? move.placement.rcNormalPosition
                             : RECT{move.x, move.y, plus(move.x, move.cx), plus(move.y, move.cy)};
    fix.x = visible.left;
    fix.y = visible.top;
    fix.cx = length(visible.left, visible.right);
    fix.cy = length(visible.top, visible.bottom);
    fix.flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS;
    const WindowMove fixed = toScreen(fix, now);
    RECT standing{};
    desktop_.GetWindowRect(move.hwnd, &standing);
    if (standing != RECT{fixed.x, fixed.y, plus(fixed.x, fixed.cx), plus(fixed.y, fixed.cy)}) again.push_back(fixed);
  }
  if (!again.empty()) desktop_.placeWindows(again);
}

BOOL DesktopView::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (placement == nullptr) return FALSE;
  WindowMove move;
  move.call = WindowMove::Call::SetWindowPlacement;
  move.hwnd = hwnd;
  move.placement = *placement;
  placeWindows(std::span<WindowMove>(&move, 1));
  return move.result;
}

BOOL DesktopView::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowMove move;
  move.hwnd = hwnd;
  move.insertAfter = insertAfter;
  move.x = x;
  move.y = y;
  move.cx = cx;
  move.cy = cy;
  move.flags = flags;
  placeWindows(std::span<WindowMove>(&move, 1));
  return move.result;
}

}  // namespace tessellor
