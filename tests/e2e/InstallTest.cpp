// First start, installation, uninstall and the help window, driven from outside.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/TarvellCase.h"
#include "tests/support/TestRegistry.h"
#include "windows/HelpText.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvell::e2e;

namespace {

constexpr const char Metrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char IconBpp[] = "Shell Icon BPP";

using tarvell::test::RegDeleteValue;
using tarvell::test::RegWriteString;

// A registry string value, or "<absent>".
std::string RegValue(HKEY root, const char* key, const char* name) {
  return tarvell::test::RegReadString(root, key, name).value_or("<absent>");
}

class Install : public ::testing::Test {
protected:
  void SetUp() override {
    // Installation moves the executable it runs from, so run a copy, never the build's own.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "TarvellCopy";
    CreateDirectoryA(folder.c_str(), nullptr);
    copy = folder + "\\Tarvell.exe";
    ASSERT_TRUE(CopyFileA(TTarvellRun::Exe().c_str(), copy.c_str(), FALSE));
    target = WindowsDirectory() + "\\Tarvell.exe";
    DeleteFileA(target.c_str());
    DeleteFileA(TTarvellRun::ShortcutPath().c_str());
    DeleteFileA(TTarvellRun::ConfigPath().c_str());
    RegDeleteValue(HKEY_CURRENT_USER, Metrics, IconBpp);
  }
  bool StartCopy() {
    process = TProcess::Start(copy);
    return process.Valid();
  }
  // Installed (the shortcut and the settings there) with the icon settings an installation
  // leaves: 32-bit icons, noted as written by it, and no arrow on shortcuts; then started.
  bool StartInstalledWithChangedIcons() {
    if (!CreateShortcut(TTarvellRun::ShortcutPath(), copy) || !WriteSettings({.Transparent = false})) return false;
    RegWriteString(HKEY_CURRENT_USER, Metrics, IconBpp, "32");
    RegWriteString(HKEY_CURRENT_USER, "Software\\Tarvell", "Wrote Shell Icon BPP", "1");
    RegDeleteValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut");
    return StartCopy();
  }
  testing::AssertionResult EndsWithZero(DWORD timeoutMs = 15000) { return EndedWithZero(process, timeoutMs); }
  HWND WaitForm(const char* caption, DWORD timeoutMs = 15000, bool visible = true) {
    return WaitForTop(FormClass, caption, timeoutMs, process.Id(), visible);
  }
  void ClickClientPoint(HWND wnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(wnd, &p);
    ClickAt(p.x, p.y);
  }
  HWND OpenAboutFromMainWindow() {
    HWND tray = WaitForWindow(TTarvellRun::IsTrayWindow, 20000, process.Id());
    if (!tray) return nullptr;
    TTarvellRun::TrayMouse(tray, WM_RBUTTONDBLCLK);
    HWND main = WaitForm(MainCaption);
    if (!main) return nullptr;
    // The strip between the picture list and the preview is the window's own background.
    if (!BringToFront(main)) return nullptr;
    ClickClientPoint(main, 276, 200);
    return WaitForm("About ", 10000);
  }
  // One click on the About window's "Uninstall" label; returns the question it brings up.
  HWND ClickUninstall(HWND about) {
    HWND uninstall = FindChild(about, {}, "Uninstall");
    if (!uninstall) return nullptr;
    if (!BringToFront(about)) return nullptr;
    RECT r{};
    GetWindowRect(uninstall, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return WaitForMessageBox("Uninstallation", 10000, process.Id());
  }
  std::string folder, copy, target;
  TProcess process;
};

TEST_F(Install, DecliningEndsWithZeroAndChangesNothing) {
  ASSERT_TRUE(StartCopy());
  HWND box = WaitForMessageBox("Installation", 20000, process.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Do you want to install Tarvell ver. 2.1?");
  ASSERT_TRUE(AnswerMessageBox(box, IDCANCEL));
  ASSERT_TRUE(EndsWithZero());
  EXPECT_FALSE(FileExists(TTarvellRun::ShortcutPath()));
  EXPECT_FALSE(FileExists(TTarvellRun::ConfigPath()));
  EXPECT_FALSE(FileExists(target));
  EXPECT_TRUE(FileExists(copy));
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, Metrics, IconBpp), "<absent>");
}

TEST_F(Install, AcceptingMovesTheProgramCreatesTheShortcutAndOpensTheHelp) {
  ASSERT_TRUE(WriteWholeFile(target, "an older version"));
  const std::string program = ReadWholeFile(copy).value_or("");
  RegWriteString(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut", "");
  ASSERT_TRUE(StartCopy());
  HWND box = WaitForMessageBox("Installation", 20000, process.Id());
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  // Wine has no HKEY_USERS\.Default\...\WindowMetrics: that key fails without a word.
  HWND success = nullptr;
  int notices = 0;
  WaitUntil(
      [&] {
        if (HWND err = WaitForMessageBox("Error", 200, process.Id())) {
          EXPECT_EQ(MessageBoxText(err), "Need more privileges for registry update");
          AnswerMessageBox(err, IDOK);
          ++notices;
        }
        return (success = WaitForMessageBox("Success", 200, process.Id())) != nullptr;
      },
      20000);
  ASSERT_NE(success, nullptr);
  EXPECT_EQ(notices, 0);
  EXPECT_EQ(MessageBoxText(success),
            "Installation successfully completed. You should must restart Windows to view truecolor icons");
  ASSERT_TRUE(AnswerMessageBox(success, IDOK));

  EXPECT_EQ(ReadWholeFile(target), program) << "the older file was not replaced";
  EXPECT_FALSE(FileExists(copy)) << "the executable was copied, not moved";
  EXPECT_EQ(ShortcutTarget(TTarvellRun::ShortcutPath()), target);
  // "32", not "16": current Windows draws icons at 32 bits, and 16 would lower it.
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, Metrics, IconBpp), "32");
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut"), "") << "taskbar pins need it";
  EXPECT_NE(WaitForm(MainCaption), nullptr) << "a completed installation shows the main window";
  EXPECT_NE(WaitForm("Form3", 10000), nullptr) << "the help window follows the installation";
  // A "Tarvell" button used to stay on the taskbar after the installation, and to come
  // with the main window when a second start showed it.
  ASSERT_TRUE(SyncTaskbar());
  EXPECT_EQ(Captions(TaskbarButtonWindows(process.Id())), "") << "after the installation";
  PostMessageA(WaitForm("Form3", 10000), WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return FindTop(FormClass, "Form3", process.Id(), true) == nullptr; }, 5000));
  TProcess second = TProcess::Start(target);
  DWORD code = 1;
  EXPECT_TRUE(second.WaitExit(15000, code) && code == 0);
  ASSERT_NE(WaitForm(MainCaption), nullptr);
  ASSERT_TRUE(SyncTaskbar());
  EXPECT_EQ(Captions(TaskbarButtonWindows(process.Id())), "") << "after a second start";
  SendCtrlKey('Q');
  EXPECT_TRUE(EndsWithZero());
}

