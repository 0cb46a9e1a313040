// The display bookkeeping through the slideshow: which display or settings notice decodes the
// desktop's picture again, for which screen, and when it waits.
#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Docking to a larger screen decodes the picture on the desktop again at once; a screen no
// larger in either direction shows the old decode as sharp, and is left alone.
TEST(DisplayBook, ADisplayChangeReappliesThePictureOnlyForALargerScreen) {
  const struct {
    TSize now;
    bool reapplied;
  } cases[] = {{{3840, 2160}, true},  {{2560, 1080}, true}, {{1080, 1920}, true},
               {{1920, 1080}, false}, {{1280, 720}, false}, {{1920, 800}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.now.Width << "x" << c.now.Height);
    TRig rig(3);
    rig.Show.SetSettings({.Sound = true, .Period = 1});
    rig.Desktop.Screen = {1920, 1080};
    rig.Show.Next();
    rig.Clock.Now += 30'000;
    const std::int32_t elapsed = rig.Show.SecondsElapsed();
    rig.Desktop.Log.clear();
    rig.View.Beeps.clear();
    const int finished = rig.View.Finished;
    rig.Desktop.Screen = c.now;
    rig.DisplayNotice();
    EXPECT_EQ(rig.Desktop.Log, c.reapplied ? (std::vector<std::string>{"load " + Pic(1), "apply " + Pic(1)})
                                        : std::vector<std::string>{});
    EXPECT_EQ(rig.View.Finished, finished + (c.reapplied ? 1 : 0)) << "a hidden window lets go of the decode";
    EXPECT_EQ(rig.Show.CurrentIndex(), 1);
    EXPECT_EQ(rig.Show.SecondsElapsed(), elapsed) << "not a change: the period goes on";
    EXPECT_TRUE(rig.View.Beeps.empty());
    // The size it was decoded for is remembered: a second notice of the same screen does nothing.
    rig.Desktop.Log.clear();
    rig.DisplayNotice();
    EXPECT_TRUE(rig.Desktop.Log.empty());
  }
}

// Only a wallpaper the program put there is decoded again, and the preview goes back to the
// picture the user picked; a question's answer may still change the desktop, so it waits.
TEST(DisplayBook, ADisplayChangeActsOnTheDesktopPictureAndWaitsForQuestions) {
  TRig rig(3);
  rig.Desktop.Screen = {3840, 2160};
  rig.DisplayNotice();
  EXPECT_TRUE(rig.Desktop.Applied.empty()) << "nothing applied yet";

  rig.Desktop.Screen = {1920, 1080};
  rig.Show.Next();
  rig.Show.Pick(2);
  rig.Desktop.Log.clear();
  rig.Desktop.Screen = {3840, 2160};
  rig.DisplayNotice();
  EXPECT_EQ(rig.Desktop.Log, (std::vector<std::string>{"load " + Pic(1), "apply " + Pic(1), "load " + Pic(2)}));
  EXPECT_EQ(rig.View.Preview, Pic(2));
  EXPECT_EQ(rig.Show.CurrentIndex(), 2);

  rig.Show.Clear();
  rig.Desktop.Screen = {5120, 2880};
  rig.Desktop.Log.clear();
  rig.DisplayNotice();
  EXPECT_TRUE(rig.Desktop.Log.empty()) << "a cleared desktop has nothing to sharpen";

  rig.Show.Next();  // picture 0, for 5120 x 2880
  rig.Desktop.Screen = {7680, 4320};
  rig.Desktop.Log.clear();
  rig.View.OpenQuestions = 1;
  rig.DisplayNotice();
  rig.Tick();
  EXPECT_TRUE(rig.Desktop.Log.empty());
  rig.View.OpenQuestions = 0;
  rig.Tick();
  EXPECT_EQ(rig.Desktop.Log, (std::vector<std::string>{"load " + Pic(0), "apply " + Pic(0)}));

  // A picture gone from the disk meanwhile leaves the wallpaper as it is, without questions.
  rig.Desktop.Results[Pic(0)] = TLoadResult::Unreadable;
  rig.Desktop.Screen = {9000, 5000};
  rig.Desktop.Log.clear();
  rig.DisplayNotice();
  EXPECT_EQ(rig.Desktop.Log, std::vector<std::string>{"load " + Pic(0)});
  EXPECT_TRUE(rig.View.Questions.empty());
}

// Regression: a display or settings notice put the program's wallpaper back over one the user
// had just chosen in the system's settings.
TEST(DisplayBook, ADisplayChangeLeavesAWallpaperTheUserSetSince) {
  for (const bool perMonitor : {false, true}) {
    SCOPED_TRACE(perMonitor ? "each monitor" : "one picture");
    TRig rig(4);
    rig.Show.SetSettings({.PerMonitor = perMonitor});
    rig.Desktop.Monitors = 2;
    rig.Show.Next();
    rig.Desktop.Log.clear();
    rig.Desktop.OursOnDesktop = false;
    rig.Desktop.Screen = {3840, 2160};
    rig.Desktop.Monitors = 3;
    rig.DisplayNotice();
    EXPECT_TRUE(rig.Desktop.Log.empty());
    rig.Show.Next();
    EXPECT_FALSE(rig.Desktop.Log.empty()) << "the next change of the slideshow is applied as always";
  }
}

}  // namespace
}  // namespace tarvell
