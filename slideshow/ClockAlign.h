#pragma once
// Changes on the clock: the moments of local wall time that are whole multiples of the period.
// A period shorter than a day counts from each local midnight (30 minutes: :00 and :30; 7
// hours: 0, 7, 14 and 21 o'clock, then midnight again); a day or longer counts from local
// midnight of 1970-01-01, so 2 days fall on every other midnight, the same ones every time.
// The moments are taken in local wall time and mapped back to UTC, so a day of 23 or 25 hours
// still changes on the hour. A local time that occurs twice counts once, at its first
// occurrence still to come; one skipped by the clock going forward counts as the old offset
// would have it.

#include <cstdint>
#include <functional>

namespace tarvell {

// Local time minus UTC at an instant in UTC seconds (IClock::LocalOffsetSeconds).
using TLocalOffset = std::function<std::int64_t(std::int64_t utcSeconds)>;

// The first such moment strictly after `afterUtc`, in UTC seconds; `periodSeconds` > 0.
std::int64_t NextClockBoundary(std::int64_t afterUtc, std::int64_t periodSeconds, const TLocalOffset& offset);

}  // namespace tarvell
