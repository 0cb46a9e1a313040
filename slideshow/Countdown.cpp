#include "slideshow/Countdown.h"

#include "base/WholeNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvell {

std::optional<std::int32_t> ParsePeriod(std::string_view text) {
  const auto number = ParseWholeNumber(text);
  if (!number || *number < 0 || *number > MaxPeriod) return std::nullopt;
  return number;
}

float PeriodUnit(bool secondsMode) { return secondsMode ? 1.0f : 60.0f; }

std::string_view PeriodUnitCaption(bool secondsMode) { return secondsMode ? " sec " : " min "; }

bool SwitchDue(std::int32_t secondsElapsed, double period, bool secondsMode, bool listEmpty) {
  if (period == 0 || listEmpty) return false;
  return static_cast<double>(secondsElapsed) / PeriodUnit(secondsMode) > period;
}

bool CountdownShown(double period) { return period != 0; }

std::int32_t SecondsToChange(std::int32_t secondsElapsed, double period, bool secondsMode, bool listEmpty) {
  if (listEmpty) return 0;
  const double left = std::trunc(period * PeriodUnit(secondsMode) - secondsElapsed);
  // A change that is overdue (it could not be made) shows 0 m 0 s, not a negative time.
  if (!(left > 0)) return 0;
  if (left >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(left);
}

std::string CountdownText(std::int32_t secondsToChange) {
  const std::int32_t minutes = secondsToChange / 60;
  const std::int32_t seconds = secondsToChange - minutes * 60;
  return std::to_string(minutes) + " m " + std::to_string(seconds) + " s";
}

std::int32_t ElapsedSeconds(std::uint64_t milliseconds) {
  constexpr auto Most = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t seconds = milliseconds / 1000 + (milliseconds % 1000 >= 500 ? 1 : 0);
  return static_cast<std::int32_t>(std::min(seconds, Most));
}

std::string PeriodTextAfterUnitSwitch(std::string_view periodText, bool toSeconds) {
  if (toSeconds) {
    const auto period = ParsePeriod(periodText);
    if (!period || *period < 5) return "5";
  }
  return std::string(periodText);
}

std::int32_t NextSecondsElapsed(std::int32_t secondsElapsed) {
  return secondsElapsed == std::numeric_limits<std::int32_t>::max() ? secondsElapsed : secondsElapsed + 1;
}

}  // namespace tarvell
