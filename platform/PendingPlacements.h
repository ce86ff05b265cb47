// The placements of one event, made once at its end. While an event is handled the layouts may
// place a window several times over (every add re-applies the whole layout); here each placement
// only replaces the window's target, and the layouts read their own targets back as if the windows
// stood there already. flush() then moves each window whose place or state changes, once, in the
// order of the layout's last placement, and all of them in one batch of the window system.
#pragma once

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/ForwardingPlatform.h"

namespace tessellor {

// What a flush made of the windows it placed.
struct PlacementOutcome {
  std::vector<HWND> placed;    // a call was made and the window system took it
  std::vector<HWND> refused;   // the window system refused the call: the window did not move
  std::vector<HWND> late;      // the window did not answer in time: it takes its place once it does
  std::vector<HWND> standing;  // already where it was to go (or where it would refuse to leave): no call
  std::vector<HWND> denied;    // refused with ERROR_ACCESS_DENIED (also in refused): it will refuse every move
  HWND activated = nullptr;    // the window the batch made active last, if one
  bool hasRefused(HWND hwnd) const { return std::find(refused.begin(), refused.end(), hwnd) != refused.end(); }
  bool hasLate(HWND hwnd) const { return std::find(late.begin(), late.end(), hwnd) != late.end(); }
  // False for a window whose placement was held back before the batch: it was not asked to move.
  bool asked(HWND hwnd) const {
    return hasRefused(hwnd) || hasLate(hwnd) || std::find(placed.begin(), placed.end(), hwnd) != placed.end() ||
           std::find(standing.begin(), standing.end(), hwnd) != standing.end();
  }
};

// Whether settling the placements may widen bands and so place again.
enum class Refit : bool { No, Yes };

class PendingPlacements final : public ForwardingPlatform {
 public:
  // `desktop` is the layouts' view of the desktop: rectangles in visible bounds of the work area.
  // `screen` is the window system below that view (null: the same), in its own coordinates.
  explicit PendingPlacements(Platform& desktop, Platform* screen = nullptr);
  PendingPlacements(const PendingPlacements&) = delete;
  PendingPlacements& operator=(const PendingPlacements&) = delete;

  // The same held placements, made and read in the window system's own coordinates, past the
  // layout's view: where a window stood before a layout took it is kept as a window placement, and
  // put back as it was read, never converted to or from visible bounds. A window's latest
  // placement, through either door, is the one made.
  Platform& screen() { return screenDoor_; }

  // Recorded, not made: the target becomes the window's normal state at the placement's rectangle,
  // or with SW_MAXIMIZE the maximised state with that normal rectangle; any other show command is
  // made as it is asked.
  BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override;
  // Recorded: the target rectangle; without SWP_NOZORDER or SWP_NOACTIVATE also a raise or an
  // activation, which keeps its order among the other raises of the event.
  BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override;
  // A window with a target answers as if it stood there, in the normal (or maximised) state.
  BOOL GetWindowRect(HWND hwnd, RECT* rect) override;
  BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override;
  BOOL IsIconic(HWND hwnd) override;
  // Its style says the state it will stand in.
  LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override;
  // Asked once for a window with a target while it has none: placing it gives it none.
  int GetWindowRgn(HWND hwnd, HRGN region) override;

  bool empty() const { return order_.empty(); }
  // The windows with a target, in the order they are placed.
  const std::vector<HWND>& windows() const { return order_; }
  // Drops the window's target: it left the layout before anything was placed.
  void cancel(HWND hwnd);
  // Drops every target asked through the layout's view: the layout ended, and only what is put back
  // through screen() stays.
  void cancelViewTargets();
  // Makes the targets, as one batch: a window already standing at its target in the normal state is
  // not touched, nor one asked again for the place it refused last time. Empties the targets.
  PlacementOutcome flush();

 private:
  // Which door a placement or a read came through.
  enum class Door : bool { View, Screen };
  struct Target {
    Door door = Door::View;  // the coordinates of rect
    RECT rect{};
    bool moves = false;      // rect was asked for; else the window is only raised or activated where it stands
    bool normal = false;     // must end in the normal state (a placement, not a bare move)
    bool maximized = false;  // must end maximised, with rect as its normal rectangle
    bool raise = false;      // to the top of the z-order
    bool activate = false;   // and made the active window
    // A placement that keeps the window minimised or hidden: made as it was asked.
    bool asIs = false;
    WINDOWPLACEMENT record{};
    // What the window system answered for the window during the event, asked once: every add
    // re-applies the layout and reads each window again, and under Wine each read is several calls
    // to the server.
    bool placementRead = false;
    WINDOWPLACEMENT placement{};
    bool noRegion = false;
  };
  class ScreenDoor final : public ForwardingPlatform {
   public:
    ScreenDoor(Platform& screen, PendingPlacements& pending) : ForwardingPlatform(screen), pending_(pending) {}
    BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) override {
      return pending_.recordPlacement(Door::Screen, hwnd, placement);
    }
    BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) override {
      return pending_.recordPos(Door::Screen, hwnd, insertAfter, x, y, cx, cy, flags);
    }
    BOOL GetWindowRect(HWND hwnd, RECT* rect) override { return pending_.readRect(Door::Screen, hwnd, rect); }
    BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) override {
      return pending_.readPlacement(Door::Screen, hwnd, placement);
    }
    BOOL IsIconic(HWND hwnd) override { return pending_.readIconic(Door::Screen, hwnd); }
    LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) override { return pending_.readLong(Door::Screen, hwnd, index); }

   private:
    PendingPlacements& pending_;
  };

  Platform& below(Door door) { return door == Door::Screen ? screen_ : desktop_; }
  Target& targetOf(Door door, HWND hwnd);
  // The window's target when it was asked through that door.
  Target* heldFor(Door door, HWND hwnd);
  BOOL recordPlacement(Door door, HWND hwnd, const WINDOWPLACEMENT* placement);
  BOOL recordPos(Door door, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL readRect(Door door, HWND hwnd, RECT* rect);
  BOOL readPlacement(Door door, HWND hwnd, WINDOWPLACEMENT* placement);
  BOOL readIconic(Door door, HWND hwnd);
  LONG_PTR readLong(Door door, HWND hwnd, int index);
  // The moves of a target in the maximised state, or none when it stands so already.
  void maximize(HWND hwnd, const Target& t, std::vector<WindowMove>& moves, std::vector<RECT>& asked,
                PlacementOutcome& outcome);
  // Where a window asked to go last time ended up instead, so that it is not asked again and again.
  struct Refusal {
    RECT asked{};
    RECT took{};
  };

  Platform& screen_;
  ScreenDoor screenDoor_;
  std::unordered_map<HWND, Target> targets_;
  std::vector<HWND> order_;
  std::unordered_map<HWND, Refusal> refusals_;
  std::unordered_map<HWND, RECT> waiting_;  // where a window that did not answer in time was asked to go
};

}  // namespace tessellor
