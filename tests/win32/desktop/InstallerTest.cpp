#include "desktop/Installer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/LinkFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"
#include "desktop/ShellLink.h"
#include "gui/Dialogs.h"
#include "gui/WaitCursor.h"
#include "base/Exception.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

const char* const Metrics = "Control Panel\\Desktop\\WindowMetrics";
const char* const DefaultMetrics = ".Default\\Control Panel\\Desktop\\WindowMetrics";
const char* const AskInstall = "box 1 Installation: Do you want to install Tarvell ver. 2.1?";
const char* const AskUninstall = "box 1 Uninstallation: Do you want to Uninstall Tarvell ver. 2.1?";
const char* const Success =
    "box 0 Success: Installation successfully completed. You should must restart Windows to view truecolor icons";

// Installation into test folders with the system's own registry keys (every test runs in a
// fresh Wine prefix). Message boxes, the main window and beeps are recorded as events.
class Installer : public ::testing::Test {
protected:
  TTempFolder Tmp;
  std::string Startup = Tmp.Folder("Startup");
  std::string ProgramDir = Tmp.Folder("Program");
  std::string Downloads = Tmp.Folder("Downloads");
  std::string Link = Startup + "\\Tarvell.lnk";
  std::vector<std::string> Events;
  std::vector<TCursor> CursorsDuringBoxes;
  int Answer = IDOK;
  TInstallHooks Hooks;
  TInstallPaths Paths;

  void SetUp() override {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned type) {
      Events.push_back("box " + std::to_string(type) + " " + caption + ": " + text);
      CursorsDuringBoxes.push_back(Screen.Cursor());
      return type == MB_OKCANCEL ? Answer : IDOK;
    });
    Hooks.ShowMainWindow = [this] { Events.push_back("show"); };
    Hooks.Beep = [this](unsigned long frequency, unsigned long duration) {
      Events.push_back("beep " + std::to_string(frequency) + " " + std::to_string(duration));
    };
    Paths.Target = ProgramDir + "\\Tarvell.exe";
    Paths.ConfigPath = ProgramDir + "\\Tarvell.cfg";
    Paths.ExePath = Downloads + "\\Tarvell.exe";
    Paths.StartupFolder = [this]() -> std::optional<std::string> { return Startup; };
    Paths.RegistryKeys = StandardIconSettingKeys();
    WriteTextFile(Paths.ExePath, "new program");
  }
  void TearDown() override { SetMessageBoxHook({}); }

  std::optional<std::string> UserBpp() const { return RegReadString(HKEY_CURRENT_USER, Metrics, "Shell Icon BPP"); }
  std::optional<std::string> LinkArrow() const { return RegReadString(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut"); }

  // The state a start must leave alone when it does not install.
  void ExpectNothingChanged() const {
    EXPECT_EQ(ReadTextFile(Paths.ExePath), "new program");
    EXPECT_EQ(ReadTextFile(Paths.Target), "old program");
    EXPECT_FALSE(UserBpp());
    EXPECT_EQ(LinkArrow(), "yes");
  }
};

TEST_F(Installer, WineStartsWithTheSettingsInstallationChanges) {
  // The other tests rely on this starting point of a fresh prefix.
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, Metrics));
  EXPECT_FALSE(UserBpp());
  EXPECT_FALSE(RegKeyExists(HKEY_USERS, DefaultMetrics));
  EXPECT_EQ(LinkArrow(), "yes");
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "piffile"));
}

