// The program as a user meets it: started in a fresh Wine prefix, driven from outside.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvell::e2e;
using tarvell::TSettings;

namespace {

// What a first run writes: the defaults.
const TSettings FirstRun{};

using AppShell = TTarvellCase;

TEST_F(AppShell, StartsHiddenInTheTrayWithoutTaskbarButton) {
  StartToTray();
  // Give a wrongly shown window the chance to appear before looking.
  WaitUntil([] { return false; }, 1000);
  EXPECT_FALSE(IsWindowVisible(main));
  HWND app = run.AppWindow();
  ASSERT_NE(app, nullptr);
  EXPECT_FALSE(IsWindowVisible(app)) << "the application window would be a taskbar button";
  EXPECT_TRUE(TTarvellRun::TrayIconPresent(tray));
}

TEST_F(AppShell, RightDoubleClickOnTheTrayShowsTheWindowAndEscHidesIt) {
  StartToTray();
  ShowFromTray();
  EXPECT_FALSE(IsWindowVisible(run.AppWindow())) << "showing the window must not show a taskbar button";
  ASSERT_TRUE(BringToFront(main));
  SendKey(VK_ESCAPE);
  EXPECT_TRUE(run.WaitVisible(false));
}

// Showing the window, by a second start or from the tray, used to leave a "Tarvell" button on
// the taskbar.
TEST_F(AppShell, ShowingTheWindowPutsNoButtonOnTheTaskbar) {
  StartToTray();
  for (const char* when : {"after a second start", "after another start with the window shown"}) {
    TTarvellRun second;
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.EndsWithZero());
    ASSERT_TRUE(run.WaitVisible(true));
    ASSERT_TRUE(SyncTaskbar());
    EXPECT_EQ(Captions(TaskbarButtonWindows(run.Pid())), "") << when;
  }
  ASSERT_TRUE(BringToFront(main));
  SendKey(VK_ESCAPE);
  ASSERT_TRUE(run.WaitVisible(false));
  ShowFromTray();
  ASSERT_TRUE(SyncTaskbar());
  EXPECT_EQ(Captions(TaskbarButtonWindows(run.Pid())), "") << "after a double click on the tray icon";
}

TEST_F(AppShell, SecondStartShowsTheFirstInstanceAndEndsWithZero) {
  StartToTray();
  TTarvellRun second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.EndsWithZero());
  EXPECT_TRUE(run.WaitVisible(true));
  EXPECT_TRUE(run.Process().Running());
  // The later instance never got as far as a tray icon or a main window: only one of each.
  int mainWindows = 0;
  for (HWND w : TopWindows())
    if (ClassName(w) == FormClass && WindowText(w).rfind(MainCaption, 0) == 0) ++mainWindows;
  EXPECT_EQ(mainWindows, 1);
}

TEST_F(AppShell, CtrlQWritesTheFirstRunSettingsAndRemovesTheTrayIcon) {
  StartToTray();
  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(FirstRun));
  // Guards against a dead icon left in the notification area after the process ended.
  EXPECT_FALSE(TTarvellRun::TrayIconPresent(tray));
}

TEST_F(AppShell, ClosingTheWindowSavesTheSettings) {
  const TSettings settings{.PeriodText = "7"};
  StartToTray(settings);
  ShowFromTray();
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(settings));
}

TEST_F(AppShell, EndOfTheSessionSavesTheSettings) {
  const TSettings settings{.Unit = tarvell::TPeriodUnit::Seconds};
  StartToTray(settings);
  PostMessageA(main, WM_QUERYENDSESSION, 0, 0);
  PostMessageA(main, WM_ENDSESSION, TRUE, 0);
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(settings));
}

// Guards against a double click on the period that seemed lost: with the stay-on-top About
// window open, the question about the unit opened under it, unseen.
TEST_F(AppShell, ADoubleClickOnThePeriodAsksAVisibleQuestionWithAboutOpen) {
  StartToTray();
  ShowFromTray();
  HWND field = FindChild(main, {}, "5");
  HWND unit = FindChild(main, {}, " min ");
  ASSERT_NE(field, nullptr);
  ASSERT_NE(unit, nullptr);
  auto asks = [&](HWND target) {
    RECT r{};
    GetWindowRect(target, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, false, true);
    HWND box = WaitForMessageBox("Fast/Slow", 5000, run.Pid());
    if (!box) return false;
    EXPECT_EQ(MessageBoxText(box), "Do you want to swicth time units Min/Sec");
    // Seen, not only asked: no window of the program covers the question.
    RECT b{};
    GetWindowRect(box, &b);
    for (POINT p : {POINT{b.left + 4, b.top + 4}, POINT{b.right - 4, b.bottom - 4},
                    POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2}})
      EXPECT_EQ(GetAncestor(WindowFromPoint(p), GA_ROOT), box)
          << "covered by \"" << WindowText(GetAncestor(WindowFromPoint(p), GA_ROOT)) << "\"";
    return AnswerMessageBox(box, IDCANCEL);
  };
  for (HWND target : {field, unit}) {
    const std::string name = target == field ? "field" : "label";
    ASSERT_TRUE(BringToFront(main));
    POINT background{276, 200};  // the window's own background opens About
    ClientToScreen(main, &background);
    ClickAt(background.x, background.y);
    HWND about = WaitForTop(FormClass, "About ", 10000, run.Pid(), true);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(BringToFront(about));
    EXPECT_TRUE(asks(target)) << name << ", with About active before";
    EXPECT_TRUE(asks(target)) << name << ", right after the question closed";
    PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 5000));
  }
  SendCtrlKey('Q');
  EXPECT_TRUE(run.EndsWithZero());
}

