// How the program ends: what it writes on the way out, and what it leaves alone.
#include "tests/e2e/support/TarvellCase.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace tarvell::e2e;
using tarvell::TSettings;

namespace {

// Settings unlike the defaults in every line the defaults would change.
const TSettings OwnSettings{.PeriodText = "7", .StartFolder = "C:\\windows", .Subfolders = true, .Random = true,
                            .CurrentIndex = 3, .Transparent = false, .Unit = tarvell::TPeriodUnit::Seconds};

using Ending = TTarvellCase;

// Guards against lost settings: a file another program held during start-up was taken for
// "no file", and the defaults were written over it at the end.
TEST_F(Ending, ASettingsFileHeldAtStartUpIsNotOverwrittenAtQuit) {
  ASSERT_TRUE(WriteSettings(OwnSettings));
  HANDLE held = CreateFileA(TTarvellRun::ConfigPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(run.Start());
  HWND box = WaitForMessageBox("Tarvell", 20000, run.Pid());
  ASSERT_NE(box, nullptr) << "the unreadable file is reported";
  EXPECT_EQ(MessageBoxText(box), "Cannot open file " + TTarvellRun::ConfigPath() + ".");
  CloseHandle(held);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_NE(run.WaitTrayWindow(), nullptr);
  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(OwnSettings));
}

// Guards against the layout's defaults written over the settings by the session's end during a
// start-up question; the notice of a damaged line comes once the loaded values are in place.
TEST_F(Ending, TheSessionsEndDuringAStartUpQuestionKeepsTheLoadedSettings) {
  ASSERT_TRUE(WriteSettings(OwnSettings));
  std::vector<std::string> lines = TTarvellRun::ConfigLines();
  lines[2] = "x";  // Subfolders damaged: it takes its default
  ASSERT_TRUE(TTarvellRun::WriteConfig(lines));
  const std::string damaged = SavedSettings();
  TSettings repaired = OwnSettings;
  repaired.Subfolders = false;
  ASSERT_TRUE(DeleteFileA(TTarvellRun::ShortcutPath().c_str()));  // the installation question first
  for (const auto& [box, after] : {std::pair{"Installation", damaged}, std::pair{"Tarvell", SettingsFile(repaired)}}) {
    ASSERT_TRUE(WriteWholeFile(TTarvellRun::ConfigPath(), damaged));
    ASSERT_TRUE(run.Start());
    ASSERT_NE(WaitForMessageBox(box, 20000, run.Pid()), nullptr) << box;
    PostMessageA(run.WaitMainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    PostMessageA(run.WaitMainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(run.EndsWithZero()) << box;
    EXPECT_EQ(SavedSettings(), after) << box;
    ASSERT_TRUE(TTarvellRun::MarkInstalled());
  }
}

// A save that fails: a folder stands where the new settings file would be written.
class EndingWithAFailingSave : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    ASSERT_TRUE(WriteSettings(OwnSettings));
    ASSERT_TRUE(CreateDirectoryA(Blocker().c_str(), nullptr));
    ASSERT_TRUE(run.Start());
    main = run.WaitMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(run.WaitTrayWindow(), nullptr);
  }
  void TearDown() override { RemoveDirectoryA(Blocker().c_str()); }
  static std::string Blocker() { return TTarvellRun::ConfigPath() + ".new"; }
  // Counts the error boxes the program shows until it ends (each one answered).
  int BoxesUntilTheEnd(DWORD timeoutMs) {
    int boxes = 0;
    WaitUntil(
        [&] {
          if (HWND box = WaitForMessageBox("Tarvell", 100, run.Pid())) {
            ++boxes;
            AnswerMessageBox(box, IDOK);
          }
          return !run.Process().Running();
        },
        timeoutMs);
    return boxes;
  }
};

// Guards against a logoff held up by a modal box: the session's end saves without one.
TEST_F(EndingWithAFailingSave, TheSessionsEndEndsTheProgramWithoutABox) {
  PostMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  PostMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(BoxesUntilTheEnd(15000), 0);
  EXPECT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(OwnSettings)) << "the old file is kept when the save fails";
}

