#include "platform/win32/PlacementWorkers.h"

#include <algorithm>
#include <memory>

#include <windows.h>

namespace tessellor::win32 {

namespace {

// Enough for the windows of an event to be placed in a round or two, and for a few windows that
// keep their workers waiting; few enough that the process stays small.
constexpr std::size_t kMostWorkers = 8;
// How long the end of the process waits for the workers to end.
constexpr ::DWORD kStopWithinMs = 200;

struct Job {
  WindowMove move;
  ::DWORD thread = 0;  // the window's thread (0: no window): its jobs run one at a time, in order
  ULONGLONG startedAt = 0;
  ULONGLONG doneAt = 0;
  bool started = false;
  bool done = false;
  bool withdrawn = false;  // its turn did not come in time: no worker starts it
  bool abandoned = false;  // the batch has stopped waiting: the worker drops the job when done
};

bool sameThread(const Job& a, const Job& b) { return a.thread != 0 && a.thread == b.thread; }

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

struct WorkerState {
  explicit WorkerState(PlacementWorkers::Call c) : call(c) {}
  const PlacementWorkers::Call call;
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE queued = CONDITION_VARIABLE_INIT;    // a job waits, or the workers are to stop
  CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;  // a call has returned
  // Read and written with `lock` held only, but for the results of a job's move, which its worker
  // writes between `started` and `done`.
  std::vector<std::unique_ptr<Job>> jobs;  // in the order handed out: not started, running, or done
  std::size_t idle = 0;                    // workers waiting for a job
  bool stopping = false;

