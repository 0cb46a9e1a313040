#pragma once
// The arithmetic of the one-second switching timer. `secondsElapsed` counts the ticks
// since the wallpaper was last applied or cleared (each tick adds 1 before asking);
// the period P is in minutes, or in seconds in seconds mode. A change falls due on the
// tick where secondsElapsed / unit > P, so P × unit + 1 ticks after the previous one.
// A period of 0 switches nothing and leaves the countdown alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr std::int32_t MaxPeriod = 1000;

// The period of a period text: a whole number from 0 to MaxPeriod, else nothing.
std::optional<std::int32_t> ParsePeriod(std::string_view text);

// Seconds per period unit: 1 in seconds mode, else 60.
float PeriodUnit(bool secondsMode);

// The unit's caption beside the period: " sec " or " min ".
std::string_view PeriodUnitCaption(bool secondsMode);

// Whether the tick that brought `secondsElapsed` to its value changes the picture.
bool SwitchDue(std::int32_t secondsElapsed, double period, bool secondsMode, bool listEmpty);

// Whether the countdown text is updated on a tick (not with a period of 0).
bool CountdownShown(double period);

// Seconds left until the next change: P × unit − secondsElapsed, truncated towards zero;
// 0 for an empty list and never below 0.
std::int32_t SecondsToChange(std::int32_t secondsElapsed, double period, bool secondsMode, bool listEmpty);

// The countdown text: "M m S s", no leading zeros ("4 m 59 s").
std::string CountdownText(std::int32_t secondsToChange);

// The period text after switching the unit: to seconds, a period below 5 becomes "5";
// otherwise the number stays as it is (20 minutes become 20 seconds).
std::string PeriodTextAfterUnitSwitch(std::string_view periodText, bool toSeconds);

// One tick more, without overflowing after 68 years of an empty list.
std::int32_t NextSecondsElapsed(std::int32_t secondsElapsed);

}  // namespace tarvell
