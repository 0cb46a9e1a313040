// The task runner with real threads: one piece at a time per lane, the newest wins, a stalled
// piece is left behind, and finishes run only where they are collected. Run under
// ThreadSanitizer too.
#include "base/ThreadTaskRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tarvell {
namespace {

// A gate that work waits at until the test opens it.
class TGate {
public:
  void Open() {
    std::lock_guard<std::mutex> lock(FMutex);
    FOpen = true;
    FChanged.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> lock(FMutex);
    FChanged.wait(lock, [this] { return FOpen; });
  }

private:
  std::mutex FMutex;
  std::condition_variable FChanged;
  bool FOpen = false;
};

struct TRunnerRig {
  std::vector<std::string> Finished;  // on the test's thread only
  std::atomic<int> Wakes{0};
  std::atomic<int> Started{0};
  TThreadTaskRunner Runner{[this] { ++Wakes; }};

  TWork Piece(const std::string& name, TGate* gate = nullptr, std::atomic<bool>* sawSuperseded = nullptr) {
    return [this, name, gate, sawSuperseded](const std::atomic<bool>& superseded) -> TFinish {
      ++Started;
      if (gate) gate->Wait();
      if (sawSuperseded) *sawSuperseded = superseded.load();
      return [this, name] { Finished.push_back(name); };
    };
  }
  // Collects finishes until `count` have run, polling; false after a generous while.
  bool CollectUntil(std::size_t count) {
    for (int i = 0; i < 2000 && Finished.size() < count; ++i) {
      Runner.RunFinished();
      if (Finished.size() < count) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Finished.size() >= count;
  }
  void WaitStarted(int count) {
    for (int i = 0; i < 2000 && Started < count; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
};

TEST(ThreadTaskRunner, TheNewestPieceWinsAndWaitingOnesNeverRun) {
  TRunnerRig rig;
  TGate gate;
  std::atomic<bool> firstSuperseded{false};
  rig.Runner.Run(TLane::Picture, rig.Piece("first", &gate, &firstSuperseded));
  rig.WaitStarted(1);
  rig.Runner.Run(TLane::Picture, rig.Piece("second"));
  rig.Runner.Run(TLane::Picture, rig.Piece("third"));
  rig.Runner.RunFinished();
  EXPECT_TRUE(rig.Finished.empty()) << "finishes run only where they are collected";
  gate.Open();
  ASSERT_TRUE(rig.CollectUntil(1));
  EXPECT_TRUE(firstSuperseded) << "the running piece learns it was replaced";
  EXPECT_EQ(rig.Finished, std::vector<std::string>{"third"});
  EXPECT_EQ(rig.Started, 2) << "the piece replaced before it started never ran";
  EXPECT_GE(rig.Wakes, 1);
  for (int i = 0; i < 2000 && rig.Runner.Busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(rig.Runner.Busy());
}

TEST(ThreadTaskRunner, AStalledPieceIsLeftBehindAndTheLaneGoesOn) {
  TRunnerRig rig;
  TGate stalled;
  TGate listing;
  rig.Runner.Run(TLane::Picture, rig.Piece("stalled", &stalled));
  rig.Runner.Run(TLane::List, rig.Piece("list", &listing));
  rig.WaitStarted(2);
  rig.Runner.Abandon(TLane::Picture);
  rig.Runner.Run(TLane::Picture, rig.Piece("next"));
  ASSERT_TRUE(rig.CollectUntil(1)) << "the lane went on while the stalled read still hangs";
  EXPECT_EQ(rig.Finished, std::vector<std::string>{"next"});
  listing.Open();
  ASSERT_TRUE(rig.CollectUntil(2)) << "the other lane ran beside it";
  stalled.Open();
  for (int i = 0; i < 2000 && rig.Runner.Busy(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  rig.Runner.RunFinished();
  EXPECT_EQ(rig.Finished, (std::vector<std::string>{"next", "list"})) << "the abandoned finish is dropped";
}

TEST(ThreadTaskRunner, WorkThatThrowsIsReportedWhereFinishesRun) {
  TRunnerRig rig;
  rig.Runner.Run(TLane::List, [](const std::atomic<bool>&) -> TFinish { throw std::runtime_error("no memory"); });
  bool thrown = false;
  for (int i = 0; i < 2000 && !thrown; ++i) {
    try {
      rig.Runner.RunFinished();
    } catch (const std::runtime_error& e) {
      thrown = std::string(e.what()) == "no memory";
    }
    if (!thrown) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(thrown);
}

}  // namespace
}  // namespace tarvell
