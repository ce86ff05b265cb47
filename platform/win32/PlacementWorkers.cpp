#include "platform/win32/PlacementWorkers.h"

#include <algorithm>
#include <new>
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
// writes between `started` and `done`.
struct WorkerState {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE queued = CONDITION_VARIABLE_INIT;    // a job waits, or the workers are to stop
  CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;  // a call has returned
  Job* first = nullptr;  // the jobs, in the order handed out: waiting, running, or done
  std::size_t idle = 0;  // workers waiting for a job
  bool stopping = false;

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

  // The first job waiting whose window's thread is not handling a call of ours already.
  Job* nextToStart() const {
    for (Job* job = first; job != nullptr; job = job->next) {
      if (job->started || job->withdrawn) continue;
      bool threadFree = true;
      for (const Job* other = first; other != nullptr; other = other->next) {
        if (other->started && !other->done && other->sameThread(*job)) threadFree = false;
      }
      if (threadFree) return job;
    }
    return nullptr;
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

::DWORD WINAPI serve(void* parameter) {
  WorkerState& state = *static_cast<WorkerState*>(parameter);
  Locked locked(state.lock);
  for (;;) {
    Job* job = nullptr;
    while ((job = state.nextToStart()) == nullptr && !state.stopping) {
      ++state.idle;
      ::SleepConditionVariableSRW(&state.queued, &state.lock, INFINITE, 0);
      --state.idle;
    }
    if (state.stopping) return 0;
    job->started = true;
    job->startedAt = ::GetTickCount64();
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
    job->done = true;
    job->doneAt = ::GetTickCount64();
    if (job->abandoned) state.drop(job);
    ::WakeAllConditionVariable(&state.finished);
  }
}

}  // namespace

PlacementWorkers::PlacementWorkers() : state_(new WorkerState) {
  // Under Wine a thread takes milliseconds to start (every DLL hears of it), and a layout's first
  // event would wait for as many as it has programs: they are started now, off the caller's thread.
  starter_ = ::CreateThread(nullptr, 0, startAll, this, 0, nullptr);
}

bool PlacementWorkers::startWorker() {
  if (state_->stopping || threadCount_ >= kMostWorkers) return false;
  void* thread = ::CreateThread(nullptr, 0, serve, state_, 0, nullptr);
  if (thread == nullptr) return false;
  threads_[threadCount_++] = thread;
  return true;
}

::DWORD WINAPI PlacementWorkers::startAll(void* parameter) {
  auto& workers = *static_cast<PlacementWorkers*>(parameter);
  for (;;) {
    Locked locked(workers.state_->lock);
    if (!workers.startWorker()) return 0;
  }
}

PlacementWorkers::~PlacementWorkers() {
  {
    Locked locked(state_->lock);
    state_->stopping = true;
    ::WakeAllConditionVariable(&state_->queued);
  }
  // The starter starts nothing once the workers are stopping, and is done after its current start;
  // it is waited for to the end, since it writes into this object.
  if (starter_ != nullptr) {
    ::WaitForSingleObject(starter_, INFINITE);
    ::CloseHandle(starter_);
  }
  ::DWORD count = 0;
  {
    // Not held while waiting: a worker takes the lock to see that it is to stop.
    Locked locked(state_->lock);
    count = static_cast<::DWORD>(threadCount_);
  }
  const bool ended =
      count == 0 || ::WaitForMultipleObjects(count, threads_, TRUE, kStopWithinMs) < WAIT_OBJECT_0 + count;
  for (std::size_t i = 0; i < count; ++i) ::CloseHandle(threads_[i]);
  if (ended) delete state_;
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
  std::vector<::DWORD> threads;  // the windows' threads with a job of this batch
  std::size_t starting = 0;      // workers started for it that may not be waiting yet
  bool anyHanded = false;
  ULONGLONG handedOut = 0;  // when its first job was handed out
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
    const bool newThread = thread == 0 || std::find(threads.begin(), threads.end(), thread) == threads.end();
    if (newThread) threads.push_back(thread);
    // Handed out at once: the first window is placed while the others are still being asked about.
    Locked locked(state_->lock);
    if (!anyHanded) handedOut = ::GetTickCount64();
    anyHanded = true;
    state_->append(job);
    // A worker for each thread with calls to make, as far as there are workers.
    while (threads.size() > state_->idle + starting && startWorker()) ++starting;
    // One worker a job: waking every idle one would only send the others back to sleep, a storm
    // of threads on a machine of two cores. A job whose thread is busy is taken by the worker that
    // serves it, once its call returns.
    ::WakeConditionVariable(&state_->queued);
  }
  if (!anyHanded) return;

  Locked locked(state_->lock);
  // Without a single worker nothing would start: the moves are posted at once.
  ULONGLONG wake = 0;
  for (ULONGLONG now = ::GetTickCount64(); threadCount_ > 0 && state_->review(batch, handedOut, now, ms, wake);
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
