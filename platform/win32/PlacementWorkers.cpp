#include "platform/win32/PlacementWorkers.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/win32/PlacementCalls.h"

#include <windows.h>

namespace tessellor::win32 {

namespace {

// How long the end of the process waits for the workers to end.
constexpr ::DWORD kStopWithinMs = 200;

class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace

struct Job {
  WindowMove move;
  WindowMove* given = nullptr;  // the caller's move, while the batch waits
  unsigned batch = 0;
  ::DWORD thread = 0;  // the window's thread (0: no window): its jobs run one at a time, in order
  ULONGLONG startedAt = 0;
  ULONGLONG doneAt = 0;
  bool started = false;
  bool done = false;
  bool expired = false;    // started, and waited for as long as the batch waits
  bool withdrawn = false;  // its turn did not come in time: no worker starts it
  bool abandoned = false;  // the batch has stopped waiting: the worker drops the job when done
  Job* next = nullptr;

  bool sameThread(const Job& other) const { return thread != 0 && thread == other.thread; }
};

// Read and written with `lock` held only, but for the results of a job's move, which its worker
// writes between `started` and `done`. Kept alive by the workers as by the pool, so that one still
// waiting on a window when the pool ends finishes its call without harm.
struct WorkerState {
  WorkerState(std::size_t warmWorkers, unsigned long idleWait) : warm(warmWorkers), idleMs(idleWait) {}
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE queued = CONDITION_VARIABLE_INIT;    // a job waits, or the workers are to stop
  CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;  // a call has returned
  CONDITION_VARIABLE ended = CONDITION_VARIABLE_INIT;     // a worker has ended
  Job* first = nullptr;      // the jobs, in the order handed out: waiting, running, or done
  std::size_t live = 0;      // workers started and not ended, the ones still starting included
  std::size_t starting = 0;  // of them, the ones that have not taken the lock yet
  std::size_t idle = 0;      // workers waiting for a job
  std::size_t running = 0;   // workers making a call
  const std::size_t warm;
  const unsigned long idleMs;
  bool stopping = false;

  WorkerState(const WorkerState&) = delete;
  WorkerState& operator=(const WorkerState&) = delete;
  ~WorkerState() {
    while (first != nullptr) drop(first);
  }

  void append(Job* job) {
    Job** end = &first;
    while (*end != nullptr) end = &(*end)->next;
    *end = job;
  }

  void drop(Job* job) {
    for (Job** at = &first; *at != nullptr; at = &(*at)->next) {
      if (*at == job) {
        *at = job->next;
        delete job;
        return;
      }
    }
  }

  bool threadFree(const Job& job) const {
    for (const Job* other = first; other != nullptr; other = other->next) {
      if (other->started && !other->done && other->sameThread(job)) return false;
    }
    return true;
  }

  // The first job waiting whose window's thread is not handling a call of ours already.
  Job* nextToStart() const {
    for (Job* job = first; job != nullptr; job = job->next) {
      if (!job->started && !job->withdrawn && threadFree(*job)) return job;
    }
    return nullptr;
  }

  // How many workers the jobs waiting could keep busy now: one for each window's thread among them
  // that is not handling a call of ours already.
  std::size_t startableThreads() const {
    std::size_t count = 0;
    for (const Job* job = first; job != nullptr; job = job->next) {
      if (job->started || job->withdrawn || !threadFree(*job)) continue;
      bool counted = false;
      for (const Job* earlier = first; earlier != job && !counted; earlier = earlier->next) {
        counted = !earlier->started && !earlier->withdrawn && earlier->sameThread(*job);
      }
      if (!counted) ++count;
    }
    return count;
  }

  // Counts a worker about to be started; false when there are as many as there may be.
  bool reserveWorker() {
    if (stopping || live >= PlacementWorkers::kMostWorkers) return false;
    ++live;
    ++starting;
    return true;
  }

  void workerEnded() {
    --live;
    ::WakeAllConditionVariable(&ended);
  }