// Guards against a lost activating click: the first double click on the period, right after
// About opened from the window's background, asked nothing.
TEST_F(AppShell, ADoubleClickOnThePeriodRightAfterAboutOpenedAsks) {
  AddPicture("wide.jpg", 640, 360);  // its preview leaves the window's background below it
  StartToTray(TSettings{.StartFolder = Slides});
  ShowFromTray();
  // The preview is decoded off the window's thread: its size is set once the picture is in.
  WaitUntil([] { return false; }, 1000);
  POINT background{420, 400}, field{530, 12};
  ClientToScreen(main, &background);
  ClientToScreen(main, &field);
  ClickAt(background.x, background.y);
  ASSERT_NE(WaitForTop(FormClass, "About ", 10000, run.Pid(), true), nullptr);
  WaitUntil([] { return false; }, 500);
  ClickAt(field.x, field.y);
  Sleep(60);  // a hand's pace between the two clicks
  ClickAt(field.x, field.y);
  EXPECT_NE(WaitForMessageBox("Fast/Slow", 5000, run.Pid()), nullptr);
}

// A damaged settings file used to stop every start until the user deleted it.
TEST_F(AppShell, DamagedSettingsAreReportedAndTheProgramStillRuns) {
  // Raw lines: the damage is in the file's own text.
  ASSERT_TRUE(TTarvellRun::WriteConfig({"5", "C:\\", "x", "0", "0", "0", "1", "0", "0", "0", "2"}));
  ASSERT_TRUE(run.Start());
  HWND box = WaitForMessageBox("Tarvell", 20000, run.Pid());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "'x' is not a valid integer value.");
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_NE(run.WaitMainWindow(), nullptr);
  ASSERT_NE(run.WaitTrayWindow(), nullptr);
  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(FirstRun));
}

// An unplugged drive or a removed folder must not erase the saved folder.
TEST_F(AppShell, AFolderThatCannotBeEnteredIsKeptInTheSettings) {
  const TSettings settings{.StartFolder = "C:\\No such folder"};
  ASSERT_TRUE(WriteSettings(settings));
  ASSERT_TRUE(run.Start());
  HWND box = WaitForMessageBox("Tarvell", 20000, run.Pid());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box).rfind("I/O error ", 0), 0u) << MessageBoxText(box);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_NE(run.WaitTrayWindow(), nullptr);
  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(settings));
}

// The live window against the layout the program is meant to have.
TEST_F(AppShell, TheMainWindowShowsItsControlsWhereTheyBelong) {
  StartToTray();
  ShowFromTray();
  struct Expected {
    const char* cls;
    const char* caption;
    int left, top, width, height;
  };
  const Expected controls[] = {
      {"Button", "Subfolders", 160, 192, 105, 17},
      {"Button", "Random", 160, 208, 105, 17},
      {"Button", "Sound", 160, 224, 105, 17},
      {"Button", "Transparent icons", 160, 240, 105, 17},
      {"Button", "Change on startup ", 160, 256, 105, 17},
      {"Button", "Once at startup", 160, 272, 105, 17},
      {"Button", "Set wallpaper", 160, 296, 113, 25},
      {"Button", "Next            Ctrl+Z", 160, 320, 113, 25},
      {"Button", "Clear           Ctrl+A", 160, 344, 113, 25},
      {"Button", "Hide           Esc  ", 160, 368, 113, 25},
      {"Button", "Quit           Ctrl+Q", 160, 392, 113, 25},
      {"Edit", "5", 520, 3, 33, 21},
  };
  for (const Expected& e : controls) {
    HWND child = FindChild(main, e.cls, e.caption);
    ASSERT_NE(child, nullptr) << e.caption;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, e.left) << e.caption;
    EXPECT_EQ(r.top, e.top) << e.caption;
    EXPECT_EQ(r.right - r.left, e.width) << e.caption;
    EXPECT_EQ(r.bottom - r.top, e.height) << e.caption;
  }
  // Check boxes carry their caption on the left of the box.
  HWND sound = FindChild(main, "Button", "Sound");
  EXPECT_NE(GetWindowLongA(sound, GWL_STYLE) & BS_LEFTTEXT, 0);
  RECT outer{};
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 580);
  EXPECT_EQ(outer.bottom - outer.top, 446);
  EXPECT_EQ(WindowText(main), std::string(MainCaption) + "  0(0)");
}

}  // namespace
