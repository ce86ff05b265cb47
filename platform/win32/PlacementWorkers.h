// A few threads that make placement calls for the user-interface thread, so that the placements of
// an event take about as long as the slowest program, and the user-interface thread waits on no
// window longer than it chooses. Windows of different threads are placed at the same time; the
// windows of one thread, which handles them one after another anyway, one at a time, each call
// given its own time from the moment the thread is free for it. A call that is still waiting when
// the caller stops waiting goes on in the background, and the window takes its place once it
// answers. The workers touch nothing but their jobs, which are shared behind one lock.
#pragma once

#include <span>
#include <vector>

#include "platform/WindowMove.h"

namespace tessellor::win32 {

struct WorkerState;

class PlacementWorkers {
 public:
  // Makes a move's call and waits for the window; called on a worker.
  using Call = void (*)(WindowMove& move);

  // What became of a move handed out.
  enum class Outcome {
    Answered,  // its call returned in time; the move holds its result
    Waiting,   // its call still waits on the window (answered false, result TRUE)
    NotTaken,  // its turn did not come in time; the move is as it was given
  };

  // Starts no thread yet: workers are started as batches need them, up to a few.
  explicit PlacementWorkers(Call call);
  // Stops the workers, waiting a moment for them; a worker still waiting on a window is left to
  // the end of the process, and what the workers share is then kept until the end too.
  ~PlacementWorkers();
  PlacementWorkers(const PlacementWorkers&) = delete;
  PlacementWorkers& operator=(const PlacementWorkers&) = delete;

  // Whether a call handed out earlier still waits on this window, or on another window of its
  // thread (which then handles nothing else).
  bool inFlight(HWND hwnd) const;

  // Hands the moves out at once and returns when every call has returned, or has waited `ms`
  // milliseconds from its turn: from the hand-out, or for a window whose thread has an earlier
  // move of the batch, from that move's answer. A thread that lets a call wait that long gets no
  // further call of the batch. outcomes[i] tells what became of *moves[i].
  void run(std::span<WindowMove* const> moves, std::span<Outcome> outcomes, unsigned long ms);

 private:
  WorkerState* state_;
  std::vector<void*> threads_;  // the workers' handles
};

}  // namespace tessellor::win32
