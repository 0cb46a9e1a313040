// The user steering the show: back and forth through the changes made, the pause, and the
// pictures never shown again.
#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

std::string LastApplied(const TRig& rig) { return rig.Desktop.Applied.empty() ? "" : rig.Desktop.Applied.back(); }

// Previous steps back through what was applied, Next walks forward again before it takes new
// pictures, files gone or excluded are passed over, and the shuffle is as if nobody had stepped.
TEST(SlideshowSteer, PreviousAndNextWalkTheHistoryWithoutDisturbingTheOrder) {
  for (const bool random : {false, true}) {
    TRig rig(20), plain(20);
    for (TRig* r : {&rig, &plain}) {
      r->Show.SetSettings({.Random = random});
      for (int i = 0; i < 4; ++i) r->Show.Next();
    }
    const std::vector<std::string> shown(rig.Desktop.Applied.begin(), rig.Desktop.Applied.end());
    ASSERT_EQ(shown.size(), 4u);
    rig.Desktop.Gone.insert(shown[1]);
    const struct {
      bool previous;
      std::string applied;
    } steps[] = {{true, shown[2]}, {true, shown[0]}, {true, shown[0]}, {false, shown[2]}, {false, shown[3]}};
    for (const auto& step : steps) {
      step.previous ? rig.Show.Previous() : rig.Show.Next();
      EXPECT_EQ(LastApplied(rig), step.applied) << "random " << random;
    }
    EXPECT_EQ(rig.Show.History().Entries().size(), 4u) << "steps are not recorded anew";
    // At the newest: new pictures again, the same ones a show that never stepped takes.
    for (int i = 0; i < 3; ++i) {
      rig.Show.Next();
      plain.Show.Next();
      EXPECT_EQ(LastApplied(rig), LastApplied(plain)) << "random " << random;
    }
  }
}

TEST(SlideshowSteer, PreviousPutsBackEveryMonitorsPictureOfTheChange) {
  TRig rig(9);
  rig.Show.SetSettings({.PerMonitor = true});
  rig.Desktop.Monitors = 3;
  rig.Show.Next();
  rig.Show.Next();
  ASSERT_EQ(rig.Desktop.Rounds.size(), 2u);
  rig.Show.Previous();
  ASSERT_EQ(rig.Desktop.Rounds.size(), 3u);
  EXPECT_EQ(rig.Desktop.Rounds[2], rig.Desktop.Rounds[0]);
  EXPECT_EQ(rig.View.OnDesktop, rig.Desktop.Rounds[0].front());
  rig.Show.Next();
  EXPECT_EQ(rig.Desktop.Rounds.back(), rig.Desktop.Rounds[1]) << "forward again to the newest change";
  rig.Show.Next();
  EXPECT_EQ(rig.Desktop.Rounds.back(), (std::vector<std::string>{Pic(7), Pic(8), Pic(0)})) << "then on in order";
}

// Paused, due changes wait and the countdown says so; the user's Next still acts; resuming
// starts a full period.
TEST(SlideshowSteer, APauseHoldsTheTimerButNotTheUser) {
  TRig rig(5);
  rig.Show.SetSettings({.Period = 2, .Unit = TPeriodUnit::Seconds});
  rig.Show.SetPaused(true);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None);
  EXPECT_TRUE(rig.Desktop.Applied.empty());
  EXPECT_EQ(rig.Show.CountdownText(), std::string(PausedText));
  rig.Show.Next();
  EXPECT_EQ(LastApplied(rig), Pic(1));
  rig.Show.SetPaused(false);
  // The change falls due once more than the period has passed, as without a pause.
  for (int i = 0; i < 2; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None) << "a full period after resuming";
  EXPECT_EQ(rig.Tick(), TTickResult::Switched);
}

// Excluded: out of the list and of every later listing, the next picture applied, the file
// untouched; taken back, it is listed again.
TEST(SlideshowSteer, AnExcludedPictureLeavesTheShowUntilItIsTakenBack) {
  TRig rig(4);
  rig.Show.Next();
  ASSERT_EQ(LastApplied(rig), Pic(1));
  ASSERT_TRUE(rig.Show.ExcludeCurrent());
  EXPECT_EQ(LastApplied(rig), Pic(2));
  EXPECT_TRUE(rig.Desktop.Deleted.empty());
  EXPECT_EQ(rig.Show.Excluded().Paths(), std::vector<std::string>{Pic(1)});
  rig.Show.Previous();
  EXPECT_EQ(LastApplied(rig), Pic(2)) << "the history passes over an excluded picture";
  rig.Show.Rebuild(Folder, false);
  EXPECT_EQ(rig.Show.Count(), 3);
  EXPECT_EQ(rig.Show.Pictures().Find(Pic(1)), rig.Show.Pictures().size());
  EXPECT_TRUE(rig.Show.Readmit(Pic(1)));
  rig.Show.Rebuild(Folder, false);
  EXPECT_EQ(rig.Show.Count(), 4);
}

}  // namespace
}  // namespace tarvell
