// The simulated Windows desktop: an in-memory implementation of Platform with top-level windows,
// a z-order, a foreground window, the program's dialogs and controls, a registry value, hotkey
// registrations, a tray icon and a message queue. It records what the program asks of it.
//
// The window-model part below (creating windows, user actions, reading them back, the call record)
// is what engine tests use directly; the scenario runner in tools/sim drives the rest.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tessellor::sim {

enum class RegionKind { None, Simple, Complex };
enum class Edge { Left, Top, Right, Bottom };

// What `window NAME [title "T"] [exe E] [at L T R B] [min W H] [region ...] [hidden] [minimized]
// [maximized] [grows N]` describes.
struct WindowSpec {
  std::string name;
  std::string title;  // empty: the name
  std::string exe;    // empty: NAME.exe; "-": OpenProcess fails for its process
  RECT at{100, 100, 500, 400};
  int minWidth = 0;  // minimum track size; 0: none
  int minHeight = 0;
  RegionKind region = RegionKind::None;
  RECT regionBox{0, 0, 0, 0};  // window coordinates, for a simple region
  bool hidden = false;
  bool minimized = false;
  bool maximized = false;
  int grows = 0;  // each placement makes it this many pixels larger than the last
};

struct PlacementCall {
  enum class Kind { SetWindowPlacement, SetWindowPos, SetActiveWindow };
  Kind kind;
  HWND hwnd;
  RECT rect;  // as requested (left, top, right, bottom), before any clamping
};

class SimDesktop : public Platform {
 public:
  SimDesktop();
  ~SimDesktop() override;

  // ---- The desktop --------------------------------------------------------------------------
  void setScreen(int width, int height);   // SM_CXMAXIMIZED, SM_CYMAXIMIZED; maximised windows follow
  void setMinSize(int width, int height);  // SM_CXMIN, SM_CYMIN
  HWND createWindow(const WindowSpec& spec);
  void destroyWindow(HWND hwnd);
  void setForeground(HWND hwnd);  // null: no foreground window
  void setTime(std::time_t t);
  void setRand(int value);

  // User actions on other programs' windows (they change the desktop only; posting the hook
  // message is the caller's business).
  void drag(HWND hwnd, int dx, int dy);
  void resize(HWND hwnd, Edge edge, int coordinate);
  void setRect(HWND hwnd, const RECT& rect);
  void minimize(HWND hwnd);
  void maximize(HWND hwnd);
  void restore(HWND hwnd);

  // Reading the desktop back.
  RECT rectOf(HWND hwnd) const;  // the current rectangle
  bool isAlive(HWND hwnd) const;
  bool isMinimized(HWND hwnd) const;
  bool isMaximized(HWND hwnd) const;
  bool isHidden(HWND hwnd) const;
  HWND handleOf(const std::string& name) const;  // the living window of that name, or null
  std::string nameOf(HWND hwnd) const;           // its name, or 0x... for a handle that is no window
  std::vector<HWND> zOrder() const;              // topmost first, living windows

  // The record of placement calls (SetWindowPlacement, SetWindowPos, SetActiveWindow).
  const std::vector<PlacementCall>& calls() const { return calls_; }
  void clearCalls() { calls_.clear(); }
  // Called for each placement call as it is made (the runner's `trace on`).
  std::function<void(const PlacementCall&)> onCall;

  // ---- Platform overrides, the message queue, dialogs and controls: added by the implementation.

 private:
  std::vector<PlacementCall> calls_;
};

}  // namespace tessellor::sim
