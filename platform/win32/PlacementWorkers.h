// Threads that make placement calls for the user-interface thread, so that the placements of an
// event take about as long as the slowest program, and the user-interface thread waits on no window
// longer than it chooses. Every window's thread with a placement in the batch has a worker at once:
// the pool grows with the event, and the workers beyond those kept warm end once they have been idle
// a while. A worker with nothing to do sleeps. The windows of one thread, which handles them one
// after another anyway, are placed one at a time, each call given its own time from the moment the
// thread is free for it. A call that is still waiting when the caller stops waiting goes on in the
// background, and the window takes its place once it answers. The workers touch nothing but their
// jobs, which are shared behind one lock.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "platform/WindowMove.h"

namespace tessellor::win32 {

struct WorkerState;

class PlacementWorkers {
 public:
  // Kept warm: as many windows' threads as a layout of two dozen programs has, each placed at once.
  static constexpr std::size_t kWarmWorkers = 32;
  // A bound against a runaway, far above any desktop's windows: beyond it windows wait their turn.
  static constexpr std::size_t kMostWorkers = 256;
  // How long a worker beyond the warm ones waits for another job before it ends.
  static constexpr unsigned long kIdleMs = 30000;

  // Starts no thread: warmUp() starts the warm ones, and a batch starts what it needs.
  explicit PlacementWorkers(std::size_t warm = kWarmWorkers, unsigned long idleMs = kIdleMs);
  // Stops the workers, waiting a moment for the idle ones to end; a worker still waiting on a window
  // is left to finish its call, and what it uses lives until then.
  ~PlacementWorkers();
  PlacementWorkers(const PlacementWorkers&) = delete;
  PlacementWorkers& operator=(const PlacementWorkers&) = delete;

  // Starts the warm workers on a thread of their own, once; the caller goes on at once. Under Wine a
  // thread takes milliseconds to start (every library hears of it): started before the first event,
  // they do not hold up its placements.
  void warmUp();

  // How many workers there are now, the ones still starting included.
  std::size_t workerCount() const;

  // Whether a call handed out earlier still waits on this window, or on another window of its
  // thread (which then handles nothing else).
  bool inFlight(HWND hwnd) const;
  // The same, the window's thread known, leaving out the jobs of one batch (0: none).
  bool inFlight(HWND hwnd, unsigned long thread, unsigned batch) const;

  // Makes the moves' calls at the same time and fills in their results. A window of the calling
  // thread is placed here and now; one that is hung, or in flight, by a posted call at once. The
  // others go to the workers, started as needed so that every window's thread has one, and each
  // call is waited for `ms` milliseconds from its turn: from now, or for a window whose thread has
  // an earlier move here, from that move's answer. A call still waiting then is left to its worker
  // (answered false, result TRUE); a thread that kept a call waiting, or whose turn never came, gets
  // the rest of its moves as posted calls.
  void place(std::span<WindowMove* const> moves, unsigned long ms);

 private:
  std::shared_ptr<WorkerState> state_;
  bool warmedUp_ = false;
  unsigned batches_ = 0;
};

}  // namespace tessellor::win32