  // The first job waiting whose window's thread is not handling a call of ours already.
  Job* next() {
    for (const auto& job : jobs) {
      if (job->started || job->withdrawn) continue;
      const bool threadFree = std::none_of(jobs.begin(), jobs.end(), [&](const std::unique_ptr<Job>& other) {
        return other->started && !other->done && sameThread(*other, *job);
      });
      if (threadFree) return job.get();
    }
    return nullptr;
  }
  void drop(const Job* job) {
    std::erase_if(jobs, [&](const std::unique_ptr<Job>& held) { return held.get() == job; });
  }
};

namespace {

// Nothing thrown may end a worker, or the process with it.
void makeCall(PlacementWorkers::Call call, WindowMove& move) noexcept {
  try {
    call(move);
  } catch (...) {
    move.result = FALSE;
    move.error = ERROR_INTERNAL_ERROR;
    move.answered = true;
  }
}

::DWORD WINAPI serve(void* parameter) {
  WorkerState& state = *static_cast<WorkerState*>(parameter);
  Locked locked(state.lock);
  for (;;) {
    Job* job = nullptr;
    while ((job = state.next()) == nullptr && !state.stopping) {
      ++state.idle;
      ::SleepConditionVariableSRW(&state.queued, &state.lock, INFINITE, 0);
      --state.idle;
    }
    if (state.stopping) return 0;
    job->started = true;
    job->startedAt = ::GetTickCount64();
    // The call, which may wait on its window for as long as that takes, is made without the lock.
    ::ReleaseSRWLockExclusive(&state.lock);
    makeCall(state.call, job->move);
    ::AcquireSRWLockExclusive(&state.lock);
    job->done = true;
    job->doneAt = ::GetTickCount64();
    if (job->abandoned) state.drop(job);
    ::WakeAllConditionVariable(&state.finished);
  }
}

}  // namespace

PlacementWorkers::PlacementWorkers(Call call) : state_(new WorkerState(call)) { threads_.reserve(kMostWorkers); }

PlacementWorkers::~PlacementWorkers() {
  {
    Locked locked(state_->lock);
    state_->stopping = true;
    ::WakeAllConditionVariable(&state_->queued);
  }
  const auto count = static_cast<::DWORD>(threads_.size());
  const bool ended =
      count == 0 || ::WaitForMultipleObjects(count, threads_.data(), TRUE, kStopWithinMs) < WAIT_OBJECT_0 + count;
  for (void* thread : threads_) ::CloseHandle(thread);
  if (ended) delete state_;
}

bool PlacementWorkers::inFlight(HWND hwnd) const {
  Job probe;
  probe.move.hwnd = hwnd;
  probe.thread = ::GetWindowThreadProcessId(reinterpret_cast<::HWND>(hwnd), nullptr);
  Locked locked(state_->lock);
  return std::any_of(state_->jobs.begin(), state_->jobs.end(), [&](const std::unique_ptr<Job>& job) {
    return !job->done && !job->withdrawn && (job->move.hwnd == hwnd || sameThread(*job, probe));
  });
}

namespace {

// Where the batch stands `now`: withdraws the jobs whose turn has passed and tells whether any call
// is still worth waiting for, and until when (`wake`).
bool reviewBatch(const std::vector<Job*>& batch, ULONGLONG handedOut, ULONGLONG now, unsigned long ms,
                 ULONGLONG& wake) {
  struct Turn {
    const Job* of;        // a job of the thread
    ULONGLONG freeSince;  // when the thread last answered a call of the batch, or the hand-out
    bool behind;          // a job of the thread before this one is still pending
    bool givenUp;         // the thread let a call wait too long, or never had its turn
  };
  std::vector<Turn> turns;
  bool pending = false;
  wake = ~0ULL;
  for (Job* job : batch) {
    auto turn = std::find_if(turns.begin(), turns.end(), [&](const Turn& t) { return sameThread(*t.of, *job); });
    if (turn == turns.end()) turn = turns.insert(turns.end(), Turn{job, handedOut, false, false});
    if (job->withdrawn) continue;
    if (job->done) {
      turn->freeSince = std::max(turn->freeSince, job->doneAt);
      continue;
    }
    if (turn->givenUp) {
      if (!job->started) job->withdrawn = true;
      continue;
    }
    if (turn->behind) continue;
    turn->behind = true;
    const ULONGLONG since = job->started ? job->startedAt : turn->freeSince;
    if (now - since < ms) {
      pending = true;
      wake = std::min(wake, since + ms);
    } else {
      turn->givenUp = true;
      if (!job->started) job->withdrawn = true;
    }
  }
  return pending;
}

}  // namespace

void PlacementWorkers::run(std::span<WindowMove* const> moves, std::span<Outcome> outcomes, unsigned long ms) {
  std::vector<Job*> batch;
  batch.reserve(moves.size());
  std::vector<std::unique_ptr<Job>> jobs;
  jobs.reserve(moves.size());
  for (WindowMove* move : moves) {
    jobs.push_back(std::make_unique<Job>(Job{*move}));
    jobs.back()->thread = ::GetWindowThreadProcessId(reinterpret_cast<::HWND>(move->hwnd), nullptr);
    batch.push_back(jobs.back().get());
  }

  Locked locked(state_->lock);
  const ULONGLONG handedOut = ::GetTickCount64();
  state_->jobs.reserve(state_->jobs.size() + jobs.size());
  for (std::unique_ptr<Job>& job : jobs) state_->jobs.push_back(std::move(job));
  // A worker for each thread with a call to make, as far as there are workers.
  std::size_t threadsToServe = 0;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const bool first = std::none_of(batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(i),
                                    [&](const Job* earlier) { return sameThread(*earlier, *batch[i]); });
    threadsToServe += first ? 1 : 0;
  }
  for (std::size_t starting = 0; threads_.size() < kMostWorkers && threadsToServe > state_->idle + starting;
       ++starting) {
    void* thread = ::CreateThread(nullptr, 0, serve, state_, 0, nullptr);
    if (thread == nullptr) break;
    threads_.push_back(thread);
  }
  ::WakeAllConditionVariable(&state_->queued);

  // Without a single worker nothing would start: the moves go back at once.
  for (ULONGLONG now = ::GetTickCount64(), wake = 0; !threads_.empty() && reviewBatch(batch, handedOut, now, ms, wake);
       now = ::GetTickCount64()) {
    ::SleepConditionVariableSRW(&state_->finished, &state_->lock, static_cast<::DWORD>(wake - now), 0);
  }

  for (std::size_t i = 0; i < batch.size(); ++i) {
    Job* job = batch[i];
    WindowMove& move = *moves[i];
    if (job->done) {
      move.result = job->move.result;
      move.error = job->move.error;
      move.answered = job->move.answered;
      outcomes[i] = Outcome::Answered;
    } else if (job->started) {
      move.result = TRUE;
      move.error = 0;
      move.answered = false;
      outcomes[i] = Outcome::Waiting;
      job->abandoned = true;
      continue;
    } else {
      outcomes[i] = Outcome::NotTaken;
    }
    state_->drop(job);
  }
}

}  // namespace tessellor::win32
