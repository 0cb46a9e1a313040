#include "slideshow/PictureSelector.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string Name(int i) { return "C:\\P\\p" + std::to_string(i) + ".jpg"; }

TPicturePaths Listed(const std::vector<std::string>& names) {
  TPicturePaths paths;
  for (const auto& name : names) paths.Add(name);
  return paths;
}

// Deals `count` pictures after `current`, each once, never one of `seen` nor the current one.
void DealUnseen(TPictureSelector& selector, const std::vector<std::string>& list, std::int32_t& current,
                std::size_t count, std::set<std::string>& seen) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t next = selector.NextAtRandom(current, static_cast<std::int32_t>(list.size()));
    ASSERT_NE(next, current);
    ASSERT_TRUE(seen.insert(list[static_cast<std::size_t>(next)]).second) << list[static_cast<std::size_t>(next)];
    current = next;
  }
}

TEST(PictureSelector, TheRoundGoesOnAcrossASaveAndAListWithPicturesAddedAndRemoved) {
  const struct {
    int pictures, dealt;
    std::set<int> removed;
    int added;
  } cases[] = {
      {10, 4, {1, 2, 7}, 3}, {5, 4, {}, 0}, {6, 1, {0}, 2}, {1000, 500, {3, 600, 999}, 100}, {4, 2, {0, 1, 2, 3}, 2}};
  for (const auto& c : cases) {
    for (std::uint64_t seed = 0; seed < 10; ++seed) {
      std::vector<std::string> before, after;
      for (int i = 0; i < c.pictures + c.added; ++i) {
        if (i < c.pictures) before.push_back(Name(i));
        if (!c.removed.contains(i)) after.push_back(Name(i));
      }
      TPictureSelector first(seed), second(seed + 100);
      first.Relist(Listed(before));
      std::int32_t current = 0;  // shown at start-up: counts as dealt with the first choice
      std::set<std::string> shown{before[0]};
      DealUnseen(first, before, current, static_cast<std::size_t>(c.dealt), shown);
      const auto saved = ReadShuffleFile(WriteShuffleFile(first.State()));
      ASSERT_TRUE(saved && saved->Shown == shown.size());
      second.Restore(*saved);
      EXPECT_EQ(second.State(), *saved) << "kept as it is until a listing";
      second.Relist(Listed(after));
      const std::uint64_t changes = second.Changes();
      second.Relist(Listed(after));
      EXPECT_EQ(second.Changes(), changes) << "the same list again changes nothing to save";
      const auto last = std::ranges::find(after, before[static_cast<std::size_t>(current)]);
      current = last == after.end() ? -1 : static_cast<std::int32_t>(last - after.begin());
      // What was not shown before the save comes now, added ones included, each once; then a
      // whole new round, its first picture not the last one shown.
      std::erase_if(shown, [&](const std::string& name) { return !std::ranges::count(after, name); });
      DealUnseen(second, after, current, after.size() - shown.size(), shown);
      std::set<std::string> next;
      DealUnseen(second, after, current, after.size(), next);
    }
  }
}

TEST(PictureSelector, PathsWhoseKeysCollideEachKeepAPlaceOfTheirOwn) {
  const std::string a = "C:\\P\\p104188.jpg", b = "C:\\P\\p1023044.jpg";
  ASSERT_EQ(PictureKey(a), PictureKey(b));
  EXPECT_EQ(PictureKey("c:\\p\\P104188.JPG"), PictureKey(a)) << "one file whatever its case";
  const std::vector<std::string> list = {Name(1), b, Name(2), a};
  // A key's places go to its pictures in list order; one place too many is dropped.
  const std::pair<TShuffleState, std::set<std::string>> cases[] = {
      {{}, {}},
      {{{PictureKey(a), PictureKey(Name(2))}, 1}, {b}},
      {{{PictureKey(a), PictureKey(a), PictureKey(a)}, 3}, {a, b}}};
  for (auto [saved, seen] : cases) {
    TPictureSelector selector(5);
    selector.Restore(saved);
    selector.Relist(Listed(list));
    std::int32_t current = -1;
    for (int round = 0; round < 3; ++round, seen.clear())
      DealUnseen(selector, list, current, list.size() - seen.size(), seen);
  }
}

}  // namespace
}  // namespace tarvell