TEST_F(Install, AStartWithTheShortcutPresentAsksNothing) {
  ASSERT_TRUE(CreateShortcut(TTarvellRun::ShortcutPath(), copy));
  ASSERT_TRUE(StartCopy());
  ASSERT_NE(WaitForTop(FormClass, MainCaption, 20000, process.Id()), nullptr);
  EXPECT_EQ(WaitForMessageBox("Installation", 2000, process.Id()), nullptr);
  EXPECT_TRUE(FileExists(copy));
  EXPECT_FALSE(FileExists(target));
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, Metrics, IconBpp), "<absent>");
  SendCtrlKey('Q');
  EXPECT_TRUE(EndsWithZero());
}

TEST_F(Install, UninstallRemovesTheTracesAndDoesNotSaveAgain) {
  ASSERT_TRUE(StartInstalledWithChangedIcons());
  HWND about = OpenAboutFromMainWindow();
  ASSERT_NE(about, nullptr);
  HWND box = ClickUninstall(about);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Do you want to Uninstall Tarvell ver. 2.1?");
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(EndsWithZero());
  EXPECT_FALSE(FileExists(TTarvellRun::ShortcutPath()));
  EXPECT_FALSE(FileExists(TTarvellRun::ConfigPath())) << "the settings were written again after the uninstall";
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, Metrics, IconBpp), "<absent>");
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut"), "");
}

