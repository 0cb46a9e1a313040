// Real time for the slideshow's period.
#pragma once

#include "slideshow/Clock.h"

#include <windows.h>

#include <cstdint>

namespace tarvell {

class TTickClock : public IClock {
public:
  // GetTickCount64 goes on counting while the machine sleeps or hibernates, as a period of
  // real time must; QueryUnbiasedInterruptTime stops then, and QueryInterruptTime needs
  // Windows 10. Its steps of 10 to 16 ms are far finer than the timer's second.
  std::uint64_t Milliseconds() const override { return ::GetTickCount64(); }

  std::int64_t UtcSeconds() const override {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return Seconds(now);
  }

  // The time zone's rules for that instant's year, daylight saving included; 0 when the
  // system cannot say.
  std::int64_t LocalOffsetSeconds(std::int64_t utcSeconds) const override {
    if (utcSeconds < -EpochSeconds) return 0;
    const auto ticks = static_cast<ULONGLONG>(utcSeconds + EpochSeconds) * TicksPerSecond;
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utcTime;
    SYSTEMTIME localTime;
    FILETIME local;
    if (!::FileTimeToSystemTime(&utc, &utcTime) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &localTime) ||
        !::SystemTimeToFileTime(&localTime, &local))
      return 0;
    return Seconds(local) - utcSeconds;
  }

private:
  static constexpr std::int64_t EpochSeconds = 11'644'473'600;  // from 1601-01-01, where FILETIME counts
  static constexpr std::int64_t TicksPerSecond = 10'000'000;

  static std::int64_t Seconds(const FILETIME& time) {
    const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / TicksPerSecond) - EpochSeconds;
  }
};

}  // namespace tarvell
