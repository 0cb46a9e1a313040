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
  bool Busy = false;  // the lane's thread runs a piece
  std::shared_ptr<std::atomic<bool>> RunningSuperseded;
};

}  // namespace

struct TThreadTaskRunner::TShared {
  std::function<void()> Wake;
  mutable std::mutex Mutex;
  std::condition_variable WorkAdded;
  std::condition_variable AllEnded;
  std::array<TLaneState, LaneCount> Lanes;
  std::deque<TFinish> Finished;
  int Threads = 0;  // alive, abandoned ones included
  bool Closing = false;
};

namespace {

using TShared = TThreadTaskRunner::TShared;

// A lane's thread lives as long as the runner, waiting for work: no thread is made per piece,
// and the program's handles stay as they are from one change to the next.
void LaneLoop(const std::shared_ptr<TShared>& shared, std::size_t lane, std::uint64_t thread) {
  for (;;) {
    TWork work;
    auto superseded = std::make_shared<std::atomic<bool>>(false);
    {
      std::unique_lock<std::mutex> lock(shared->Mutex);
      TLaneState& state = shared->Lanes[lane];
      shared->WorkAdded.wait(lock, [&] { return shared->Closing || state.Thread != thread || state.Pending; });
      if (shared->Closing || state.Thread != thread) {
        if (--shared->Threads == 0) shared->AllEnded.notify_all();
        return;
      }
      work = std::move(state.Pending);
      state.Pending = nullptr;
      state.RunningSuperseded = superseded;
      state.Busy = true;
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
      TLaneState& state = shared->Lanes[lane];
      // Abandoned: the owner gave up on this one. Superseded: a newer finish is on its way.
      if (state.Thread == thread) {
        state.Busy = false;
        if (finish && !*superseded) {
          shared->Finished.push_back(std::move(finish));
          ready = true;
        }
      }
    }
    if (ready && shared->Wake) shared->Wake();
  }
}

// Under the lock: a thread for the lane, which waits for its work.
void StartLane(const std::shared_ptr<TShared>& shared, std::size_t lane) {
  const std::uint64_t thread = ++shared->Lanes[lane].Thread;
  std::thread(LaneLoop, shared, lane, thread).detach();
  ++shared->Threads;
}

}  // namespace

TThreadTaskRunner::TThreadTaskRunner(std::function<void()> wake) : FShared(std::make_shared<TShared>()) {
  FShared->Wake = std::move(wake);
}

TThreadTaskRunner::~TThreadTaskRunner() {
  std::unique_lock<std::mutex> lock(FShared->Mutex);
  FShared->Closing = true;
  for (TLaneState& state : FShared->Lanes) {
    state.Pending = nullptr;
    if (state.RunningSuperseded) *state.RunningSuperseded = true;
  }
  FShared->WorkAdded.notify_all();
  FShared->AllEnded.wait(lock, [this] { return FShared->Threads == 0; });
}

void TThreadTaskRunner::Run(TLane lane, TWork work) {
  const auto index = static_cast<std::size_t>(lane);
  std::lock_guard<std::mutex> lock(FShared->Mutex);
  TLaneState& state = FShared->Lanes[index];
  state.Pending = std::move(work);
  if (state.Thread == 0) StartLane(FShared, index);
  if (state.Busy && state.RunningSuperseded) *state.RunningSuperseded = true;
  FShared->WorkAdded.notify_all();
}

void TThreadTaskRunner::Abandon(TLane lane) {
  const auto index = static_cast<std::size_t>(lane);
  std::lock_guard<std::mutex> lock(FShared->Mutex);
  TLaneState& state = FShared->Lanes[index];
  if (!state.Busy) return;
  if (state.RunningSuperseded) *state.RunningSuperseded = true;
  state.RunningSuperseded.reset();
  state.Busy = false;
  // A fresh thread goes on with the lane; the stalled one ends once its read returns, and
  // whatever it returns is dropped.
  StartLane(FShared, index);
  FShared->WorkAdded.notify_all();
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
    if (state.Busy || state.Pending) return true;
  return !FShared->Finished.empty();
}

}  // namespace tarvell
