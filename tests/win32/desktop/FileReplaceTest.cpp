// Moving a new file into the old one's place while another program holds the old one.
#include "desktop/FileReplace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

using namespace tarvell;

namespace {

// A clock that only moves when paused, and a move that fails with the given errors in turn
// before it succeeds (or keeps failing with the last one).
struct TFakeMove {
  std::vector<unsigned long> Failures;
  bool FailForever = false;
  int Tries = 0;
  std::uint64_t Now = 5000;
  std::vector<std::uint32_t> Pauses;

  unsigned long Run() {
    return MoveRetrying(
        [this]() -> unsigned long {
          const std::size_t i = static_cast<std::size_t>(Tries++);
          if (i < Failures.size()) return Failures[i];
          return FailForever ? Failures.back() : 0;
        },
        TRetryClock{[this] { return Now; },
                    [this](std::uint32_t ms) {
                      Pauses.push_back(ms);
                      Now += ms;
                    }});
  }
};

// Regression: one sharing violation on Tarvell.bmp or Tarvell.cfg (the indexer reading it)
// failed the wallpaper change or lost the settings of the run.
TEST(FileReplace, AMoveThatIsHeldUpIsTriedAgainForAboutASecond) {
  const unsigned long Sharing = ERROR_SHARING_VIOLATION;
  const unsigned long Denied = ERROR_ACCESS_DENIED;
  const struct {
    const char* what;
    std::vector<unsigned long> failures;
    bool forever;
    unsigned long result;
    int tries;
  } cases[] = {
      {"moves at once", {}, false, 0, 1},
      {"held three times", {Sharing, Sharing, Sharing}, false, 0, 4},
      {"access denied, then held", {Denied, Sharing}, false, 0, 3},
      {"no such folder: no retry", {ERROR_PATH_NOT_FOUND}, false, ERROR_PATH_NOT_FOUND, 1},
      {"disk full after a hold: no more retries", {Sharing, ERROR_DISK_FULL}, false, ERROR_DISK_FULL, 2},
      // 0, 50, ..., 1000 ms: the try at 1000 ms is the last.
      {"held for good", {Sharing}, true, Sharing, 1 + MoveRetryForMs / MoveRetryPauseMs},
  };
  for (const auto& c : cases) {
    TFakeMove move;
    move.Failures = c.failures;
    move.FailForever = c.forever;
    EXPECT_EQ(move.Run(), c.result) << c.what;
    EXPECT_EQ(move.Tries, c.tries) << c.what;
    // Polling in short pauses, not one long sleep.
    EXPECT_EQ(move.Pauses, std::vector<std::uint32_t>(static_cast<std::size_t>(c.tries - 1), MoveRetryPauseMs))
        << c.what;
  }
}

TEST(FileReplace, TheTimeIsCountedFromTheFirstTryNotInPauses) {
  // A move that itself takes 400 ms: the time is up after three tries, not twenty.
  std::uint64_t now = 5000;
  int tries = 0;
  const unsigned long result = MoveRetrying(
      [&]() -> unsigned long {
        ++tries;
        now += 400;
        return ERROR_SHARING_VIOLATION;
      },
      TRetryClock{[&] { return now; }, [&](std::uint32_t ms) { now += ms; }});
  EXPECT_EQ(result, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(tries, 3);
}

}  // namespace
