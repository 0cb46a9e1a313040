#include "slideshow/Countdown.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace tarvell {
namespace {

// Runs the timer for `ticks` seconds the way the main window does: count, switch when
// due (applying resets the count), then show the countdown. Returns the switching ticks.
struct TTimerRun {
  std::vector<int> Switches;
  std::vector<std::string> Texts;  // countdown text after each tick
};

constexpr TPeriodUnit Sec = TPeriodUnit::Seconds, Min = TPeriodUnit::Minutes;

TTimerRun RunTimer(double period, bool secondsMode, int ticks, bool listEmpty = false) {
  const TPeriodUnit unit = secondsMode ? Sec : Min;
  TTimerRun run;
  std::int32_t elapsed = 0;
  std::string text = "unchanged";
  for (int tick = 1; tick <= ticks; ++tick) {
    elapsed = NextSecondsElapsed(elapsed);
    if (SwitchDue(elapsed, period, unit, listEmpty)) {
      run.Switches.push_back(tick);
      elapsed = 0;
    }
    if (CountdownShown(period)) text = CountdownText(SecondsToChange(elapsed, period, unit, listEmpty));
    run.Texts.push_back(text);
  }
  return run;
}

TEST(Countdown, ChangesComePeriodTimesUnitPlusOneTicksApart) {
  EXPECT_EQ(RunTimer(5, false, 700).Switches, (std::vector<int>{301, 602}));
  EXPECT_EQ(RunTimer(5, true, 20).Switches, (std::vector<int>{6, 12, 18}));
  EXPECT_EQ(RunTimer(1, true, 8).Switches, (std::vector<int>{2, 4, 6, 8}));
  EXPECT_EQ(RunTimer(1000, false, 60002).Switches, (std::vector<int>{60001}));
}

TEST(Countdown, TextRunsFromTheFullPeriodDownToZero) {
  const auto run = RunTimer(5, false, 302);
  EXPECT_EQ(run.Texts[0], "4 m 59 s");   // first tick after start
  EXPECT_EQ(run.Texts[299], "0 m 0 s");  // tick 300, the last before the change
  EXPECT_EQ(run.Texts[300], "5 m 0 s");  // tick 301 changes
  EXPECT_EQ(run.Texts[301], "4 m 59 s");
  EXPECT_EQ(CountdownText(0), "0 m 0 s");
  EXPECT_EQ(CountdownText(61), "1 m 1 s");
  EXPECT_EQ(CountdownText(60000), "16 h 40 m");  // 1000 minutes
}

TEST(Countdown, PeriodZeroAndEmptyList) {
  const auto off = RunTimer(0, true, 100);
  EXPECT_TRUE(off.Switches.empty());
  EXPECT_EQ(off.Texts.back(), "unchanged");

  const auto empty = RunTimer(1, true, 10, true);
  EXPECT_TRUE(empty.Switches.empty());
  EXPECT_EQ(empty.Texts.back(), "0 m 0 s");
  // A list that fills after the period ran out switches at once.
  EXPECT_TRUE(SwitchDue(10, 1, Sec, false));
}

TEST(Countdown, ComparisonIsStrictInEitherUnit) {
  EXPECT_FALSE(SwitchDue(300, 5, Min, false));
  EXPECT_TRUE(SwitchDue(301, 5, Min, false));
  EXPECT_FALSE(SwitchDue(5, 5, Sec, false));
  EXPECT_TRUE(SwitchDue(6, 5, Sec, false));
  // After a switch to seconds with more already elapsed, the next tick changes.
  EXPECT_TRUE(SwitchDue(100, 20, Sec, false));
}

TEST(Countdown, OverdueChangeShowsZeroNotANegativeTime) {
  EXPECT_EQ(SecondsToChange(400, 5, Min, false), 0);
  EXPECT_EQ(SecondsToChange(299, 5, Min, false), 1);
  EXPECT_EQ(NextSecondsElapsed(std::numeric_limits<std::int32_t>::max()), std::numeric_limits<std::int32_t>::max());
}

TEST(Countdown, ElapsedSecondsRoundToTheNearestAndStopAtTheLargestCount) {
  const std::pair<std::uint64_t, std::int32_t> cases[] = {
      {0, 0}, {499, 0}, {500, 1}, {1499, 1}, {300'700, 301}, {1ull << 62, std::numeric_limits<std::int32_t>::max()}};
  for (const auto& [ms, seconds] : cases) EXPECT_EQ(ElapsedSeconds(ms), seconds) << ms;
}

TEST(Countdown, UnitSwitch) {
  EXPECT_EQ(PeriodTextAfterUnitSwitch("3", Sec), "5");
  EXPECT_EQ(PeriodTextAfterUnitSwitch("0", Sec), "5");
  EXPECT_EQ(PeriodTextAfterUnitSwitch("20", Sec), "20");
  EXPECT_EQ(PeriodTextAfterUnitSwitch("3", Min), "3");
  EXPECT_EQ(PeriodTextAfterUnitSwitch("1", TPeriodUnit::Hours), "1");
  EXPECT_EQ(PeriodTextAfterUnitSwitch("0", TPeriodUnit::Days), "0");
}

TEST(Countdown, LongPeriodsCountInHoursAndDays) {
  const std::pair<std::int64_t, const char*> texts[] = {{3599, "59 m 59 s"},  {3600, "1 h 0 m"},   {11'099, "3 h 4 m"},
                                                          {86'399, "23 h 59 m"}, {93'599, "1 d 1 h"}, {86'400'000, "1000 d 0 h"}};
  for (const auto& [seconds, text] : texts) EXPECT_EQ(CountdownText(seconds), text) << seconds;
  // 1000 days, strictly, without overflowing.
  EXPECT_FALSE(SwitchDue(86'400'000, 1000, TPeriodUnit::Days, false));
  EXPECT_TRUE(SwitchDue(86'400'001, 1000, TPeriodUnit::Days, false));
  EXPECT_EQ(SecondsToChange(1, 1000, TPeriodUnit::Days, false), 86'399'999);
}

TEST(Countdown, PeriodIsAWholeNumberFromZeroToAThousand) {
  EXPECT_EQ(ParsePeriod("1000"), 1000);
  EXPECT_EQ(ParsePeriod("1001"), std::nullopt);
  EXPECT_EQ(ParsePeriod("-0"), 0);
  EXPECT_EQ(ParsePeriod("5.5"), std::nullopt);
}

}  // namespace
}  // namespace tarvell
