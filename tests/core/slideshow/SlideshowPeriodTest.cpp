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

// The fake wall clock reads 2025-06-15T15:23:20Z when the rig starts.
TEST(SlideshowPeriod, AStartGoesOnFromTheLastChangeOrMakesTheMissedOneSoon) {
  struct Case {
    const char* Name;
    TSlideshowSettings Settings;
    bool Paused;
    std::optional<std::int64_t> SecondsAgo;  // the saved last change; negative: ahead of the clock
    std::optional<std::string> Countdown;
    int FirstChange;  // within 200 ticks
    bool KeepsLastChange;
  };
  const TSlideshowSettings fiveMinutes{.Period = 5}, hourly{.Period = 1, .Unit = TPeriodUnit::Hours, .OnTheClock = true};
  const Case cases[] = {
      {"due", fiveMinutes, false, 301, "0 m 3 s", 3, true},
      {"many periods missed", fiveMinutes, false, 30 * 86400, "0 m 3 s", 3, true},
      {"not due", fiveMinutes, false, 120, "3 m 0 s", 181, true},
      {"ahead of the clock", fiveMinutes, false, -3600, "5 m 0 s", 0, false},
      {"none saved", fiveMinutes, false, std::nullopt, "5 m 0 s", 0, false},
      {"paused", fiveMinutes, true, 301, "paused", 0, false},
      {"period 0", {}, false, 301, std::nullopt, 0, false},
      {"days", {.Period = 2, .Unit = TPeriodUnit::Days}, false, 86400, "1 d 0 h", 0, true},
      {"on the clock, not due", hourly, false, 1400, "36 m 40 s", 0, true},  // from 15:00:00 to 16:00
      {"on the clock, due", hourly, false, 1401, "0 m 3 s", 3, true},        // 14:59:59 saw 15:00 pass
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TRig rig(4);
    rig.Show.SetSettings(c.Settings);
    rig.Show.SetPaused(c.Paused);
    const std::int64_t now = rig.Clock.UtcSeconds();
    const std::optional<std::int64_t> last = c.SecondsAgo ? std::optional(now - *c.SecondsAgo) : std::nullopt;
    rig.Show.StartPeriod(last);
    EXPECT_EQ(rig.Show.CountdownText(), c.Countdown);
    EXPECT_EQ(rig.Show.LastChangeUtc(), c.KeepsLastChange ? *last : now);
    EXPECT_EQ(FirstChange(rig, 200), c.FirstChange);
    if (c.FirstChange) {
      EXPECT_EQ(rig.Show.LastChangeUtc(), now + c.FirstChange) << "the period restarts with it";
    }
    EXPECT_EQ(FirstChange(rig, 5), 0) << "one change, not one per period missed";
  }
  // "Change on startup" makes the missed change itself; the period restarts, and no second follows.
  TRig rig(4);
  rig.Show.SetSettings(fiveMinutes);
  rig.Show.StartPeriod(rig.Clock.UtcSeconds() - 301);
  rig.Show.Next();
  EXPECT_EQ(FirstChange(rig, 200), 0);
  EXPECT_EQ(rig.Desktop.Applied.size(), 1u);
}

TEST(SlideshowPeriod, OnTheClockChangesFallOnTheBoundaries) {
  TRig rig(6);
  rig.Show.SetSettings({.Period = 30, .OnTheClock = true});
  rig.Show.StartPeriod(std::nullopt);
  EXPECT_EQ(rig.Show.CountdownText(), "6 m 40 s");  // to 15:30
  EXPECT_EQ(FirstChange(rig, 500), 400);
  EXPECT_EQ(rig.Show.CountdownText(), "30 m 0 s");
  rig.Clock.Now += 600'000;
  rig.Show.Next();  // at 15:40: the next boundary still comes at 16:00
  EXPECT_EQ(rig.Show.CountdownText(), "20 m 0 s");
  // Asleep across four boundaries: one change on waking, then on to the next boundary.
  rig.Clock.Now += 7'200'000;
  EXPECT_EQ(FirstChange(rig, 1), 1);
  EXPECT_EQ(rig.Show.CountdownText(), "19 m 59 s");
  EXPECT_EQ(FirstChange(rig, 1199), 1199);
  // Local time an hour ahead of UTC moves nothing for a period that divides the hour, but a day.
  rig.Clock.Offset = 3600;
  rig.Show.SetSettings({.Period = 1, .Unit = TPeriodUnit::Days, .OnTheClock = true});
  EXPECT_EQ(rig.Show.CountdownText(), "5 h 0 m");  // from 19:00 local to midnight
}

}  // namespace
}  // namespace tarvell
