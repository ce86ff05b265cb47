// The desktop as the layouts see it: the work area of one monitor, from (0, 0), with every window
// at its visible bounds. Windows 10 and 11 draw invisible resize borders outside what the user
// sees, and the taskbar takes part of the monitor; the engines know neither. Rectangles are
// converted here, and only here, on their way in and out.
#pragma once

#include <unordered_map>

#include "platform/ForwardingPlatform.h"

namespace tessellor {

class DesktopView final : public ForwardingPlatform {
 public:
  explicit DesktopView(Platform& desktop);

  // The area in screen coordinates.
  struct Area {
    LONG left = 0;
    LONG top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Area&) const = default;
  };
  enum class Change { None, Resized, Moved };

  // Lays out the work area of that monitor from now on; the primary one when it is null or gone.
  void useMonitor(HMONITOR monitor);
  // Reads the work area again (the taskbar moved, a monitor came or went) and says how it changed:
  // Resized when its size did, Moved when only its corner did.
  Change refresh();
  HMONITOR monitor() const { return monitor_; }
  const Area& area() const { return area_; }

  int GetSystemMetrics(int index) override;
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override;
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override;
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override;
  BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override;
  // Each move from visible bounds to window rectangles; a window whose frame the move changed (or
  // showed for the first time) is placed once more, in a second batch.
  void placeWindows(std::span<WindowMove> moves) override;

 private:
  // How far the window rectangle reaches past the visible bounds on each side.
  struct Margins {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    bool operator==(const Margins&) const = default;
  };

  Area readArea();
  // The margins of the window in its normal state: measured when it is normal, else those last
  // measured; none when the window manager does not tell (no composition, as under Wine).
  Margins normalMargins(HWND hwnd, bool* known = nullptr);
  bool measureMargins(HWND hwnd, const RECT& window, Margins& out);
  RECT toLayout(const RECT& window, const Margins& m) const;
  RECT toScreen(const RECT& visible, const Margins& m) const;
  WindowMove toScreen(const WindowMove& move, const Margins& m);

  HMONITOR monitor_ = nullptr;
  Area area_;
  std::unordered_map<HWND, Margins> margins_;
};

}  // namespace tessellor
