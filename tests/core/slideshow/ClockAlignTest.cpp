// The arithmetic of the wall clock: boundaries on the local clock, and moments as the settings file writes them.
#include "slideshow/ClockAlign.h"

#include "slideshow/UtcText.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace tarvell {
namespace {

std::int64_t At(const char* utcText) { return ParseUtcText(utcText).value(); }

// Central Europe in 2025: +1 h, +2 h from 30 March 01:00 UTC to 26 October 01:00 UTC.
std::int64_t CentralEurope(std::int64_t utc) {
  return utc >= At("2025-03-30T01:00:00Z") && utc < At("2025-10-26T01:00:00Z") ? 7200 : 3600;
}

TEST(ClockAlign, BoundariesFollowTheLocalClockAcrossDaylightSaving) {
  const TLocalOffset utc = [](std::int64_t) { return 0; };
  const TLocalOffset newYork = [](std::int64_t) { return -4 * 3600; };
  const TLocalOffset europe = CentralEurope;
  const std::tuple<const char*, std::int64_t, const TLocalOffset&, const char*> cases[] = {
      {"2025-06-01T10:17:00Z", 3600, utc, "2025-06-01T11:00:00Z"},
      {"2025-06-01T11:00:00Z", 3600, utc, "2025-06-01T12:00:00Z"},
      {"2025-06-01T22:00:00Z", 7 * 3600, utc, "2025-06-02T00:00:00Z"},  // 21 o'clock, then midnight
      {"2025-06-01T03:00:00Z", 86400, newYork, "2025-06-01T04:00:00Z"},
      {"2025-06-01T10:00:00Z", 2 * 86400, europe, "2025-06-02T22:00:00Z"},  // day 20242 since 1970
      {"2025-06-01T10:00:00Z", 25 * 3600, utc, "2025-06-01T15:00:00Z"},     // hour 19,431 × 25 since 1970
      // The 23-hour day: midnight to midnight, and the hour the clock skips.
      {"2025-03-29T23:00:00Z", 86400, europe, "2025-03-30T22:00:00Z"},
      {"2025-03-30T00:30:00Z", 3600, europe, "2025-03-30T01:00:00Z"},
      {"2025-03-30T01:00:00Z", 3600, europe, "2025-03-30T02:00:00Z"},
      {"2025-03-30T01:00:00Z", 1800, europe, "2025-03-30T01:30:00Z"},
      // The 25-hour day, and the hour it repeats.
      {"2025-10-25T22:00:00Z", 86400, europe, "2025-10-26T23:00:00Z"},
      {"2025-10-26T00:15:00Z", 1800, europe, "2025-10-26T00:30:00Z"},
      {"2025-10-26T01:30:00Z", 1800, europe, "2025-10-26T02:00:00Z"},
  };
  for (const auto& [after, period, offset, next] : cases)
    EXPECT_EQ(UtcText(NextClockBoundary(At(after), period, offset)), next) << after << " " << period;
}

TEST(UtcText, RoundTripsAndRefusesWhatIsNoMoment) {
  const std::pair<std::int64_t, const char*> moments[] = {
      {0, "1970-01-01T00:00:00Z"}, {951'782'400, "2000-02-29T00:00:00Z"}, {253'402'300'799, "9999-12-31T23:59:59Z"}};
  for (const auto& [utc, text] : moments) {
    EXPECT_EQ(UtcText(utc), text);
    EXPECT_EQ(ParseUtcText(text), utc) << text;
  }
  for (const char* bad :
       {"", "2025-02-30T00:00:00Z", "2100-02-29T00:00:00Z", "1969-12-31T23:59:59Z", "2025-13-01T00:00:00Z",
        "2025-06-00T00:00:00Z", "2025-06-01T24:00:00Z", "2025-06-01T12:60:00Z", "2025-06-01T12:00:60Z",
        "2025-06-01 12:00:00Z", "2025-06-01T12:00:00z", "+025-06-01T12:00:00Z"})
    EXPECT_EQ(ParseUtcText(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tarvell
