// The period across restarts, and changes on the clock.
#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// The tick (1-based) of the first change within `ticks`, or 0.
int FirstChange(TRig& rig, int ticks) {
  for (int tick = 1; tick <= ticks; ++tick)
    if (rig.Tick() == TTickResult::Switched) return tick;
  return 0;
}

// The fake wall clock reads 2025-06-15T15:23:20Z at the start; the last change was saved `Ago`
// seconds before (ahead of the clock when negative).
TEST(SlideshowPeriod, AStartGoesOnFromTheLastChangeOrMakesTheMissedOneSoon) {
  const TSlideshowSettings five{.Period = 5}, hourly{.Period = 1, .Unit = TPeriodUnit::Hours, .OnTheClock = true};
  const struct {
    TSlideshowSettings Settings;
    bool Paused;
    std::optional<std::int64_t> Ago;
    std::optional<std::string> Countdown;
    int FirstChange;  // within 200 ticks; 0: none
    bool KeepsLastChange;
  } cases[] = {
      {five, false, 301, "0 m 3 s", 3, true},
      {five, false, 30 * 86400, "0 m 3 s", 3, true},
      {five, false, 120, "3 m 0 s", 181, true},
      {five, false, -3600, "5 m 0 s", 0, false},
      {five, false, std::nullopt, "5 m 0 s", 0, false},
      {five, true, 301, "paused", 0, false},
      {{}, false, 301, std::nullopt, 0, false},
      {{.Period = 2, .Unit = TPeriodUnit::Days}, false, 86400, "1 d 0 h", 0, true},
      {hourly, false, 1400, "36 m 40 s", 0, true},  // from 15:00:00, 16:00 is next
      {hourly, false, 1401, "0 m 3 s", 3, true},    // from 14:59:59, 15:00 has passed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    TRig rig(4);
    rig.Show.SetSettings(c.Settings);
    rig.Show.SetPaused(c.Paused);
    const std::int64_t now = rig.Clock.UtcSeconds();
    const std::optional<std::int64_t> last = c.Ago ? std::optional(now - *c.Ago) : std::nullopt;
    rig.Show.StartPeriod(last);
    EXPECT_EQ(rig.Show.CountdownText(), c.Countdown);
    EXPECT_EQ(FirstChange(rig, 200), c.FirstChange);
    // The saved moment stays until the period restarts: with the change, or at once.
    EXPECT_EQ(rig.Show.LastChangeUtc(), c.FirstChange ? now + c.FirstChange : c.KeepsLastChange ? *last : now);
    EXPECT_EQ(FirstChange(rig, 5), 0) << "one change, not one per period missed";
  }
  // "Change on startup" makes the missed change itself, and no second follows.
  TRig rig(4);
  rig.Show.SetSettings(five);
  rig.Show.StartPeriod(rig.Clock.UtcSeconds() - 301);
  rig.Show.Next();
  EXPECT_EQ(FirstChange(rig, 200), 0);
}

TEST(SlideshowPeriod, OnTheClockChangesFallOnTheBoundaries) {
  TRig rig(6);
  rig.Show.SetSettings({.Period = 30, .OnTheClock = true});
  rig.Show.StartPeriod(std::nullopt);
  EXPECT_EQ(rig.Show.CountdownText(), "6 m 40 s");  // to 15:30
  EXPECT_EQ(FirstChange(rig, 500), 400);
  rig.Clock.Now += 600'000;
  rig.Show.Next();  // at 15:40: the next boundary is still 16:00
  EXPECT_EQ(rig.Show.CountdownText(), "20 m 0 s");
  rig.Clock.Now += 7'200'000;  // asleep across four boundaries: one change on waking
  EXPECT_EQ(FirstChange(rig, 1), 1);
  EXPECT_EQ(FirstChange(rig, 1200), 1199);
  rig.Clock.Offset = 3600;  // a day counts from local midnight
  rig.Show.SetSettings({.Period = 1, .Unit = TPeriodUnit::Days, .OnTheClock = true});
  EXPECT_EQ(rig.Show.CountdownText(), "5 h 0 m");  // 19:00 local
}

}  // namespace
}  // namespace tarvell
