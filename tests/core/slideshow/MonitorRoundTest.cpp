// The monitor round through the slideshow: each monitor the next picture of the list, none
// twice, the current one on the primary, and the same round composed again after a display change.
#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvell {
namespace {

// Each monitor its own picture: every change gives each monitor the next picture of the
// list, none twice in a round; the current picture is the primary's.
TEST(MonitorRound, EachMonitorTakesTheNextPictureOfTheList) {
  TRig rig(7);
  rig.Show.SetSettings({.PerMonitor = true});
  rig.Desktop.Monitors = 3;
  const std::vector<std::vector<std::string>> expected = {
      {Pic(1), Pic(2), Pic(3)}, {Pic(4), Pic(5), Pic(6)}, {Pic(0), Pic(1), Pic(2)}};
  for (const auto& round : expected) {
    rig.Show.Next();
    ASSERT_FALSE(rig.Desktop.Rounds.empty());
    EXPECT_EQ(rig.Desktop.Rounds.back(), round);
    EXPECT_EQ(rig.Show.Pictures()[rig.Show.CurrentIndex()], round.front()) << "the current picture is the primary's";
    EXPECT_EQ(rig.View.OnDesktop, round.front());
  }
  EXPECT_TRUE(rig.Desktop.Applied.empty()) << "no single picture while each monitor has its own";
  EXPECT_EQ(rig.View.Caption, "T  1(7)");

  // Off again (or one monitor): the single picture, on after the last one shown.
  const struct {
    bool perMonitor;
    int monitors;
    int next;
  } singles[] = {{false, 3, 3}, {true, 1, 4}, {false, 1, 5}};
  for (const auto& c : singles) {
    rig.Show.SetSettings({.PerMonitor = c.perMonitor});
    rig.Desktop.Monitors = c.monitors;
    rig.Show.Next();
    EXPECT_EQ(rig.Desktop.Rounds.size(), expected.size());
    ASSERT_FALSE(rig.Desktop.Applied.empty());
    EXPECT_EQ(rig.Desktop.Applied.back(), Pic(c.next));
  }
}

// The composition decodes each picture once; the primary's is decoded for the preview too only
// while somebody sees it. A primary that fails is recovered from as a single picture is.
TEST(MonitorRound, EachPictureIsDecodedOnceUnlessThePreviewIsSeenAndAFailingPrimaryRecovers) {
  for (const bool seen : {false, true}) {
    TRig rig(6);
    rig.Show.SetSettings({.PerMonitor = true});
    rig.Desktop.Monitors = 2;
    rig.Show.PreviewSeen(seen);
    rig.Desktop.Results[Pic(1)] = TLoadResult::Damaged;
    rig.Desktop.Decodes.clear();
    rig.Show.Next();
    EXPECT_EQ(rig.View.Beeps, std::vector<unsigned>{FailureBeepHz});
    EXPECT_EQ(rig.Desktop.Rounds, (std::vector<std::vector<std::string>>{{Pic(2), Pic(3)}}));
    EXPECT_EQ(rig.Desktop.Decodes, (std::map<std::string, int>{{Pic(1), 1}, {Pic(2), seen ? 2 : 1}, {Pic(3), 1}}));
    EXPECT_EQ(rig.View.Preview, seen ? Pic(2) : Pic(0));
  }
}

TEST(MonitorRound, EachMonitorsPicturesAreDistinctAlsoShuffledOrFewerThanMonitors) {
  struct Case {
    int pictures, monitors;
    bool random;
    std::size_t perRound;
  };
  // One picture and two monitors: that picture on both.
  const Case cases[] = {{9, 3, true, 3}, {2, 3, false, 2}, {4, 4, true, 4}, {1, 2, false, 1}};
  for (const auto& c : cases) {
    TRig rig(c.pictures);
    rig.Show.SetSettings({c.random, false, false, 0, TPeriodUnit::Minutes, true});
    rig.Desktop.Monitors = c.monitors;
    for (int change = 0; change < 6; ++change) {
      rig.Show.Next();
      ASSERT_FALSE(rig.Desktop.Rounds.empty());
      auto round = rig.Desktop.Rounds.back();
      EXPECT_EQ(round.size(), c.perRound) << c.pictures << " pictures, " << c.monitors << " monitors";
      std::sort(round.begin(), round.end());
      EXPECT_EQ(std::unique(round.begin(), round.end()), round.end()) << "a picture twice in one round";
    }
  }
}

TEST(MonitorRound, ADisplayChangeComposesTheSamePicturesForTheNewLayout) {
  TRig rig(5);
  rig.Show.SetSettings({.PerMonitor = true});
  rig.Desktop.Monitors = 2;
  rig.Show.Next();
  const auto round = rig.Desktop.Rounds.back();
  rig.Show.Pick(4);  // the preview shows a picture of its own
  const std::int32_t current = rig.Show.CurrentIndex();
  rig.Desktop.Monitors = 3;
  rig.Desktop.Shape = "three";
  rig.Show.DisplayChanged();  // notices come in bursts: one composition for them all
  rig.DisplayNotice();
  ASSERT_EQ(rig.Desktop.Rounds.size(), 2u);
  EXPECT_EQ(rig.Desktop.Rounds.back(), round);
  EXPECT_EQ(rig.Show.CurrentIndex(), current);
  EXPECT_EQ(rig.Desktop.Loaded, Pic(4)) << "the preview's decode is left as it was";
  // A notice that changes neither the monitors nor the style (a colour, a theme) costs nothing.
  rig.DisplayNotice();
  EXPECT_EQ(rig.Desktop.Rounds.size(), 2u);
  // Locked, the work waits, and is done once after.
  rig.Desktop.Shape = "two";
  rig.Show.SessionLocked(true);
  rig.DisplayNotice();
  rig.DisplayNotice();
  EXPECT_EQ(rig.Desktop.Rounds.size(), 2u);
  rig.Show.SessionLocked(false);
  rig.Tick();
  EXPECT_EQ(rig.Desktop.Rounds.size(), 3u);
  // Cleared: nothing of ours to compose again.
  rig.Show.Clear();
  rig.Desktop.Shape = "one";
  rig.DisplayNotice();
  EXPECT_EQ(rig.Desktop.Rounds.size(), 3u);
}

// Shuffled, no change shares a picture with the one before it, also where a round ends and
// the next begins; the round is the slideshow's to save and restore.
TEST(MonitorRound, ShuffledChangesShareNoPictureAcrossTheEndOfARound) {
  const std::pair<int, int> cases[] = {{12, 3}, {13, 3}, {9, 2}, {5, 1}, {2, 1}};  // pictures, monitors
  for (const auto& [pictures, monitors] : cases) {
    TRig rig(pictures), restarted(pictures);
    rig.Show.SetSettings({.Random = true, .PerMonitor = true});
    rig.Desktop.Monitors = monitors;
    std::vector<std::string> previous{rig.Show.Pictures()[0]};
    for (int change = 0; change < 8 * pictures; ++change) {
      const std::uint64_t changes = rig.Show.ShuffleChanges();
      rig.Show.Next();
      EXPECT_GT(rig.Show.ShuffleChanges(), changes);
      const auto shown = monitors > 1 ? rig.Desktop.Rounds.back() : std::vector{rig.Desktop.Applied.back()};
      for (const auto& path : shown) ASSERT_EQ(std::ranges::count(previous, path), 0) << pictures << "/" << monitors;
      previous = shown;
    }
    restarted.Show.SetShuffleState(rig.Show.ShuffleState());
    restarted.Show.Rebuild(Folder, false);
    EXPECT_EQ(restarted.Show.ShuffleState(), rig.Show.ShuffleState());
  }
}

}  // namespace
}  // namespace tarvell
