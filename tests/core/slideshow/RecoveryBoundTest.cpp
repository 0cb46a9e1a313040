#include "slideshow/RecoveryBound.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Runs a recovery chain over a list where `broken(i)` tells whether picture i fails,
// going on in list order as the Next command does; returns how many pictures were tried.
template <class Broken>
int Chain(TRecoveryBound& bound, int count, int start, Broken broken) {
  int tried = 0;
  for (int index = start;; index = (index + 1) % count) {
    ++tried;
    if (!broken(index)) {
      bound.Succeeded();
      return tried;
    }
    if (!bound.Failed(count)) return tried;
  }
}

TEST(RecoveryBound, ChainStopsAfterAsManyFailuresAsEntries) {
  // Regression: a list of damaged pictures beeped forever.
  TRecoveryBound bound;
  EXPECT_EQ(Chain(bound, 1, 0, [](int) { return true; }), 1);
  EXPECT_EQ(Chain(bound, 4, 2, [](int) { return true; }), 4);
  // The next command gets the whole list again.
  EXPECT_EQ(Chain(bound, 4, 0, [](int) { return true; }), 4);
  EXPECT_EQ(bound.ConsecutiveFailures(), 0);
}

TEST(RecoveryBound, SuccessEndsTheChainAndResetsTheCount) {
  TRecoveryBound bound;
  EXPECT_EQ(Chain(bound, 5, 1, [](int i) { return i != 4; }), 4);  // 1, 2, 3 fail, 4 shows
  EXPECT_EQ(bound.ConsecutiveFailures(), 0);
  EXPECT_TRUE(bound.Failed(5));
  EXPECT_TRUE(bound.Failed(5));
  EXPECT_EQ(bound.ConsecutiveFailures(), 2);
  // The list shrank (a damaged picture was deleted meanwhile): the bound follows it.
  EXPECT_FALSE(bound.Failed(3));
}

}  // namespace
}  // namespace tarvell
