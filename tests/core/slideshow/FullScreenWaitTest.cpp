// A due change waits for a full-screen program one extra period at most.
#include "slideshow/FullScreenWait.h"

#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Regression: a shell that says "busy" for good (an invisible topmost overlay) held every
// change for good. Held through the period after the one it fell due in, then made anyway.
TEST(FullScreenWait, ADueChangeWaitsOneExtraPeriodAtMost) {
  const struct {
    double Period;
    bool Seconds;
    std::int32_t LastHeld;  // seconds after the last change
  } cases[] = {{3, true, 6}, {2, false, 240}, {0.5, false, 60}};
  for (const auto& c : cases) {
    EXPECT_TRUE(FullScreenMayHold(c.LastHeld, c.Period, c.Seconds)) << c.Period;
    EXPECT_FALSE(FullScreenMayHold(c.LastHeld + 1, c.Period, c.Seconds)) << c.Period;
  }

  TRig rig(4);
  rig.Show.SetSettings({false, false, false, 3, true});
  rig.Show.RestartPeriod();
  rig.Desktop.FullScreen = true;
  std::vector<int> switches;
  for (int tick = 1; tick <= 14; ++tick) {
    if (rig.Tick() == TTickResult::Switched) switches.push_back(tick);
    if (tick == 6 || tick == 7) {
      EXPECT_EQ(rig.Show.CountdownText(), tick == 6 ? "waiting: full screen" : "0 m 3 s");
    }
  }
  EXPECT_EQ(switches, (std::vector<int>{7, 14}));
  EXPECT_EQ(rig.Desktop.FullScreenChecks, 6) << "three due ticks held in each period";
}

}  // namespace
}  // namespace tarvell
