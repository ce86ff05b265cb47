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
  bool started = false;
  bool done = false;
  bool abandoned = false;  // the batch has stopped waiting: the worker drops the job when done
};

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

  Job* next() {
    for (const auto& job : jobs)
      if (!job->started) return job.get();
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
    // The call, which may wait on its window for as long as that takes, is made without the lock.
    ::ReleaseSRWLockExclusive(&state.lock);
    makeCall(state.call, job->move);
    ::AcquireSRWLockExclusive(&state.lock);
    job->done = true;
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
  Locked locked(state_->lock);
  return std::any_of(state_->jobs.begin(), state_->jobs.end(),
                     [&](const std::unique_ptr<Job>& job) { return job->move.hwnd == hwnd && !job->done; });
}

void PlacementWorkers::run(std::span<WindowMove* const> moves, std::span<Outcome> outcomes, unsigned long ms) {
  const ULONGLONG deadline = ::GetTickCount64() + ms;
  std::vector<Job*> batch;
  batch.reserve(moves.size());

  Locked locked(state_->lock);
  state_->jobs.reserve(state_->jobs.size() + moves.size());
  for (WindowMove* move : moves) {
    state_->jobs.push_back(std::make_unique<Job>(Job{*move}));
    batch.push_back(state_->jobs.back().get());
  }
  std::size_t waiting = 0;
  for (const auto& job : state_->jobs) waiting += job->started ? 0 : 1;
  for (std::size_t starting = 0; threads_.size() < kMostWorkers && waiting > state_->idle + starting; ++starting) {
    void* thread = ::CreateThread(nullptr, 0, serve, state_, 0, nullptr);
    if (thread == nullptr) break;
    threads_.push_back(thread);
  }
  ::WakeAllConditionVariable(&state_->queued);

  const auto allDone = [&] {
    return std::all_of(batch.begin(), batch.end(), [](const Job* job) { return job->done; });
  };
  // Without a single worker nothing would start: the moves go back at once.
  for (ULONGLONG now = ::GetTickCount64(); !threads_.empty() && !allDone() && now < deadline;
       now = ::GetTickCount64()) {
    ::SleepConditionVariableSRW(&state_->finished, &state_->lock, static_cast<::DWORD>(deadline - now), 0);
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
