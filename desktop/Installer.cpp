#include "desktop/Installer.h"

#include <windows.h>

#include "desktop/ShellLink.h"
#include "desktop/SystemFolders.h"
#include "base/WideText.h"
#include "gui/Dialogs.h"
#include "gui/WaitCursor.h"
#include "resources/Version.h"

namespace tarvell {

namespace {

// File names compare as the file system does, ignoring case: the running executable reached
// under another spelling of Target must not be taken for an older copy and deleted.
bool SameFileName(const std::string& a, const std::string& b) {
  const std::wstring wa = Widen(a), wb = Widen(b);
  return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()),
                                TRUE) == CSTR_EQUAL;
}

void ShowMainWindow(const TInstallHooks& hooks) {
  if (hooks.ShowMainWindow) hooks.ShowMainWindow();
}

std::optional<std::string> LinkPath(const TInstallPaths& paths) {
  if (!paths.StartupFolder) return std::nullopt;
  const std::optional<std::string> startup = paths.StartupFolder();
  if (!startup) return std::nullopt;
  return *startup + LinkFileName;
}

}  // namespace

TInstallPaths StandardInstallPaths(const TProgramFolders& folders) {
  const std::string oldConfig =
      folders.PerUser && !folders.WindowsDir.empty() ? JoinPath(folders.WindowsDir, ConfigFileName) : std::string();
  return TInstallPaths{folders.InstallTarget, folders.ConfigPath,  oldConfig,
                       ExecutablePath(),      &ShellStartupFolder, StandardIconSettingKeys(),
                       {folders.HistoryPath, folders.ExcludePath, folders.ShufflePath}};
}

InstallResult InstallProgram(const TInstallPaths& paths, const TInstallHooks& hooks) {
  const TWaitCursor wait;
  const std::optional<std::string> link = LinkPath(paths);
  if (!link) return InstallResult::StartupFolderUnknown;
  if (FileExists(*link)) return InstallResult::AlreadyInstalled;

  if (!AskOkCancel(std::string("Do you want to install " TARVELL_VERSION_TITLE "?"), "Installation"))
    return InstallResult::Declined;
  ShowMainWindow(hooks);

  if (!SameFileName(paths.ExePath, paths.Target)) {
    if (FileExists(paths.Target)) ::DeleteFileW(WidePath(paths.Target).c_str());
    // Copying is allowed so that a program started from another drive still ends up at Target
    // (a rename cannot cross volumes); the running file then simply stays where it was.
    ::MoveFileExW(WidePath(paths.ExePath).c_str(), WidePath(paths.Target).c_str(), MOVEFILE_COPY_ALLOWED);
  }

  InstallIconSettings(paths.RegistryKeys, hooks);
  CreateShellLink(*link, TShellLinkInfo{paths.Target, LinkDescription, SW_SHOW});

  ShowNotice(InstalledMessage, "Success");
  ShowMainWindow(hooks);
  return InstallResult::Installed;
}

void RemoveProgramFiles(const TInstallPaths& paths) {
  const TWaitCursor wait;
  const std::optional<std::string> link = LinkPath(paths);
  if (!link || !FileExists(*link)) return;
  for (const std::string* config : {&paths.ConfigPath, &paths.OldConfigPath})
    if (!config->empty() && FileExists(*config)) ::DeleteFileW(WidePath(*config).c_str());
  for (const std::string& file : paths.ShowFiles)
    if (!file.empty() && FileExists(file)) ::DeleteFileW(WidePath(file).c_str());
  ::DeleteFileW(WidePath(*link).c_str());
}

UninstallResult UninstallProgram(const TInstallPaths& paths) {
  if (!AskOkCancel(std::string("Do you want to Uninstall " TARVELL_VERSION_TITLE "?"), "Uninstallation"))
    return UninstallResult::Cancelled;
  RemoveProgramFiles(paths);
  RestoreIconSettings(paths.RegistryKeys);
  return UninstallResult::Uninstalled;
}

}  // namespace tarvell
