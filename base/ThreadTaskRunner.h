#pragma once
// The task runner of the running program: each piece of work on a thread of its own lane, the
// finishes kept until the window's thread collects them.

#include "base/TaskRunner.h"

#include <functional>
#include <memory>

namespace tarvell {

class TThreadTaskRunner final : public ITaskRunner {
public:
  // `wake` is called on a worker thread whenever a finish is ready to collect; the window posts
  // itself a message there. It must be safe to call from any thread.
  explicit TThreadTaskRunner(std::function<void()> wake);
  // Waits for the pieces still running, abandoned ones included: they use what their owner
  // holds. The program itself ends through the system without this wait.
  ~TThreadTaskRunner() override;
  TThreadTaskRunner(const TThreadTaskRunner&) = delete;
  TThreadTaskRunner& operator=(const TThreadTaskRunner&) = delete;

  void Run(TLane lane, TWork work) override;
  void Abandon(TLane lane) override;

  // Runs the finishes that are ready, in the order their work ended, on the calling thread.
  // A finish that throws leaves the rest for the next call.
  void RunFinished();
  // Whether any lane has work running or waiting to run.
  bool Busy() const;

  struct TShared;

private:
  std::shared_ptr<TShared> FShared;
};

}  // namespace tarvell