TEST_F(Installer, FirstStartAnsweredOkInstallsInOrder) {
  WriteTextFile(Paths.Target, "old program");

  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::Installed);

  // The default user's metrics key is missing under Wine: that row fails without a word.
  const std::vector<std::string> expected = {AskInstall, "show", Success, "show"};
  EXPECT_EQ(Events, expected);
  // The hourglass shows for the whole routine, and the previous cursor comes back.
  for (TCursor c : CursorsDuringBoxes) EXPECT_EQ(c, crHourGlass);
  EXPECT_EQ(Screen.Cursor(), crDefault);

  // The older file at Target was replaced by the running executable.
  EXPECT_FALSE(PathExists(Paths.ExePath));
  EXPECT_EQ(ReadTextFile(Paths.Target), "new program");

  const std::optional<TShellLinkInfo> link = ReadShellLink(Link);
  ASSERT_TRUE(link);
  EXPECT_EQ(::lstrcmpiA(link->Target.c_str(), Paths.Target.c_str()), 0) << link->Target;
  EXPECT_EQ(link->Description, "\\Tarvell.lnk");
  EXPECT_EQ(StoredShowCommand(Link), std::optional<std::uint32_t>(SW_SHOW));

  EXPECT_EQ(UserBpp(), "32");
  EXPECT_FALSE(RegKeyExists(HKEY_USERS, DefaultMetrics)) << "a missing key is never created";
  EXPECT_EQ(LinkArrow(), "yes") << "the shortcut class keeps its arrow setting";
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "piffile"));

  // The next start finds the shortcut and asks nothing.
  Events.clear();
  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::AlreadyInstalled);
  EXPECT_TRUE(Events.empty());
}

TEST_F(Installer, StartWithTheShortcutPresentAsksAndChangesNothing) {
  WriteTextFile(Paths.Target, "old program");
  WriteTextFile(Link, "any file counts");
  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::AlreadyInstalled);
  EXPECT_TRUE(Events.empty());
  ExpectNothingChanged();
}

TEST_F(Installer, DecliningChangesNothing) {
  WriteTextFile(Paths.Target, "old program");
  Answer = IDCANCEL;
  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::Declined);
  EXPECT_EQ(Events, std::vector<std::string>{AskInstall});
  EXPECT_FALSE(PathExists(Link));
  ExpectNothingChanged();
  EXPECT_EQ(Screen.Cursor(), crDefault);
}

TEST_F(Installer, UnknownStartupFolderAsksAndChangesNothing) {
  WriteTextFile(Paths.Target, "old program");
  Paths.StartupFolder = []() -> std::optional<std::string> { return std::nullopt; };
  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::StartupFolderUnknown);
  Paths.StartupFolder = nullptr;
  EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::StartupFolderUnknown);
  EXPECT_TRUE(Events.empty());
  ExpectNothingChanged();
}

// Guards against deleting the running program: started from Target under another spelling of
// the same path, it must not be taken for an older copy.
TEST_F(Installer, ProgramRunningFromTargetStaysWhereItIs) {
  WriteTextFile(Paths.Target, "running program");
  for (const std::string& exe : {Paths.Target, Tmp.Path() + "\\PROGRAM\\tarvell.EXE"}) {
    SCOPED_TRACE(exe);
    ::DeleteFileA(Link.c_str());
    Paths.ExePath = exe;
    EXPECT_EQ(InstallProgram(Paths, Hooks), InstallResult::Installed);
    EXPECT_EQ(ReadTextFile(Paths.Target), "running program");
    EXPECT_TRUE(PathExists(Link));
  }
}

// An installed system: shortcut, settings file, program at Target, changed icon settings.
class Uninstall : public Installer {
protected:
  void SetUp() override {
    Installer::SetUp();
    WriteTextFile(Link, "shortcut");
    WriteTextFile(Paths.ConfigPath, "5\r\n");
    WriteTextFile(Paths.Target, "installed program");
    RegWriteString(HKEY_CURRENT_USER, Metrics, "Shell Icon BPP", "32");
    RegWriteString(HKEY_CURRENT_USER, "Software\\Tarvell", "Wrote Shell Icon BPP", "1");
    RegDeleteValue(HKEY_CLASSES_ROOT, "lnkfile", "isShortcut");
  }
  void ExpectRegistryRestored() const {
    EXPECT_FALSE(UserBpp());
    EXPECT_EQ(LinkArrow(), "");
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "piffile")) << "a missing key is never created";
    EXPECT_FALSE(RegKeyExists(HKEY_USERS, DefaultMetrics));
  }
};

