// What a person sees of the main window while the slideshow changes the wallpaper under it:
// pixels read back from the screen, not from the window's own DC.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/SolidPicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

constexpr COLORREF Silver = RGB(192, 192, 192);  // the main window's own background

class Screen : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    ASSERT_TRUE(AddRedAndGreenSlides());
  }

  void StartAndShow() {
    StartToTray(settings);
    ShowFromTray();
    ASSERT_TRUE(WaitUntil([&] { return WindowProblems().empty(); }, 10000))
        << "the window was never painted whole: " << WindowProblems();
  }

  // The window's own colours where the layout puts them: the background in the strip
  // between the picture list and the preview, the list's empty lower part, and the face of
  // the Quit button above its caption. Empty when all are on the screen.
  std::string WindowProblems() const {
    struct Place {
      const char* what;
      int x, y;
      COLORREF expected;
    };
    const Place places[] = {
        {"background", 276, 200, Silver},
        {"picture list", 136, 170, GetSysColor(COLOR_MENU)},
        {"Quit button", 216, 395, GetSysColor(COLOR_BTNFACE)},
    };
    std::string problems;
    for (const Place& p : places) {
      const COLORREF seen = ScreenPixelOfClient(main, p.x, p.y);
      if (!ColorNear(seen, p.expected, 2))
        problems += std::string(p.what) + " shows " + Hex(seen) + " instead of " + Hex(p.expected) + "; ";
    }
    return problems;
  }

  static std::string Hex(COLORREF color) {
    char text[16];
    wsprintfA(text, "#%02x%02x%02x", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
  }

  // Waits until the desktop around the window shows the colour (the wallpaper changed and
  // the desktop has repainted), then gives the window time to come back whole.
  void ExpectWholeWindowAfterTheDesktopShows(const std::function<bool(COLORREF)>& desktop) {
    ASSERT_TRUE(WaitUntil([&] { return desktop(DesktopCorner()); }, 10000))
        << "the desktop shows " << Hex(DesktopCorner());
    EXPECT_TRUE(WaitUntil([&] { return WindowProblems().empty(); }, 3000)) << WindowProblems();
  }

  static std::function<bool(COLORREF)> Shows(COLORREF color) {
    return [color](COLORREF seen) { return ColorNear(seen, color, 12); };
  }

  tarvell::TSettings settings{.StartFolder = Slides, .Transparent = false};
};

// The desktop's repaint after a change used to cover the window for good.
TEST_F(Screen, TheWindowStaysWholeAfterCtrlZ) {
  StartAndShow();
  SendCtrlKey('Z');
  ExpectWholeWindowAfterTheDesktopShows(Shows(Green));
}

TEST_F(Screen, TheWindowStaysWholeAfterTimerSwitchesInSecondsMode) {
  settings.PeriodText = "1";  // a change every second tick
  settings.Unit = tarvell::TPeriodUnit::Seconds;
  StartAndShow();
  ExpectWholeWindowAfterTheDesktopShows(Shows(Green));
  ExpectWholeWindowAfterTheDesktopShows(Shows(Red));
}

TEST_F(Screen, TheWindowStaysWholeAfterClear) {
  StartAndShow();
  SendCtrlKey('Z');
  ASSERT_TRUE(WaitUntil([] { return Shows(Green)(DesktopCorner()); }, 10000)) << Hex(DesktopCorner());
  SendCtrlKey('A');
  ExpectWholeWindowAfterTheDesktopShows([](COLORREF seen) { return !ColorNear(seen, Green, 40); });
}

// The program's other windows are repainted too: the help window over the main window.
TEST_F(Screen, TheHelpWindowStaysWholeAfterCtrlZ) {
  StartAndShow();
  ASSERT_TRUE(BringToFront(main));
  SendKey(VK_F1);
  HWND help = WaitForTop(FormClass, "Form3", 10000, run.Pid(), true);
  ASSERT_NE(help, nullptr);
  // Text, white page or scroll bar: anything but the solid wallpaper, at the page's corners
  // and its middle.
  RECT page{};
  GetClientRect(help, &page);
  const POINT points[] = {{4, 4},
                          {page.right - 4, 4},
                          {4, page.bottom - 4},
                          {page.right - 4, page.bottom - 4},
                          {page.right / 2, page.bottom / 2}};
  auto wallpaperShows = [&] {
    for (const POINT& p : points)
      if (Shows(Green)(ScreenPixelOfClient(help, p.x, p.y))) return true;
    return false;
  };
  ASSERT_FALSE(wallpaperShows());
  SendCtrlKey('Z');
  ASSERT_TRUE(WaitUntil([] { return Shows(Green)(DesktopCorner()); }, 10000)) << Hex(DesktopCorner());
  EXPECT_TRUE(WaitUntil([&] { return !wallpaperShows(); }, 3000));
}

}  // namespace
