#include "platform/PendingPlacements.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessellor {

namespace {

// Moving a window that stays where it is in the z-order and keeps the focus where the user has it.
// Not SWP_NOSENDCHANGING: programs keep their minimum size in WM_WINDOWPOSCHANGING.
constexpr UINT kMoveFlags = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOCOPYBITS;

int length(LONG from, LONG to) {
  const std::int64_t d = std::int64_t{to} - from;
  return static_cast<int>(
      std::clamp<std::int64_t>(d, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

LONG plus(int from, int by) {
  return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{from} + by, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

WindowMove moveTo(HWND hwnd, HWND insertAfter, const RECT& r, UINT flags, bool screen) {
  WindowMove move;
  move.call = WindowMove::Call::SetWindowPos;
  move.hwnd = hwnd;
  move.screen = screen;
  move.insertAfter = insertAfter;
  move.x = r.left;
  move.y = r.top;
  move.cx = length(r.left, r.right);
  move.cy = length(r.top, r.bottom);
  move.flags = flags;
  return move;
}

}  // namespace

PendingPlacements::PendingPlacements(Platform& desktop, Platform* screen)
    : ForwardingPlatform(desktop), screen_(screen != nullptr ? *screen : desktop), screenDoor_(screen_, *this) {}

PendingPlacements::Target& PendingPlacements::targetOf(Door door, HWND hwnd) {
  // The window goes where its latest placement puts it, and so does its turn.
  std::erase(order_, hwnd);
  order_.push_back(hwnd);
  Target& t = targets_[hwnd];
  if (t.door != door) t = Target{door};  // a target of the other door is in other coordinates
  return t;
}

PendingPlacements::Target* PendingPlacements::heldFor(Door door, HWND hwnd) {
  const auto t = targets_.find(hwnd);
  return t == targets_.end() || t->second.door != door ? nullptr : &t->second;
}

BOOL PendingPlacements::SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  return recordPlacement(Door::View, hwnd, placement);
}

BOOL PendingPlacements::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return recordPos(Door::View, hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL PendingPlacements::GetWindowRect(HWND hwnd, RECT* rect) { return readRect(Door::View, hwnd, rect); }

BOOL PendingPlacements::GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  return readPlacement(Door::View, hwnd, placement);
}

BOOL PendingPlacements::IsIconic(HWND hwnd) { return readIconic(Door::View, hwnd); }

LONG_PTR PendingPlacements::GetWindowLongPtrA(HWND hwnd, int index) { return readLong(Door::View, hwnd, index); }

BOOL PendingPlacements::recordPlacement(Door door, HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (placement == nullptr) return FALSE;
  Target& t = targetOf(door, hwnd);
  t.rect = placement->rcNormalPosition;
  t.moves = true;
  const auto show = static_cast<int>(placement->showCmd);
  t.maximized = show == SW_MAXIMIZE;
  t.normal = show == SW_SHOWNORMAL;
  t.asIs = !t.maximized && !t.normal;
  t.record = *placement;
  return TRUE;
}

BOOL PendingPlacements::recordPos(Door door, HWND hwnd, HWND /*insertAfter*/, int x, int y, int cx, int cy,
                                  UINT flags) {
  const bool move = (flags & SWP_NOMOVE) == 0;
  const bool size = (flags & SWP_NOSIZE) == 0;
  RECT now{};
  readRect(door, hwnd, &now);
  Target& t = targetOf(door, hwnd);
  // A bare raise keeps what the window was asked for before, and so does a move to that same
  // rectangle: measured again, or given as a width and a height, one longer than the int range
  // would come back cut short.
  const bool echoes = t.moves && move && size && x == t.rect.left && y == t.rect.top &&
                      cx == length(t.rect.left, t.rect.right) && cy == length(t.rect.top, t.rect.bottom);
  if ((move || size || !t.moves) && !echoes) {
    const LONG left = move ? x : now.left;
    const LONG top = move ? y : now.top;
    t.rect = RECT{left, top, size ? plus(left, cx) : plus(left, length(now.left, now.right)),
                  size ? plus(top, cy) : plus(top, length(now.top, now.bottom))};
  }
  t.moves = t.moves || move || size;
  t.raise = t.raise || (flags & SWP_NOZORDER) == 0;
  t.activate = t.activate || (flags & SWP_NOACTIVATE) == 0;
  return TRUE;
}

BOOL PendingPlacements::readRect(Door door, HWND hwnd, RECT* rect) {
  const Target* t = heldFor(door, hwnd);
  if (t == nullptr || rect == nullptr) return below(door).GetWindowRect(hwnd, rect);
  *rect = t->rect;
  return TRUE;
}

BOOL PendingPlacements::readPlacement(Door door, HWND hwnd, WINDOWPLACEMENT* placement) {
  Target* target = heldFor(door, hwnd);
  if (target == nullptr || !(target->normal || target->maximized)) {
    return below(door).GetWindowPlacement(hwnd, placement);
  }
  if (placement == nullptr) return FALSE;
  if (!target->placementRead) {
    target->placement.length = sizeof target->placement;
    if (!below(door).GetWindowPlacement(hwnd, &target->placement)) return FALSE;
    target->placementRead = true;
  }
  *placement = target->placement;
  placement->rcNormalPosition = target->rect;
  placement->showCmd = target->maximized ? SW_MAXIMIZE : SW_SHOWNORMAL;
  return TRUE;
}

BOOL PendingPlacements::readIconic(Door door, HWND hwnd) {
  const Target* t = heldFor(door, hwnd);
  if (t != nullptr && (t->normal || t->maximized)) return FALSE;
  return below(door).IsIconic(hwnd);
}

LONG_PTR PendingPlacements::readLong(Door door, HWND hwnd, int index) {
  const LONG_PTR value = below(door).GetWindowLongPtrA(hwnd, index);
  const Target* t = heldFor(door, hwnd);
  if (index != GWL_STYLE || t == nullptr || !(t->normal || t->maximized)) return value;
  const LONG_PTR normal = value & ~static_cast<LONG_PTR>(WS_MINIMIZE | WS_MAXIMIZE);
  return t->maximized ? normal | WS_MAXIMIZE : normal;
}

int PendingPlacements::GetWindowRgn(HWND hwnd, HRGN region) {
  Target* t = heldFor(Door::View, hwnd);
  if (t == nullptr) return desktop_.GetWindowRgn(hwnd, region);
  if (t->noRegion) return ERROR;
  const int kind = desktop_.GetWindowRgn(hwnd, region);
  t->noRegion = kind == ERROR;
  return kind;
}

// Maximised with its normal rectangle unless it is so already; raised and activated where it stands.
void PendingPlacements::maximize(HWND hwnd, const Target& t, std::vector<WindowMove>& moves, std::vector<RECT>& asked,
                                 PlacementOutcome& outcome) {
  Platform& system = below(t.door);
  WINDOWPLACEMENT now{};
  now.length = sizeof now;
  system.GetWindowPlacement(hwnd, &now);
  const bool maximizedNow = !system.IsIconic(hwnd) && (system.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0;
  // A window its program hid is neither raised nor activated: that call would do nothing.
  const bool ordered = (t.raise || t.activate) && system.IsWindowVisible(hwnd);
  if (maximizedNow && now.rcNormalPosition == t.rect && !ordered) {
    outcome.standing.push_back(hwnd);
    return;
  }
  if (!maximizedNow || now.rcNormalPosition != t.rect) {
    WindowMove restore;
    restore.call = WindowMove::Call::SetWindowPlacement;
    restore.hwnd = hwnd;
    restore.placement = now;
    restore.placement.rcNormalPosition = t.rect;
    restore.placement.showCmd = SW_MAXIMIZE;
    restore.screen = t.door == Door::Screen;
    moves.push_back(restore);
    asked.push_back(t.rect);
  }
  if (ordered) {
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (t.raise ? 0 : SWP_NOZORDER) | (t.activate ? 0 : SWP_NOACTIVATE);
    moves.push_back(moveTo(hwnd, HWND_TOP, RECT{0, 0, 0, 0}, flags, t.door == Door::Screen));
    asked.push_back(t.rect);
  }
}

void PendingPlacements::cancel(HWND hwnd) {
  targets_.erase(hwnd);
  std::erase(order_, hwnd);
}

void PendingPlacements::cancelViewTargets() {
  std::erase_if(order_, [this](HWND hwnd) { return heldFor(Door::View, hwnd) != nullptr; });
  std::erase_if(targets_, [](const auto& entry) { return entry.second.door == Door::View; });
}

PlacementOutcome PendingPlacements::flush() {
  std::vector<WindowMove> moves;
  std::vector<RECT> asked;      // by move
  std::vector<HWND> maximized;  // and others that stand elsewhere than their normal rectangle
  PlacementOutcome outcome;
  for (HWND hwnd : order_) {
    const Target& t = targets_[hwnd];
    Platform& system = below(t.door);
    const bool screen = t.door == Door::Screen;
    if (!system.IsWindow(hwnd)) {
      // Gone before its turn: nothing can be placed, and nothing is asked of the window system.
      outcome.refused.push_back(hwnd);
      continue;
    }
    const bool normal = !system.IsIconic(hwnd) && (system.GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZE) == 0;
    RECT now{};
    system.GetWindowRect(hwnd, &now);
    const bool ordered = t.raise || t.activate;
    if (t.asIs) {
      WindowMove kept;
      kept.call = WindowMove::Call::SetWindowPlacement;
      kept.hwnd = hwnd;
      kept.screen = screen;
      kept.placement = t.record;
      moves.push_back(kept);
      asked.push_back(t.rect);
      maximized.push_back(hwnd);  // minimised or hidden: nothing to read back
      continue;
    }
    if (!t.moves) {
      // Only raised or activated: where it stands is not this batch's to say, and another batch of
      // the event may just have placed it.
      const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (t.raise ? 0 : SWP_NOZORDER) | (t.activate ? 0 : SWP_NOACTIVATE);
      moves.push_back(moveTo(hwnd, HWND_TOP, RECT{0, 0, 0, 0}, flags, screen));
      asked.push_back(now);
      maximized.push_back(hwnd);  // nothing asked of its rectangle to read back
      continue;
    }
    if (t.maximized) {
      maximize(hwnd, t, moves, asked, outcome);
      maximized.push_back(hwnd);
      continue;
    }
    // A hidden window is moved without being shown: no show command brings it back to normal.
    // A rectangle longer than the int range can only be given as a placement: SetWindowPos takes a
    // width and a height, and would cut it short.
    const bool beyondInts = t.normal && (std::int64_t{t.rect.right} - t.rect.left > std::numeric_limits<int>::max() ||
                                         std::int64_t{t.rect.bottom} - t.rect.top > std::numeric_limits<int>::max());
    const bool restore = t.normal && (!normal || beyondInts) && system.IsWindowVisible(hwnd);
    if (!ordered && !restore) {
      const auto refusal = refusals_.find(hwnd);
      // Asked again for the place it would not take, it would only refuse again.
      const bool refusesAgain =
          refusal != refusals_.end() && refusal->second.asked == t.rect && refusal->second.took == now;
      const auto waiting = waiting_.find(hwnd);
      const bool onItsWay = waiting != waiting_.end() && system.placementPending(hwnd);
      if (onItsWay && waiting->second == t.rect) {
        // Still on its way to the same place: asked again, it would only take it twice.
        outcome.late.push_back(hwnd);
        continue;
      }
      // A window on its way elsewhere is asked anew even where it stands: it would go on.
      if (!onItsWay && (now == t.rect || refusesAgain)) {
        outcome.standing.push_back(hwnd);
        continue;
      }
    }
    if (restore) {
      WindowMove toNormal;
      toNormal.call = WindowMove::Call::SetWindowPlacement;
      toNormal.hwnd = hwnd;
      toNormal.screen = screen;
      toNormal.placement.length = sizeof toNormal.placement;
      system.GetWindowPlacement(hwnd, &toNormal.placement);
      toNormal.placement.rcNormalPosition = t.rect;
      toNormal.placement.showCmd = SW_SHOWNOACTIVATE;
      moves.push_back(toNormal);
      asked.push_back(t.rect);
    }
    if (ordered) {
      const UINT flags = (t.raise ? 0 : SWP_NOZORDER) | (t.activate ? 0 : SWP_NOACTIVATE) |
                         (restore && beyondInts ? SWP_NOMOVE | SWP_NOSIZE : 0);
      moves.push_back(moveTo(hwnd, HWND_TOP, t.rect, flags, screen));
      asked.push_back(t.rect);
    } else if (!restore) {
      moves.push_back(moveTo(hwnd, nullptr, t.rect, kMoveFlags, screen));
      asked.push_back(t.rect);
    }
  }
  targets_.clear();
  order_.clear();
  if (!moves.empty()) desktop_.placeWindows(moves);

  for (const WindowMove& move : moves) {
    if (move.activates() && move.result != FALSE) outcome.activated = move.hwnd;
  }
  for (std::size_t i = 0; i < moves.size(); ++i) {
    const WindowMove& move = moves[i];
    // A window's second move (the raise after its restore) tells what the first one did not.
    const bool lastOfWindow = i + 1 == moves.size() || moves[i + 1].hwnd != move.hwnd;
    if (!lastOfWindow) continue;
    if (move.answered) waiting_.erase(move.hwnd);
    if (move.result == FALSE) {
      outcome.refused.push_back(move.hwnd);
      if (move.error == ERROR_ACCESS_DENIED) outcome.denied.push_back(move.hwnd);
    } else if (!move.answered) {
      outcome.late.push_back(move.hwnd);
      waiting_[move.hwnd] = asked[i];
    } else if (std::find(maximized.begin(), maximized.end(), move.hwnd) != maximized.end()) {
      outcome.placed.push_back(move.hwnd);  // it stands on its monitor's work area, not at its normal rectangle
    } else {
      outcome.placed.push_back(move.hwnd);
      RECT took{};
      (move.screen ? screen_ : desktop_).GetWindowRect(move.hwnd, &took);
      if (took == asked[i]) {
        refusals_.erase(move.hwnd);
      } else {
        refusals_[move.hwnd] = Refusal{asked[i], took};
      }
    }
  }
  return outcome;
}

}  // namespace tessellor
