#pragma once
// The arithmetic of the switching timer. `secondsElapsed` is the real time in whole seconds
// since the wallpaper was last applied or cleared; the period P counts seconds, minutes, hours
// or days. A change falls due once secondsElapsed / unit > P, so with the timer's one-second
// ticks P × unit + 1 ticks after the previous one. A period of 0 switches nothing and leaves
// the countdown alone. 1000 days are 86.4 million seconds: counts of seconds are 64-bit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr std::int32_t MaxPeriod = 1000;

// The period of a period text: a whole number from 0 to MaxPeriod, else nothing.
std::optional<std::int32_t> ParsePeriod(std::string_view text);

enum class TPeriodUnit : std::uint8_t { Seconds, Minutes, Hours, Days };

// Seconds per period unit: 1, 60, 3600 or 86400.
std::int32_t UnitSeconds(TPeriodUnit unit);

// The unit's caption beside the period: " sec ", " min ", " hours " or " days ".
std::string_view PeriodUnitCaption(TPeriodUnit unit);

// The unit's letter in the settings file, 's', 'm', 'h' or 'd', and back (either case).
char PeriodUnitLetter(TPeriodUnit unit);
std::optional<TPeriodUnit> ParsePeriodUnit(std::string_view text);

// Whether the tick that brought `secondsElapsed` to its value changes the picture.
bool SwitchDue(std::int64_t secondsElapsed, double period, TPeriodUnit unit, bool listEmpty);

// Whether the countdown text is updated on a tick (not with a period of 0).
bool CountdownShown(double period);

// Seconds left until the next change: P × unit − secondsElapsed, truncated towards zero;
// 0 for an empty list and never below 0.
std::int64_t SecondsToChange(std::int64_t secondsElapsed, double period, TPeriodUnit unit, bool listEmpty);

// The countdown text, no leading zeros, truncated: "4 m 59 s" below an hour, "3 h 4 m" below a
// day, "1 d 2 h" from a day on.
std::string CountdownText(std::int64_t secondsToChange);

// What the countdown says while a due change waits for a full-screen program to end.
inline constexpr const char FullScreenWaitText[] = "waiting: full screen";

// Whole seconds in `milliseconds`, to the nearest: the timer's messages come a little early
// or late, and cutting off would now and then put a change one tick later. At most the
// largest 32-bit count.
std::int32_t ElapsedSeconds(std::uint64_t milliseconds);

// The period text after switching the unit: to seconds, a period below 5 becomes "5";
// otherwise the number stays as it is (20 minutes become 20 seconds, or 20 hours).
std::string PeriodTextAfterUnitSwitch(std::string_view periodText, TPeriodUnit to);

// One tick more, without overflowing after 68 years of an empty list.
std::int32_t NextSecondsElapsed(std::int32_t secondsElapsed);

}  // namespace tarvell
