// The schedule across restarts: settings line 15 keeps when the wallpaper last changed, so a
// start after a whole period changes once at once and a start within one waits for the rest.
#include "slideshow/UtcText.h"
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/SolidPicture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

using namespace tarvell::e2e;

namespace {

bool DesktopShows(COLORREF color) { return ColorNear(DesktopCorner(), color, 12); }

// The countdown: the main window's edit field that reads like "4 m 59 s" or "1 d 0 h".
std::string Countdown(HWND main) {
  std::string found;
  EnumChildWindows(main, [](HWND child, LPARAM out) -> BOOL {
    if (ClassName(child) != "Edit" || WindowText(child).find(' ') == std::string::npos) return TRUE;
    *reinterpret_cast<std::string*>(out) = WindowText(child);
    return FALSE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The seconds a "M m S s" countdown names; -1 for another text.
int CountdownSeconds(HWND main) {
  int minutes = 0, seconds = 0;
  return std::sscanf(Countdown(main).c_str(), "%d m %d s", &minutes, &seconds) == 2 ? minutes * 60 + seconds : -1;
}

class Schedule : public TTarvellCase {
protected:
  // Starts on the red and green pictures with a period of `period` units whose last change was
  // `ago` seconds back, then brings the window forward by a second start: a right click on the
  // tray icon would clear the wallpaper, which starts the period again. Returns the start's time.
  std::int64_t Start(const char* period, tarvell::TPeriodUnit unit, std::int64_t ago) {
    const auto now = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_TRUE(AddRedAndGreenSlides());
    StartToTray(tarvell::TSettings{
        .PeriodText = period, .StartFolder = Slides, .Transparent = false, .Unit = unit, .LastChangeUtc = now - ago});
    const TProcess later = TProcess::Start(TTarvellRun::Exe(), "");
    EXPECT_TRUE(EndedWithZero(later, 15000));
    EXPECT_TRUE(run.WaitVisible(true));
    return now;
  }
};

// Three daily periods missed while the machine was off: one change, a few seconds after start,
// without "Change on startup"; then a day's countdown, and line 15 written as the change landed.
TEST_F(Schedule, AStartAfterWholeDailyPeriodsChangesOnceAtOnce) {
  const std::int64_t start = Start("1", tarvell::TPeriodUnit::Days, 3 * 86400 + 600);
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 20000)) << "the missed change";
  EXPECT_TRUE(WaitUntil([&] {
    const std::vector<std::string> lines = TTarvellRun::ConfigLines();
    return lines.size() == 21 && tarvell::ParseUtcText(lines[14]).value_or(0) >= start && lines[15] == "d" &&
           lines[9] == "0";  // earlier versions read minutes
  }, 10000)) << "lines 10, 15 and 16 after the change";
  EXPECT_TRUE(WaitUntil([&] { return Countdown(main) == "1 d 0 h" || Countdown(main) == "23 h 59 m"; }, 10000))
      << Countdown(main);
  WaitUntil([] { return false; }, 3000);
  EXPECT_TRUE(DesktopShows(Green)) << "one change, not one per period missed";
}

// Started 12 seconds into a 20-second period, the program waits for the 8 left, not 20.
TEST_F(Schedule, AStartWithinThePeriodWaitsForTheRest) {
  const std::int64_t start = Start("20", tarvell::TPeriodUnit::Seconds, 12);
  int left = -1;
  ASSERT_TRUE(WaitUntil([&] { return (left = CountdownSeconds(main)) >= 0; }, 10000)) << Countdown(main);
  EXPECT_LE(left, 9) << Countdown(main);
  EXPECT_FALSE(DesktopShows(Green));
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 30000)) << "the change at the period's end";
  EXPECT_GE(std::time(nullptr) - start, 7) << "not before the period's end";
  EXPECT_TRUE(WaitUntil([&] { return CountdownSeconds(main) >= 15; }, 5000)) << Countdown(main);
}

}  // namespace
