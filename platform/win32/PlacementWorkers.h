// A few threads that make placement calls for the user-interface thread, so that the placements of
// an event take about as long as the slowest program, and the user-interface thread waits on no
// window longer than it chooses. Windows of different threads are placed at the same time; the
// windows of one thread, which handles them one after another anyway, one at a time, each call
// given its own time from the moment the thread is free for it. A call that is still waiting when
// the caller stops waiting goes on in the background, and the window takes its place once it
// answers. The workers touch nothing but their jobs, which are shared behind one lock.
#pragma once

#include <cstddef>
#include <span>

#include "platform/WindowMove.h"

namespace tessellor::win32 {

struct WorkerState;

class PlacementWorkers {
 public:
  // Starts the workers in the background, so that the first event's placements do not wait for
  // them to start; a batch that comes first starts what it needs itself.
  PlacementWorkers();
  // Stops the workers, waiting a moment for them; a worker still waiting on a window is left to
  // the end of the process, and what the workers share is then kept until the end too.
  ~PlacementWorkers();
  PlacementWorkers(const PlacementWorkers&) = delete;
  PlacementWorkers& operator=(const PlacementWorkers&) = delete;

  // Whether a call handed out earlier still waits on this window, or on another window of its
  // thread (which then handles nothing else).
  bool inFlight(HWND hwnd) const;
  // The same, the window's thread known, leaving out the jobs of one batch (0: none).
  bool inFlight(HWND hwnd, unsigned long thread, unsigned batch) const;

  // Makes the moves' calls at the same time and fills in their results. A window of the calling
  // thread is placed here and now; one that is hung, or in flight, by a posted call at once. The
  // others go to the workers, and each call is waited for `ms` milliseconds from its turn: from
  // now, or for a window whose thread has an earlier move here, from that move's answer. A call
  // still waiting then is left to its worker (answered false, result TRUE); a thread that kept a
  // call waiting, or whose turn never came, gets the rest of its moves as posted calls.
  void place(std::span<WindowMove* const> moves, unsigned long ms);

  // Enough for a dozen programs' windows to be placed in one round, and for a few windows that keep
  // their workers waiting; few enough that the process stays small.
  static constexpr std::size_t kMostWorkers = 16;

 private:
  // Starts one more worker, the lock held; false when there are enough, or none can be started.
  bool startWorker();
  // The starter's thread procedure.
  static unsigned long __stdcall startAll(void* workers);

  WorkerState* state_;
  void* starter_ = nullptr;           // the thread that starts the workers
  void* threads_[kMostWorkers] = {};  // the workers' handles, written with the lock held
  std::size_t threadCount_ = 0;
  unsigned batches_ = 0;
};

}  // namespace tessellor::win32
