// The tray icon clicked as a person clicks it: real mouse input on the icon in the
// notification area, which the shell turns into the program's tray messages.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/SolidPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

bool DesktopShows(COLORREF color) { return ColorNear(DesktopCorner(), color, 12); }

using TrayClick = TTarvellCase;

TEST_F(TrayClick, LeftAppliesTheNextPictureRightClearsRightDoubleClearsAndShowsTheWindow) {
  ASSERT_TRUE(AddRedAndGreenSlides());
  StartToTray(tarvell::TSettings{.StartFolder = Slides, .Transparent = false});

  // A fresh prefix has no other icon in the notification area.
  std::vector<RECT> icons;
  ASSERT_TRUE(WaitUntil([&] { return (icons = TrayIconPlaces()).size() == 1; }, 10000))
      << icons.size() << " icons in the notification area";
  const RECT r = icons[0];
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  const COLORREF bare = DesktopCorner();

  ClickAt(x, y);
  EXPECT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 10000)) << "a left press applies the next picture";
  EXPECT_EQ(WindowText(main), std::string(MainCaption) + "  2(2)");

  ClickAt(x, y, true);
  EXPECT_TRUE(WaitUntil([&] { return ColorNear(DesktopCorner(), bare, 2); }, 10000)) << "a right press clears";
  EXPECT_FALSE(IsWindowVisible(main));

  ClickAt(x, y);
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Red); }, 10000));
  ClickAt(x, y, true, true);
  EXPECT_TRUE(WaitUntil([&] { return ColorNear(DesktopCorner(), bare, 2); }, 10000)) << "a right double click clears";
  ASSERT_TRUE(run.WaitVisible(true)) << "a right double click shows the main window";
  // The preview (its corner at 280, 119) holds the current picture, the first one.
  EXPECT_TRUE(WaitUntil([&] { return ColorNear(ScreenPixelOfClient(main, 290, 129), Red, 12); }, 10000));
  EXPECT_EQ(WindowText(main), std::string(MainCaption) + "  1(2)");
}

}  // namespace
