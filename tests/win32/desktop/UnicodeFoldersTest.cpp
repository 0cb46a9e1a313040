// A user whose profile folder is named in another script: the per-user program folder holds
// those characters, and the settings, the wallpaper and the installation all work there.
// (Regression: the 8-bit calls turned them into "?", so nothing was ever saved, no wallpaper
// written, and the installation question came back at every start.) This process runs in the
// system's code page, so any 8-bit call left on these paths fails here.
#include "app/ConfigFile.h"
#include "app/ConfigStore.h"
#include "base/WindowsCodePage.h"
#include "desktop/FileReplace.h"
#include "desktop/Installer.h"
#include "desktop/ShellLink.h"
#include "desktop/SystemFolders.h"
#include "desktop/Wallpaper.h"
#include "gui/Dialogs.h"
#include "base/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace tarvell {
namespace {

const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

bool Exists(const std::string& path) { return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadAll(const std::string& path) {
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
  std::string bytes(4096, '\0');
  DWORD got = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

class UnicodeFolders : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(::SHCreateDirectoryExW(nullptr, Widen(Local).c_str(), nullptr), ERROR_SUCCESS);
    const std::wstring value = Widen(Local);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, Widen(ShellFolders).c_str(), L"Local AppData", REG_SZ,
                                value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned) {
      Boxes.push_back(caption + ": " + text);
      return IDOK;
    });
  }
  void TearDown() override { SetMessageBoxHook({}); }

  const std::string Local = "C:\\users\\Ωmega ☕ Ελλάδα 東京\\AppData\\Local";
  std::vector<std::string> Boxes;
};

TEST_F(UnicodeFolders, SettingsWallpaperAndInstallationWorkInAPerUserFolderNamedInAnyScript) {
  const std::string perUser = PerUserProgramDirectory();
  ASSERT_EQ(perUser, Local + "\\Tarvell");
  // No Windows directory to write: the per-user folder is the program's.
  const TProgramFolders folders = ChooseProgramFolders("", perUser, SystemFolderProbe());
  ASSERT_TRUE(folders.PerUser);
  ASSERT_TRUE(::CreateDirectoryW(WidePath(folders.ProgramDir).c_str(), nullptr));
  EXPECT_TRUE(CanWriteFolder(folders.ProgramDir));

  TSettings settings;
  settings.StartFolder = "C:\\Ελλάδα";
  const std::string bytes = WriteConfig(settings, SystemLegacyCodePage());
  ReplaceConfigFile(folders.ConfigPath, bytes);
  EXPECT_EQ(ReadAll(folders.ConfigPath), bytes);
  EXPECT_EQ(ReadConfigFile(folders.ConfigPath), std::optional<std::string>(bytes));

  ASSERT_EQ(ReplaceFileContents(folders.WallpaperPath, "BM", 2), TReplaceResult::Replaced);
  EXPECT_EQ(ReadAll(folders.WallpaperPath), "BM");
  SetDesktopWallpaper(folders.WallpaperPath);
  wchar_t current[MAX_PATH] = {};
  ::SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0);
  EXPECT_EQ(Narrow(current), folders.WallpaperPath);

  // Installed from a download folder of the same user: moved in, and the shortcut points there.
  const std::string downloads = "C:\\users\\Ωmega ☕ Ελλάδα 東京\\Downloads";
  ASSERT_EQ(::SHCreateDirectoryExW(nullptr, Widen(downloads).c_str(), nullptr), ERROR_SUCCESS);
  TInstallPaths paths = StandardInstallPaths(folders);
  paths.ExePath = downloads + "\\Tarvell.exe";
  ASSERT_EQ(ReplaceFileContents(paths.ExePath, "program", 7), TReplaceResult::Replaced);
  EXPECT_EQ(InstallProgram(paths, TInstallHooks{}), InstallResult::Installed) << ::testing::PrintToString(Boxes);
  EXPECT_FALSE(Exists(paths.ExePath));
  EXPECT_EQ(ReadAll(folders.InstallTarget), "program");
  const std::optional<std::string> startup = ShellStartupFolder();
  ASSERT_TRUE(startup);
  const std::optional<TShellLinkInfo> link = ReadShellLink(*startup + "\\Tarvell.lnk");
  ASSERT_TRUE(link);
  EXPECT_EQ(link->Target, folders.InstallTarget);
  // The next start finds the shortcut: no question again.
  Boxes.clear();
  EXPECT_EQ(InstallProgram(paths, TInstallHooks{}), InstallResult::AlreadyInstalled);
  EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace tarvell
