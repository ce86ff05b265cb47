// The placements of one event, made at the same time on the placement workers, so that the event
// costs about as much as its slowest program, and no window that does not answer holds it longer
// than kAnswerWithinMs.
#include <vector>

#include "platform/win32/PlacementCalls.h"
#include "platform/win32/PlacementWorkers.h"
#include "platform/win32/Win32Platform.h"

namespace tessellor::win32 {

namespace {

// How long a hotkey, a hook message or a click may wait on a window that does not answer. A
// program's windows are answered one after another by its thread, each in its turn: a thread that
// answers them steadily is waited for, so that the layout reads back where each window went.
constexpr unsigned long kAnswerWithinMs = 100;

}  // namespace

Win32Platform::~Win32Platform() = default;

Delivery Win32Platform::deliveryFor(HWND hwnd) const {
  // Posted behind a call that still waits on the window, a later placement is also taken later.
  return isHung(hwnd) || (workers_ != nullptr && workers_->inFlight(hwnd)) ? Delivery::Post : Delivery::Wait;
}

bool Win32Platform::placementPending(HWND hwnd) {
  return (workers_ != nullptr && workers_->inFlight(hwnd)) || isHung(hwnd);
}

void Win32Platform::placeWindows(std::span<WindowMove> moves) {
  if (workers_ == nullptr) workers_ = std::make_unique<PlacementWorkers>();
  // The first move of each window goes out with the others at once, unless it raises or activates;
  // the rest follow one at a time, in order, so that the z-order comes out as asked and a window
  // takes its own moves in the order given.
  std::vector<WindowMove*> together;
  std::vector<WindowMove*> inOrder;
  for (WindowMove& move : moves) {
    bool again = false;
    for (const WindowMove* earlier = moves.data(); earlier != &move; ++earlier)
      again = again || earlier->hwnd == move.hwnd;
    (move.ordered() || again ? inOrder : together).push_back(&move);
  }
  workers_->place(together, kAnswerWithinMs);
  for (WindowMove* move : inOrder) workers_->place({&move, 1}, kAnswerWithinMs);
}

}  // namespace tessellor::win32
