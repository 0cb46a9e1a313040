#include "slideshow/ClockAlign.h"

#include <algorithm>

namespace tarvell {

namespace {

constexpr std::int64_t Day = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// The first boundary of local wall time strictly after `local`.
std::int64_t NextLocal(std::int64_t local, std::int64_t period) {
  if (period >= Day) return (FloorDiv(local, period) + 1) * period;
  const std::int64_t midnight = FloorDiv(local, Day) * Day;
  return std::min(midnight + (FloorDiv(local - midnight, period) + 1) * period, midnight + Day);
}

// The instant after `afterUtc` at which the local clock shows `local`. The offsets a day either
// side stand for those before and after a daylight-saving change near it.
std::int64_t ToUtc(std::int64_t local, std::int64_t afterUtc, const TLocalOffset& offset) {
  const std::int64_t guess = local - offset(local);
  const std::int64_t a = local - offset(guess - Day), b = local - offset(guess + Day);
  const auto shows = [&](std::int64_t utc) { return utc + offset(utc) == local && utc > afterUtc; };
  if (shows(std::min(a, b))) return std::min(a, b);
  // Shown only later, skipped by the clock going forward (then as the old offset has it), or past.
  return std::max(a, b);
}

}  // namespace

std::int64_t NextClockBoundary(std::int64_t afterUtc, std::int64_t periodSeconds, const TLocalOffset& offset) {
  std::int64_t local = afterUtc + offset(afterUtc);
  // A boundary that maps to the past (the hour repeated after the clock went back) gives way to
  // the next; a few steps always reach one.
  for (int step = 0; step < 4; ++step) {
    local = NextLocal(local, periodSeconds);
    const std::int64_t utc = ToUtc(local, afterUtc, offset);
    if (utc > afterUtc) return utc;
  }
  return afterUtc + periodSeconds;
}

}  // namespace tarvell
