// Real time for the slideshow's period.
#pragma once

#include "slideshow/Clock.h"

#include <windows.h>

namespace tarvell {

class TTickClock : public IClock {
public:
  // GetTickCount64 goes on counting while the machine sleeps or hibernates, as a period of
  // real time must; QueryUnbiasedInterruptTime stops then, and QueryInterruptTime needs
  // Windows 10. Its steps of 10 to 16 ms are far finer than the timer's second.
  std::uint64_t Milliseconds() const override { return ::GetTickCount64(); }
};

}  // namespace tarvell
