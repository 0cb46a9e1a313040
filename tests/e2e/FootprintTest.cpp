// What the program costs the system once the main window has been shown and hidden again:
// read inside its process by the footprint probe, as the footprint report does.
#include "tests/e2e/support/Footprint.h"
#include "tests/e2e/support/SolidPicture.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace tarvell::e2e;

namespace {

constexpr std::uint64_t TwoMegabytes = std::uint64_t{2} << 20;

class Footprint : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    tarvell::test::TJpegSample sample;
    sample.Width = 3840;
    sample.Height = 2160;
    const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(sample);
    ASSERT_TRUE(WriteWholeFile(Slides + "\\big.jpg", std::string(bytes.begin(), bytes.end())));
    // A period of 1000 minutes: nothing changes but what the test does.
    StartToTray(tarvell::TSettings{.PeriodText = "1000", .StartFolder = Slides, .Transparent = false},
                FootprintSwitch());
    // The start-up applies the picture; wait until its caption says so.
    ASSERT_TRUE(WaitUntil([&] { return WindowText(main) == std::string(MainCaption) + "  1(1)"; }, 30000));
    Settle();
  }

  TFootprint Now() {
    const std::optional<TFootprint> f = ReadFootprint(run.Pid());
    if (!f) ADD_FAILURE() << "the footprint probe did not answer";
    return f.value_or(TFootprint{});
  }

  // Lets the program go idle: the figures move no more within half a second.
  void Settle() {
    TFootprint last = Now();
    WaitUntil(
        [&] {
          WaitUntil([] { return false; }, 500);
          const TFootprint now = Now();
          const bool still = now == last;
          last = now;
          return still;
        },
        10000);
  }

  void ShowAndHide() {
    ASSERT_TRUE(run.ShowFromTray());
    // Painted: the preview's window has been drawn on the picture.
    ASSERT_TRUE(RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN));
    ASSERT_TRUE(BringToFront(main));
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(run.WaitVisible(false));
  }

};

// Painting the 3840 x 2160 preview small left GDI's full-size halftone copy (32 MB) with the
// process after hiding, so the tray program stayed that much larger for as long as it ran.
TEST_F(Footprint, HidingTheWindowGivesBackWhatShowingTheBigPictureTook) {
  const TFootprint before = Now();
  // Quick showings: the painting of one that is still running when the window hides
  // is what kept its memory.
  for (int i = 0; i < 3; ++i) ShowAndHide();
  const TFootprint shown = Now();
  Settle();
  const TFootprint after = Now();
  EXPECT_LE(after.PrivateBytes, before.PrivateBytes + TwoMegabytes)
      << "private bytes: " << Megabytes(before.PrivateBytes) << " MB in the tray, " << Megabytes(shown.PrivateBytes)
      << " MB on hiding, " << Megabytes(after.PrivateBytes) << " MB hidden again";
}

// Each showing of the window left GDI objects behind.
// Twenty cycles show a leak of one object a cycle as surely as fifty did, in less time.
TEST_F(Footprint, TwentyShowHideCyclesLeaveTheGdiObjectCountWhereItWas) {
  // The first showing creates what the window keeps for its life (fonts, brushes).
  ShowAndHide();
  Settle();
  const TFootprint before = Now();
  if (before.GdiObjects == 0) GTEST_SKIP() << "GDI objects cannot be counted on this system";
  for (int i = 0; i < 20; ++i) ShowAndHide();
  Settle();
  const TFootprint after = Now();
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
  EXPECT_LE(after.UserObjects, before.UserObjects);
  EXPECT_LE(after.Handles, before.Handles);
}

}  // namespace
