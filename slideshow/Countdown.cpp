#include "slideshow/Countdown.h"

#include "base/WholeNumber.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace tarvell {

std::optional<std::int32_t> ParsePeriod(std::string_view text) {
  const auto number = ParseWholeNumber(text);
  if (!number || *number < 0 || *number > MaxPeriod) return std::nullopt;
  return number;
}

namespace {

struct TUnitInfo {
  std::int32_t Seconds;
  std::string_view Caption;
  char Letter;
};

constexpr TUnitInfo Units[] = {{1, " sec ", 's'}, {60, " min ", 'm'}, {3600, " hours ", 'h'}, {86400, " days ", 'd'}};

const TUnitInfo& Info(TPeriodUnit unit) { return Units[static_cast<std::size_t>(unit)]; }

}  // namespace

std::int32_t UnitSeconds(TPeriodUnit unit) { return Info(unit).Seconds; }

std::string_view PeriodUnitCaption(TPeriodUnit unit) { return Info(unit).Caption; }

char PeriodUnitLetter(TPeriodUnit unit) { return Info(unit).Letter; }

std::optional<TPeriodUnit> ParsePeriodUnit(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  const char letter = static_cast<char>(text[0] >= 'A' && text[0] <= 'Z' ? text[0] - 'A' + 'a' : text[0]);
  for (std::size_t i = 0; i < std::size(Units); ++i)
    if (Units[i].Letter == letter) return static_cast<TPeriodUnit>(i);
  return std::nullopt;
}

bool SwitchDue(std::int64_t secondsElapsed, double period, TPeriodUnit unit, bool listEmpty) {
  if (period == 0 || listEmpty) return false;
  return static_cast<double>(secondsElapsed) / UnitSeconds(unit) > period;
}

bool CountdownShown(double period) { return period != 0; }

std::int64_t SecondsToChange(std::int64_t secondsElapsed, double period, TPeriodUnit unit, bool listEmpty) {
  if (listEmpty) return 0;
  const double left = std::trunc(period * UnitSeconds(unit) - static_cast<double>(secondsElapsed));
  // A change that is overdue (it could not be made) shows 0 m 0 s, not a negative time.
  if (!(left > 0)) return 0;
  return static_cast<std::int64_t>(left);
}

std::string CountdownText(std::int64_t secondsToChange) {
  // The two largest units that are not zero: seconds matter only in the last hour.
  const auto pair = [](std::int64_t big, const char* bigName, std::int64_t small, const char* smallName) {
    return std::to_string(big) + bigName + std::to_string(small) + smallName;
  };
  const std::int64_t left = std::max<std::int64_t>(secondsToChange, 0);
  if (left >= 86400) return pair(left / 86400, " d ", left % 86400 / 3600, " h");
  if (left >= 3600) return pair(left / 3600, " h ", left % 3600 / 60, " m");
  return pair(left / 60, " m ", left % 60, " s");
}

std::int32_t ElapsedSeconds(std::uint64_t milliseconds) {
  constexpr auto Most = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t seconds = milliseconds / 1000 + (milliseconds % 1000 >= 500 ? 1 : 0);
  return static_cast<std::int32_t>(std::min(seconds, Most));
}

std::string PeriodTextAfterUnitSwitch(std::string_view periodText, TPeriodUnit to) {
  if (to == TPeriodUnit::Seconds) {
    const auto period = ParsePeriod(periodText);
    if (!period || *period < 5) return "5";
  }
  return std::string(periodText);
}

std::int32_t NextSecondsElapsed(std::int32_t secondsElapsed) {
  return secondsElapsed == std::numeric_limits<std::int32_t>::max() ? secondsElapsed : secondsElapsed + 1;
}

}  // namespace tarvell
