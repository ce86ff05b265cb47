// The placements of one event, made at the same time on the placement workers, so that the event
// costs about as much as its slowest program, and no window that does not answer holds it longer
// than kAnswerWithinMs.
#include <algorithm>
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

void waitForWindow(WindowMove& move) { makeMove(move, Delivery::Wait); }

}  // namespace

Win32Platform::~Win32Platform() = default;

Delivery Win32Platform::deliveryFor(HWND hwnd) const {
  // Posted behind a call that still waits on the window, a later placement is also taken later.
  return isHung(hwnd) || (workers_ != nullptr && workers_->inFlight(hwnd)) ? Delivery::Post : Delivery::Wait;
}

void Win32Platform::placeWindows(std::span<WindowMove> moves) {
  // The first move of each window goes out with the others at once, unless it raises or activates;
  // the rest follow one at a time, in order, so that the z-order comes out as asked and a window
  // takes its own moves in the order given.
  std::vector<WindowMove*> together;
  std::vector<WindowMove*> inOrder;
  for (WindowMove& move : moves) {
    const bool again =
        std::any_of(moves.data(), &move, [&](const WindowMove& earlier) { return earlier.hwnd == move.hwnd; });
    (move.ordered() || again ? inOrder : together).push_back(&move);
  }
  placeTogether(together);
  for (WindowMove* move : inOrder) placeTogether({&move, 1});
}

void Win32Platform::placeTogether(std::span<WindowMove* const> moves) {
  std::vector<WindowMove*> handedOut;
  for (WindowMove* move : moves) {
    if (isOwnWindow(move->hwnd)) {
      // A worker's call would wait for this very thread, which would be waiting for the worker.
      makeMove(*move, Delivery::Wait);
    } else if (deliveryFor(move->hwnd) == Delivery::Post) {
      makeMove(*move, Delivery::Post);
    } else {
      handedOut.push_back(move);
    }
  }
  if (handedOut.empty()) return;
  if (workers_ == nullptr) workers_ = std::make_unique<PlacementWorkers>(waitForWindow);
  std::vector<PlacementWorkers::Outcome> outcomes(handedOut.size());
  workers_->run(handedOut, outcomes, kAnswerWithinMs);
  for (std::size_t i = 0; i < handedOut.size(); ++i) {
    if (outcomes[i] == PlacementWorkers::Outcome::NotTaken) makeMove(*handedOut[i], Delivery::Post);
  }
}

}  // namespace tessellor::win32
