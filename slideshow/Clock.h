#pragma once
// Real time for the period between changes: milliseconds from any fixed start. It goes on
// counting while the machine sleeps, so a change that fell due meanwhile is seen on waking.
// The wall clock too: the period outlives a restart, and changes may keep to the local clock.

#include <cstdint>

namespace tarvell {

class IClock {
public:
  virtual ~IClock() = default;
  virtual std::uint64_t Milliseconds() const = 0;
  // Seconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t UtcSeconds() const = 0;
  // Local time minus UTC at that instant, daylight saving included.
  virtual std::int64_t LocalOffsetSeconds(std::int64_t utcSeconds) const = 0;
};

}  // namespace tarvell
