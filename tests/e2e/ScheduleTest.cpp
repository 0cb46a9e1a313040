// The schedule across restarts: settings line 15 keeps when the wallpaper last changed, so a
// start after a whole period changes once at once and a start within one waits for the rest.
#include "slideshow/UtcText.h"
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/SolidPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

bool DesktopShows(COLORREF color) { return ColorNear(DesktopCorner(), color, 12); }

std::int64_t UtcNow() { return static_cast<std::int64_t>(std::time(nullptr)); }

// The countdown: the main window's edit field that reads like "4 m 59 s" or "1 d 0 h".
std::string Countdown(HWND main) {
  std::string found;
  EnumChildWindows(
      main,
      [](HWND child, LPARAM out) -> BOOL {
        const std::string text = WindowText(child);
        if (ClassName(child) != "Edit" || text.find(' ') == std::string::npos) return TRUE;
        *reinterpret_cast<std::string*>(out) = text;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Whole seconds a "M m S s" countdown names; -1 for another text.
int CountdownSeconds(const std::string& text) {
  int minutes = 0;
  int seconds = 0;
  char m = 0;
  char s = 0;
  if (std::sscanf(text.c_str(), "%d %c %d %c", &minutes, &m, &seconds, &s) != 4 || m != 'm' || s != 's') return -1;
  return minutes * 60 + seconds;
}

// The saved time of the last change, once the program has written one at or after `since`.
bool SavedChangeSince(std::int64_t since) {
  const std::vector<std::string> lines = TTarvellRun::ConfigLines();
  return lines.size() > 15 && tarvell::ParseUtcText(lines[14]).value_or(0) >= since;
}

class Schedule : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    ASSERT_TRUE(AddRedAndGreenSlides());
    settings.StartFolder = Slides;
    settings.Transparent = false;
  }
  // A second start brings the window forward; a right click on the tray icon would clear the
  // wallpaper, which starts the period again.
  void ShowBySecondStart() {
    TProcess later = TProcess::Start(TTarvellRun::Exe(), "");
    ASSERT_TRUE(EndedWithZero(later, 15000));
    ASSERT_TRUE(run.WaitVisible(true));
  }
  tarvell::TSettings settings;
};

// Three daily periods missed while the machine was off: one change, a few seconds after start,
// without "Change on startup"; then a day's countdown, and line 15 written as the change landed.
TEST_F(Schedule, AStartAfterWholeDailyPeriodsChangesOnceAtOnce) {
  const std::int64_t before = UtcNow();
  settings.PeriodText = "1";
  settings.Unit = tarvell::TPeriodUnit::Days;
  settings.LastChangeUtc = before - 3 * 86400 - 600;
  StartToTray(settings);
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 20000)) << "the missed change";
  EXPECT_TRUE(WaitUntil([&] { return SavedChangeSince(before); }, 10000)) << "line 15 after the change";
  const std::vector<std::string> lines = TTarvellRun::ConfigLines();
  ASSERT_GT(lines.size(), 15u);
  EXPECT_EQ(lines[9], "0") << "earlier versions read minutes";
  EXPECT_EQ(lines[15], "d");

  ShowBySecondStart();
  EXPECT_TRUE(WaitUntil([&] {
    const std::string text = Countdown(main);
    return text == "1 d 0 h" || text == "23 h 59 m";
  }, 10000)) << Countdown(main);
  WaitUntil([] { return false; }, 3000);
  EXPECT_TRUE(DesktopShows(Green)) << "one change, not one per period missed";
}

// Started 12 seconds into a 20-second period, the program waits for the 8 left, not 20.
TEST_F(Schedule, AStartWithinThePeriodWaitsForTheRest) {
  settings.PeriodText = "20";
  settings.Unit = tarvell::TPeriodUnit::Seconds;
  const std::int64_t before = UtcNow();
  settings.LastChangeUtc = before - 12;
  StartToTray(settings);
  ShowBySecondStart();
  int left = -1;
  ASSERT_TRUE(WaitUntil([&] { return (left = CountdownSeconds(Countdown(main))) >= 0; }, 10000)) << Countdown(main);
  EXPECT_LE(left, 9) << Countdown(main);
  EXPECT_FALSE(DesktopShows(Green));
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 30000)) << "the change at the period's end";
  EXPECT_GE(UtcNow() - before, 7) << "not before the period's end";
  EXPECT_TRUE(WaitUntil([&] { return CountdownSeconds(Countdown(main)) >= 15; }, 5000)) << Countdown(main);
}

}  // namespace