TEST_F(Uninstall, RemovesShortcutAndSettingsAndRestoresTheRegistry) {
  Paths.ShowFiles = {ProgramDir + "\\Tarvell.history", ProgramDir + "\\Tarvell.exclude"};
  for (const std::string& file : Paths.ShowFiles) WriteTextFile(file, "C:\\a.jpg\r\n");
  // Wine has neither "piffile" nor the default user's metrics: both are skipped, no error.
  EXPECT_EQ(UninstallProgram(Paths), UninstallResult::Uninstalled);
  EXPECT_EQ(Events, std::vector<std::string>{AskUninstall});
  EXPECT_FALSE(PathExists(Link));
  EXPECT_FALSE(PathExists(Paths.ConfigPath));
  for (const std::string& file : Paths.ShowFiles) EXPECT_FALSE(PathExists(file)) << file;
  EXPECT_EQ(ReadTextFile(Paths.Target), "installed program") << "the program itself stays";
  ExpectRegistryRestored();
  EXPECT_EQ(Screen.Cursor(), crDefault);
}

// Guards against old settings coming back after an uninstall: start-up reads the older file in
// the Windows directory when the per-user folder has none, so it goes as well.
TEST_F(Uninstall, AlsoDeletesTheOlderSettingsFileThatStartUpFallsBackTo) {
  const std::string windowsDir = Tmp.Folder("Windows");
  Paths.OldConfigPath = windowsDir + "\\Tarvell.cfg";
  WriteTextFile(Paths.OldConfigPath, "7\r\n");
  EXPECT_EQ(UninstallProgram(Paths), UninstallResult::Uninstalled);
  EXPECT_FALSE(PathExists(Paths.ConfigPath));
  EXPECT_FALSE(PathExists(Paths.OldConfigPath));

  // The real paths name that file exactly when the settings are kept per user.
  TProgramFolders folders;
  folders.WindowsDir = windowsDir;
  folders.PerUser = true;
  folders.ConfigPath = ProgramDir + "\\Tarvell.cfg";
  EXPECT_EQ(StandardInstallPaths(folders).OldConfigPath, windowsDir + "\\Tarvell.cfg");
  folders.PerUser = false;
  EXPECT_EQ(StandardInstallPaths(folders).OldConfigPath, "");
}

TEST_F(Uninstall, CancelledDoesNothing) {
  Answer = IDCANCEL;
  EXPECT_EQ(UninstallProgram(Paths), UninstallResult::Cancelled);
  EXPECT_EQ(Events, std::vector<std::string>{AskUninstall});
  EXPECT_TRUE(PathExists(Link));
  EXPECT_TRUE(PathExists(Paths.ConfigPath));
  EXPECT_EQ(UserBpp(), "32");
  EXPECT_FALSE(LinkArrow());
}

TEST_F(Uninstall, WithTheShortcutGoneDeletesNothingButStillRestoresTheRegistry) {
  ::DeleteFileA(Link.c_str());
  EXPECT_EQ(UninstallProgram(Paths), UninstallResult::Uninstalled);
  EXPECT_TRUE(PathExists(Paths.ConfigPath));
  ExpectRegistryRestored();
}

TEST_F(Uninstall, FailedRegistryWriteIsRaisedAfterTheFilesAreGone) {
  const std::string root = "Software\\TarvellTest";
  RegCreate(HKEY_CURRENT_USER, root + "\\lnkfile");
  RegDenyAll(HKEY_CURRENT_USER, root + "\\lnkfile");
  Paths.RegistryKeys.LinkClass = {HKEY_CURRENT_USER, root + "\\lnkfile"};
  try {
    UninstallProgram(Paths);
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'isShortcut'");
  }
  EXPECT_FALSE(PathExists(Link));
  EXPECT_FALSE(PathExists(Paths.ConfigPath));
  EXPECT_FALSE(UserBpp()) << "the rows before the failing one were restored";
  EXPECT_EQ(Screen.Cursor(), crDefault);
}

TEST_F(Uninstall, RemoveProgramFilesNeedsTheStartupFolder) {
  Paths.StartupFolder = []() -> std::optional<std::string> { return std::nullopt; };
  RemoveProgramFiles(Paths);
  EXPECT_TRUE(PathExists(Link));
  EXPECT_TRUE(PathExists(Paths.ConfigPath));
  // Without a settings file only the shortcut goes.
  Paths.StartupFolder = [this]() -> std::optional<std::string> { return Startup; };
  ::DeleteFileA(Paths.ConfigPath.c_str());
  RemoveProgramFiles(Paths);
  EXPECT_FALSE(PathExists(Link));
  EXPECT_TRUE(PathExists(Paths.Target));
}

}  // namespace
}  // namespace tarvell