// Guards against a second save, and a second box, when the session ends while the first
// save's error box is open: the program then ends at once.
TEST_F(EndingWithAFailingSave, TheSessionsEndDuringTheSavesErrorBoxEndsAtOnce) {
  SendCtrlKey('Q');
  HWND box = WaitForMessageBox("Tarvell", 15000, run.Pid());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Cannot create file " + TTarvellRun::ConfigPath() + ".");
  PostMessageA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  PostMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(WaitUntil([&] { return !run.Process().Running(); }, 15000)) << "the box held the logoff up";
  if (run.Process().Running()) {
    EXPECT_EQ(BoxesUntilTheEnd(15000), 1) << "the settings were saved twice";
  }
  EXPECT_TRUE(run.EndsWithZero());
}

// Guards against a program gone after a cancelled shutdown: it used to end at the session's
// query. The query saves and the program goes on; only the end itself ends it, saving once.
TEST_F(Ending, TheSessionsQuerySavesAndOnlyItsEndEndsTheProgram) {
  ASSERT_TRUE(WriteSettings(OwnSettings));
  StartToTray();
  auto send = [&](UINT msg, WPARAM wp) {
    DWORD_PTR answer = 0;
    const bool handled =
        SendMessageTimeoutA(run.Main(), msg, wp, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 15000, &answer) != 0;
    return handled ? static_cast<LRESULT>(answer) : -1;
  };
  const TSettings marker{.PeriodText = "9", .StartFolder = "C:\\windows", .Random = true, .CurrentIndex = 2};
  ASSERT_TRUE(DeleteFileA(TTarvellRun::ConfigPath().c_str()));

  EXPECT_EQ(send(WM_QUERYENDSESSION, 0), TRUE) << "the session may end";
  EXPECT_EQ(SavedSettings(), SettingsFile(OwnSettings)) << "saved at the query";
  EXPECT_EQ(send(WM_ENDSESSION, FALSE), 0);
  DWORD code = 0;
  EXPECT_FALSE(run.Process().WaitExit(1500, code)) << "a cancelled shutdown ended the program";
  EXPECT_TRUE(TTarvellRun::TrayIconPresent(run.Tray()));

  ASSERT_TRUE(DeleteFileA(TTarvellRun::ConfigPath().c_str()));
  EXPECT_EQ(send(WM_QUERYENDSESSION, 0), TRUE);
  EXPECT_EQ(SavedSettings(), SettingsFile(OwnSettings)) << "the next query saves again";
  ASSERT_TRUE(WriteSettings(marker));
  send(WM_ENDSESSION, TRUE);
  EXPECT_TRUE(run.EndsWithZero());
  EXPECT_EQ(SavedSettings(), SettingsFile(marker)) << "saved a second time at the session's end";
  EXPECT_FALSE(TTarvellRun::TrayIconPresent(run.Tray()));
}

}  // namespace

namespace {

// A change at start-up that fails (once it failed the main window's construction) is reported
// by the running program, and a second start during its box hands over and ends.
TEST_F(Ending, AChangeAtStartUpThatFailsIsReportedAndASecondStartHandsOverMeanwhile) {
  const tarvell::test::Bytes picture = tarvell::test::MakeJpeg({});
  ASSERT_TRUE(WriteWholeFile(Slides + "\\a.jpg", std::string(picture.begin(), picture.end())));
  // "Change on startup" with a folder where the wallpaper file should be: the change fails
  // off the window's thread, and the window reports it and runs on.
  ASSERT_TRUE(CreateDirectoryA(TTarvellRun::WallpaperPath().c_str(), nullptr));
  ASSERT_TRUE(WriteSettings({.StartFolder = Slides, .Transparent = false, .Startup = true}));
  ASSERT_TRUE(run.Start());
  HWND box = WaitForMessageBox("Tarvell", 20000, run.Pid());
  ASSERT_NE(box, nullptr) << "the failed change is reported";
  TTarvellRun second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.EndsWithZero());
  EXPECT_TRUE(run.Process().Running());
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  ASSERT_NE(run.WaitTrayWindow(), nullptr);
  SendCtrlKey('Q');
  EXPECT_TRUE(run.EndsWithZero());
  RemoveDirectoryA(TTarvellRun::WallpaperPath().c_str());
}

}  // namespace
