#include "base/ThreadTaskRunner.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

namespace tarvell {

namespace {

struct TLaneState {
  TWork Pending;
  // Counts the lane's threads: an abandoned thread keeps its number and so knows it is one.
  std::uint64_t Thread = 0;
  bool Running = false;
  std::shared_ptr<std::atomic<bool>> RunningSuperseded;
};

}  // namespace

struct TThreadTaskRunner::TShared {
  std::function<void()> Wake;
  mutable std::mutex Mutex;
  std::condition_variable AllEnded;
  std::array<TLaneState, LaneCount> Lanes;
  std::deque<TFinish> Finished;
  int Threads = 0;  // alive, abandoned ones included
};

namespace {

using TShared = TThreadTaskRunner::TShared;

void LaneLoop(const std::shared_ptr<TShared>& shared, std::size_t lane, std::uint64_t thread) {
  for (;;) {
    TWork work;
    auto superseded = std::make_shared<std::atomic<bool>>(false);
    {
      std::lock_guard<std::mutex> lock(shared->Mutex);
      TLaneState& state = shared->Lanes[lane];
      if (state.Thread != thread || !state.Pending) {
        if (state.Thread == thread) state.Running = false;
        if (--shared->Threads == 0) shared->AllEnded.notify_all();
        return;
      }
      work = std::move(state.Pending);
      state.Pending = nullptr;
      state.RunningSuperseded = superseded;
    }
    TFinish finish;
    try {
      finish = work(*superseded);
    } catch (...) {
      // Work reports through its finish; one that throws anyway is reported the same way.
      finish = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    bool ready = false;
    {
      std::lock_guard<std::mutex> lock(shared->Mutex);
      // Superseded or abandoned: a newer finish is on its way, or the owner gave up on this one.
      if (finish && !*superseded && shared->Lanes[lane].Thread == thread) {
        shared->Finished.push_back(std::move(finish));
        ready = true;
      }
    }
    if (ready && shared->Wake) shared->Wake();
  }
}

// Under the lock: a thread for the lane, which takes its pending work.
void StartLane(const std::shared_ptr<TShared>& shared, std::size_t lane) {
  TLaneState& state = shared->Lanes[lane];
  const std::uint64_t thread = ++state.Thread;
  std::thread(LaneLoop, shared, lane, thread).detach();
  state.Running = true;
  ++shared->Threads;
}

}  // namespace

TThreadTaskRunner::TThreadTaskRunner(std::function<void()> wake) : FShared(std::make_shared<TShared>()) {
  FShared->Wake = std::move(wake);
}

TThreadTaskRunner::~TThreadTaskRunner() {
  std::unique_lock<std::mutex> lock(FShared->Mutex);
  for (TLaneState& state : FShared->Lanes) {
    state.Pending = nullptr;
    if (state.RunningSuperseded) *state.RunningSuperseded = true;
  }
  FShared->AllEnded.wait(lock, [this] { return FShared->Threads == 0; });
}

void TThreadTaskRunner::Run(TLane lane, TWork work) {
  const auto index = static_cast<std::size_t>(lane);
  std::lock_guard<std::mutex> lock(FShared->Mutex);
  TLaneState& state = FShared->Lanes[index];
  state.Pending = std::move(work);
  if (state.Running) {
    if (state.RunningSuperseded) *state.RunningSuperseded = true;
    return;  // the lane's thread takes it next
  }
  StartLane(FShared, index);
}

void TThreadTaskRunner::Abandon(TLane lane) {
  const auto index = static_cast<std::size_t>(lane);
  std::lock_guard<std::mutex> lock(FShared->Mutex);
  TLaneState& state = FShared->Lanes[index];
  if (!state.Running) return;
  if (state.RunningSuperseded) *state.RunningSuperseded = true;
  state.RunningSuperseded.reset();
  if (state.Pending) {
    StartLane(FShared, index);  // a fresh thread; the stalled one ends on its own
  } else {
    ++state.Thread;  // whatever the stalled thread returns is dropped
    state.Running = false;
  }
}

void TThreadTaskRunner::RunFinished() {
  for (;;) {
    TFinish finish;
    {
      std::lock_guard<std::mutex> lock(FShared->Mutex);
      if (FShared->Finished.empty()) return;
      finish = std::move(FShared->Finished.front());
      FShared->Finished.pop_front();
    }
    finish();
  }
}

bool TThreadTaskRunner::Busy() const {
  std::lock_guard<std::mutex> lock(FShared->Mutex);
  for (const TLaneState& state : FShared->Lanes)
    if (state.Running) return true;
  return !FShared->Finished.empty();
}

}  // namespace tarvell