  // Where a batch stands `now`: expires the calls and withdraws the jobs whose turn has passed, and
  // tells whether any call is still worth waiting for, and until when.
  bool review(unsigned batch, ULONGLONG handedOut, ULONGLONG now, unsigned long ms, ULONGLONG& wake) {
    bool pending = false;
    wake = ~0ULL;
    for (Job* job = first; job != nullptr; job = job->next) {
      if (job->batch != batch || job->done || job->withdrawn || job->expired) continue;
      ULONGLONG freeSince = handedOut;  // when the thread last answered a call of the batch
      bool behind = false;              // an earlier job of the thread is still pending
      bool givenUp = false;             // the thread kept a call waiting, or never had its turn
      for (const Job* earlier = first; earlier != job; earlier = earlier->next) {
        if (earlier->batch != batch || !earlier->sameThread(*job)) continue;
        if (earlier->done) {
          freeSince = std::max(freeSince, earlier->doneAt);
        } else if (earlier->withdrawn || earlier->expired) {
          givenUp = true;
        } else {
          behind = true;
        }
      }
      if (givenUp) {
        job->withdrawn = true;
      } else if (!behind) {
        const ULONGLONG since = job->started ? job->startedAt : freeSince;
        if (now - since < ms) {
          pending = true;
          wake = std::min(wake, since + ms);
        } else {
          (job->started ? job->expired : job->withdrawn) = true;
        }
      }
    }
    return pending;
  }
};

namespace {

using SharedState = std::shared_ptr<WorkerState>;

::DWORD WINAPI serve(void* parameter) {
  // Released after the lock below: the last one out frees what the workers share.
  const SharedState keep = std::move(*static_cast<SharedState*>(parameter));
  delete static_cast<SharedState*>(parameter);
  WorkerState& state = *keep;
  Locked locked(state.lock);
  --state.starting;
  for (;;) {
    Job* job = nullptr;
    while ((job = state.nextToStart()) == nullptr && !state.stopping) {
      // One of the workers beyond the warm ones ends once nothing came for a while: the pool shrinks
      // back after an event that needed many.
      const bool extra = state.live > state.warm;
      ++state.idle;
      const BOOL woken = ::SleepConditionVariableSRW(&state.queued, &state.lock, extra ? state.idleMs : INFINITE, 0);
      --state.idle;
      if (!woken && state.live > state.warm && state.nextToStart() == nullptr) {
        state.workerEnded();
        return 0;
      }
    }
    if (state.stopping) {
      state.workerEnded();
      return 0;
    }
    job->started = true;
    job->startedAt = ::GetTickCount64();
    ++state.running;
    // The call, which may wait on its window for as long as that takes, is made without the lock.
    ::ReleaseSRWLockExclusive(&state.lock);
    try {
      makeMove(job->move, Delivery::Wait);
    } catch (...) {
      // Nothing thrown may end a worker, or the process with it.
      job->move.result = FALSE;
      job->move.error = ERROR_INTERNAL_ERROR;
    }
    ::AcquireSRWLockExclusive(&state.lock);
    --state.running;
    job->done = true;
    job->doneAt = ::GetTickCount64();
    if (job->abandoned) state.drop(job);
    ::WakeAllConditionVariable(&state.finished);
  }
}

// Starts a worker counted by reserveWorker(), without the lock; false (and uncounted) when none
// could be started.
bool startReserved(const SharedState& state) {
  auto* parameter = new (std::nothrow) SharedState(state);
  ::HANDLE thread = parameter == nullptr ? nullptr : ::CreateThread(nullptr, 0, serve, parameter, 0, nullptr);
  if (thread != nullptr) {
    // The worker is never waited for by its handle: it tells the pool itself when it ends.
    ::CloseHandle(thread);
    return true;
  }
  delete parameter;
  Locked locked(state->lock);
  --state->starting;
  state->workerEnded();
  return false;
}

::DWORD WINAPI startWarm(void* parameter) {
  const SharedState state = std::move(*static_cast<SharedState*>(parameter));
  delete static_cast<SharedState*>(parameter);
  for (;;) {
    {
      Locked locked(state->lock);
      if (state->live >= state->warm || !state->reserveWorker()) return 0;
    }
    if (!startReserved(state)) return 0;
  }
}

}  // namespace

PlacementWorkers::PlacementWorkers(std::size_t warm, unsigned long idleMs)
    : state_(std::make_shared<WorkerState>(warm, idleMs)) {}

void PlacementWorkers::warmUp() {
  if (warmedUp_) return;
  warmedUp_ = true;
  auto* parameter = new (std::nothrow) SharedState(state_);
  ::HANDLE starter = parameter == nullptr ? nullptr : ::CreateThread(nullptr, 0, startWarm, parameter, 0, nullptr);
  if (starter == nullptr) {
    delete parameter;
    return;
  }
  ::CloseHandle(starter);
}

std::size_t PlacementWorkers::workerCount() const {
  Locked locked(state_->lock);
  return state_->live;
}

PlacementWorkers::~PlacementWorkers() {
  Locked locked(state_->lock);
  state_->stopping = true;
  ::WakeAllConditionVariable(&state_->queued);
  // The idle workers end at once; the ones making a call end when it returns, which is not waited for.
  const ULONGLONG deadline = ::GetTickCount64() + kStopWithinMs;
  for (ULONGLONG now = ::GetTickCount64(); state_->live > state_->running && now < deadline; now = ::GetTickCount64()) {
    ::SleepConditionVariableSRW(&state_->ended, &state_->lock, static_cast<::DWORD>(deadline - now), 0);
  }
}

bool PlacementWorkers::inFlight(HWND hwnd) const {
  return inFlight(hwnd, ::GetWindowThreadProcessId(reinterpret_cast<::HWND>(hwnd), nullptr), 0);
}

bool PlacementWorkers::inFlight(HWND hwnd, unsigned long thread, unsigned batch) const {
  Job probe;
  probe.thread = thread;
  Locked locked(state_->lock);
  for (const Job* job = state_->first; job != nullptr; job = job->next) {
    if (job->batch == batch || job->done || job->withdrawn) continue;
    if (job->move.hwnd == hwnd || job->sameThread(probe)) return true;
  }
  return false;
}

void PlacementWorkers::place(std::span<WindowMove* const> moves, unsigned long ms) {
  const unsigned batch = ++batches_;
  // Every window asked about first, and then all handed out together: handed out one by one, each
  // worker woken would take a core from the asking, and the last window would start late.
  std::vector<Job*> jobs;
  jobs.reserve(moves.size());
  for (WindowMove* move : moves) {
    // Asked once a move: under Wine each question about another process's window goes to the server.
    const ::HWND h = reinterpret_cast<::HWND>(move->hwnd);
    const ::DWORD thread = ::GetWindowThreadProcessId(h, nullptr);
    if (thread == ::GetCurrentThreadId()) {
      // A worker's call would wait for this very thread, which would be waiting for the worker.
      makeMove(*move, Delivery::Wait);
      continue;
    }
    // Posted behind a call that still waits on the window's thread, a placement is taken after it.
    const bool hung = thread != 0 && ::IsHungAppWindow(h);
    Job* job = hung || inFlight(move->hwnd, thread, batch) ? nullptr : new (std::nothrow) Job;
    if (job == nullptr) {
      makeMove(*move, Delivery::Post);
      continue;
    }
    job->move = *move;
    job->given = move;
    job->batch = batch;
    job->thread = thread;
    jobs.push_back(job);
  }
  const bool anyHanded = !jobs.empty();
  ULONGLONG handedOut = 0;
  std::size_t toStart = 0;
  if (anyHanded) {
    Locked locked(state_->lock);
    handedOut = ::GetTickCount64();
    for (Job* job : jobs) state_->append(job);
    // A worker for every window's thread that has a call to make now, none waiting for another.
    const std::size_t startable = state_->startableThreads();
    while (startable > state_->idle + state_->starting && state_->reserveWorker()) ++toStart;
    // One worker a job: waking every idle one would only send the others back to sleep, a storm of
    // threads on a machine of two cores. A job whose thread is busy is taken by the worker that
    // serves it, once its call returns.
    for (std::size_t i = 0; i < jobs.size(); ++i) ::WakeConditionVariable(&state_->queued);
  }
  // Started without the lock, which the idle workers need to take their jobs meanwhile.
  for (; toStart > 0; --toStart) startReserved(state_);
  if (!anyHanded) return;

  Locked locked(state_->lock);
  // Without a single worker nothing would start: the moves are posted at once.
  ULONGLONG wake = 0;
  for (ULONGLONG now = ::GetTickCount64(); state_->live > 0 && state_->review(batch, handedOut, now, ms, wake);
       now = ::GetTickCount64()) {
    ::SleepConditionVariableSRW(&state_->finished, &state_->lock, static_cast<::DWORD>(wake - now), 0);
  }

  for (Job* job = state_->first; job != nullptr;) {
    Job* next = job->next;
    if (job->batch == batch) {
      WindowMove& move = *job->given;
      if (job->done) {
        move.result = job->move.result;
        move.error = job->move.error;
        move.answered = job->move.answered;
        state_->drop(job);
      } else if (job->started) {
        move.result = TRUE;
        move.error = 0;
        move.answered = false;
        job->abandoned = true;
      } else {
        // Posting waits on no one, so it may as well be done under the lock.
        makeMove(move, Delivery::Post);
        state_->drop(job);
      }
    }
    job = next;
  }
}

}  // namespace tessellor::win32
