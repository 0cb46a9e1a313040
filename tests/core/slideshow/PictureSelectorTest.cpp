#include "slideshow/PictureSelector.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvell {
namespace {

TEST(PictureSelector, InOrderWrapsAroundAndRecoversFromBadIndexes) {
  EXPECT_EQ(TPictureSelector::NextInOrder(0, 3), 1);
  EXPECT_EQ(TPictureSelector::NextInOrder(1, 3), 2);
  EXPECT_EQ(TPictureSelector::NextInOrder(2, 3), 0);
  EXPECT_EQ(TPictureSelector::NextInOrder(0, 1), 0);
  EXPECT_EQ(TPictureSelector::NextInOrder(7, 3), 0);
  EXPECT_EQ(TPictureSelector::NextInOrder(-4, 3), 0);
}

TEST(PictureSelector, ClampPullsBackIntoTheList) {
  EXPECT_EQ(TPictureSelector::ClampIndex(7, 3), 2);
  EXPECT_EQ(TPictureSelector::ClampIndex(7, 10), 7);
  EXPECT_EQ(TPictureSelector::ClampIndex(-1, 10), 0);
  EXPECT_EQ(TPictureSelector::ClampIndex(7, 0), 7);  // an empty list keeps the index
}

TEST(PictureSelector, EveryPictureOncePerRoundAndNeverTwiceInARow) {
  // Regression: the random choice repeated within a second and never took the last entry.
  for (std::int32_t n : {2, 3, 5, 17}) {
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
      TPictureSelector selector(seed);
      // The picture shown at start-up (0) counts as dealt: the first round deals the others.
      std::int32_t current = 0;
      for (int round = 0; round < 6; ++round) {
        std::set<std::int32_t> seen;
        if (round == 0) seen.insert(current);
        while (seen.size() < static_cast<std::size_t>(n)) {
          const std::int32_t next = selector.NextAtRandom(current, n);
          ASSERT_GE(next, 0);
          ASSERT_LT(next, n);
          ASSERT_NE(next, current) << "n=" << n << " seed=" << seed << " round=" << round;
          ASSERT_TRUE(seen.insert(next).second) << "twice in one round: n=" << n << " seed=" << seed;
          current = next;
        }
      }
    }
  }
}

TEST(PictureSelector, RoundsDifferAndEveryPictureCanComeFirst) {
  constexpr std::int32_t n = 6;
  std::set<std::int32_t> firsts;
  std::set<std::vector<std::int32_t>> orders;
  for (std::uint64_t seed = 0; seed < 200; ++seed) {
    TPictureSelector selector(seed);
    std::vector<std::int32_t> order;
    std::int32_t current = 5;
    for (std::int32_t i = 0; i < n; ++i) order.push_back(current = selector.NextAtRandom(current, n));
    firsts.insert(order.front());
    orders.insert(order);
  }
  EXPECT_EQ(firsts, (std::set<std::int32_t>{0, 1, 2, 3, 4}));  // never the current one (5)
  EXPECT_GT(orders.size(), 100u);
}

TEST(PictureSelector, SingleEntryGivesZero) {
  TPictureSelector selector(1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(selector.NextAtRandom(0, 1), 0);
}

TEST(PictureSelector, PickedPictureCountsAsShownInTheRound) {
  for (std::uint64_t seed = 0; seed < 30; ++seed) {
    TPictureSelector selector(seed);
    const std::int32_t first = selector.NextAtRandom(0, 5);
    // The user picks another picture by hand; the rest of the round leaves it out.
    std::int32_t picked = 1;
    while (picked == first) ++picked;
    std::set<std::int32_t> rest;
    std::int32_t current = picked;
    for (int i = 0; i < 2; ++i) {
      current = selector.NextAtRandom(current, 5);
      EXPECT_NE(current, picked);
      EXPECT_NE(current, first);
      EXPECT_NE(current, 0);
      rest.insert(current);
    }
    EXPECT_EQ(rest.size(), 2u);
  }
}

TEST(PictureSelector, RemovedEntryLeavesTheRoundAndLaterIndexesShift) {
  for (std::uint64_t seed = 0; seed < 30; ++seed) {
    TPictureSelector selector(seed);
    const std::int32_t deleted = selector.NextAtRandom(0, 5);
    // The current picture is deleted: entries after it move up by one, and the one that
    // followed it (or the new last one) is shown.
    selector.Removed(deleted);
    const std::int32_t shown = std::min(deleted, 3);
    std::set<std::int32_t> dealt = {shown};
    if (deleted != 0) dealt.insert(0);  // shown at start-up, still in the list
    std::int32_t current = shown;
    while (dealt.size() < 4) {
      current = selector.NextAtRandom(current, 4);
      ASSERT_LT(current, 4);
      ASSERT_TRUE(dealt.insert(current).second) << "seed " << seed << " dealt " << current << " again";
    }
  }
}

TEST(PictureSelector, NewRoundAfterRebuildAndAfterAChangedCount) {
  TPictureSelector selector(3);
  std::int32_t current = selector.NextAtRandom(0, 3);
  selector.NewRound();
  // The picture kept across the rebuild counts as shown; the new round deals the others.
  std::set<std::int32_t> seen = {current};
  for (int i = 0; i < 3; ++i) {
    current = selector.NextAtRandom(current, 4);
    EXPECT_TRUE(seen.insert(current).second);
  }
  // A list that changed without notice is dealt afresh, within range.
  for (int i = 0; i < 10; ++i) {
    current = selector.NextAtRandom(0, 2);
    EXPECT_EQ(current, 1);
  }
}

}  // namespace
}  // namespace tarvell
