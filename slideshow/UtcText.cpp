#include "slideshow/UtcText.h"

#include <cstdio>

namespace tarvell {

namespace {

constexpr std::int64_t DaySeconds = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(year, 400);
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct TCivil {
  std::int64_t Year;
  unsigned Month;
  unsigned Day;
};

// The inverse of DaysFromCivil (H. Hinnant's algorithm, in eras of 400 years).
TCivil CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = FloorDiv(days, 146097);
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;  // March is 0
  const unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  const unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The digits at [at, at + count) as a number, or -1 when any is not a digit.
std::int64_t Digits(std::string_view text, std::size_t at, std::size_t count) {
  std::int64_t value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string UtcText(std::int64_t utcSeconds) {
  const std::int64_t days = FloorDiv(utcSeconds, DaySeconds);
  const std::int64_t second = utcSeconds - days * DaySeconds;
  const TCivil date = CivilFromDays(days);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02d:%02d:%02dZ", static_cast<long long>(date.Year), date.Month,
                date.Day, static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60),
                static_cast<int>(second % 60));
  return text;
}

std::optional<std::int64_t> ParseUtcText(std::string_view text) {
  constexpr std::string_view Form = "0000-00-00T00:00:00Z";
  if (text.size() != Form.size()) return std::nullopt;
  for (std::size_t i = 0; i < Form.size(); ++i)
    if (Form[i] != '0' && text[i] != Form[i]) return std::nullopt;
  const std::int64_t year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  const std::int64_t hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
  if (year < 1970 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return std::nullopt;
  const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  // February 30 would be March 2: a date that does not come back as itself does not exist.
  const TCivil back = CivilFromDays(days);
  if (back.Month != month || back.Day != day) return std::nullopt;
  return days * DaySeconds + hour * 3600 + minute * 60 + second;
}

}  // namespace tarvell