// Guards against an uninstall that stopped with "Failed to set data for 'isShortcut'" for a
// normal user: the value still there needs no write into a class key the user may only read.
TEST_F(Install, UninstallRunsToItsEndWhenTheArrowSettingIsStillThere) {
  ASSERT_TRUE(CreateShortcut(TTarvellRun::ShortcutPath(), copy));
  ASSERT_TRUE(WriteSettings({.Transparent = false}));
  RegWriteString(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut", "");
  tarvell::test::RegAllowReadOnly(HKEY_CLASSES_ROOT, "lnkfile");
  ASSERT_TRUE(StartCopy());
  HWND about = OpenAboutFromMainWindow();
  ASSERT_NE(about, nullptr);
  HWND box = ClickUninstall(about);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDOK);
  HWND error = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        error = WaitForMessageBox("Tarvell", 100, process.Id());
        return error != nullptr || !process.Running();
      },
      15000));
  if (error) {
    ADD_FAILURE() << MessageBoxText(error);
    AnswerMessageBox(error, IDOK);
  }
  ASSERT_TRUE(EndsWithZero());
  EXPECT_FALSE(FileExists(TTarvellRun::ShortcutPath()));
  EXPECT_FALSE(FileExists(TTarvellRun::ConfigPath()));
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut"), "");
}

TEST_F(Install, UninstallWithTheShortcutGoneStillRestoresTheRegistry) {
  ASSERT_TRUE(StartInstalledWithChangedIcons());
  HWND about = OpenAboutFromMainWindow();
  ASSERT_NE(about, nullptr);
  DeleteFileA(TTarvellRun::ShortcutPath().c_str());
  HWND box = ClickUninstall(about);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDOK);
  ASSERT_TRUE(EndsWithZero());
  EXPECT_TRUE(FileExists(TTarvellRun::ConfigPath())) << "nothing is deleted without the shortcut";
  EXPECT_EQ(RegValue(HKEY_CURRENT_USER, Metrics, IconBpp), "<absent>");
  EXPECT_EQ(RegValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut"), "");
}

TEST_F(Install, F1OpensOneHelpWindowAndRestoresItWhenMinimised) {
  ASSERT_TRUE(CreateShortcut(TTarvellRun::ShortcutPath(), copy));
  ASSERT_TRUE(StartCopy());
  HWND about = OpenAboutFromMainWindow();
  ASSERT_NE(about, nullptr);
  PostMessageA(about, WM_CLOSE, 0, 0);
  HWND main = WaitForm(MainCaption);
  ASSERT_NE(main, nullptr);
  auto pressF1 = [&] {
    EXPECT_TRUE(BringToFront(main));
    SendKey(VK_F1);
  };
  pressF1();
  HWND help = WaitForm("Form3");
  ASSERT_NE(help, nullptr);
  ShowWindow(help, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(help) != FALSE; }, 5000));
  pressF1();
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(help) == FALSE; }, 5000)) << "F1 did not restore the help window";
  int helpWindows = 0;
  for (HWND w : TopWindows(process.Id()))
    if (ClassName(w) == FormClass && WindowText(w) == "Form3") ++helpWindows;
  EXPECT_EQ(helpWindows, 1);
  HWND text = FindWindowExA(help, nullptr, "Edit", nullptr);
  ASSERT_NE(text, nullptr);
  std::string shown(static_cast<std::size_t>(SendMessageA(text, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  SendMessageA(text, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
  shown.resize(shown.size() - 1);
  // The troubleshooting line names the folder the settings file is really in.
  EXPECT_EQ(shown, tarvell::HelpText(WindowsDirectory()));
  EXPECT_NE(shown.find("\"Tarvell.cfg\" in " + WindowsDirectory() + "."), std::string::npos);
  SendCtrlKey('Q');
  EXPECT_TRUE(EndsWithZero());
}

}  // namespace
