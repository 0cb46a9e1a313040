#pragma once
// How long a due change waits for a full-screen program. The shell may say "busy" for good (a
// program that never leaves full screen, an overlay no check tells apart), so a change waits at
// most one extra period and is then made anyway.

#include "slideshow/Countdown.h"

#include <cstdint>

namespace tarvell {

// Whether a due change, `secondsElapsed` after the last one, may still wait for a full-screen
// program: until a whole period has passed since it fell due.
inline bool FullScreenMayHold(std::int64_t secondsElapsed, double period, TPeriodUnit unit) {
  return !SwitchDue(secondsElapsed, 2 * period, unit, false);
}

}  // namespace tarvell
