// First-run installation and the uninstall.
//
// Installed means: a shortcut "Tarvell.lnk" to the program sits in the user's Startup folder,
// so the program starts at logon. Installation also moves the executable into the program's
// folder and changes the shell's icon settings (IconSettings.h); uninstall removes the shortcut
// and the settings file and gives the icon settings back. The executable stays.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "desktop/IconSettings.h"
#include "desktop/InstallHooks.h"
#include "desktop/ProgramFolders.h"

namespace tarvell {

inline constexpr const char LinkFileName[] = "\\Tarvell.lnk";  // appended to the Startup folder
inline constexpr const char LinkDescription[] = "\\Tarvell.lnk";
inline constexpr const char InstalledMessage[] =
    "Installation successfully completed. You should must restart Windows to view truecolor icons";

// Everything installation touches, so tests can point it at folders and keys of their own.
struct TInstallPaths {
  std::string Target;      // where the executable goes: the program's folder + "\Tarvell.exe"
  std::string ConfigPath;  // the settings file, deleted by the uninstall
  // An older settings file that start-up falls back to (in the Windows directory, when the
  // settings are kept per user); also deleted, so old settings do not come back. Empty: none.
  std::string OldConfigPath;
  std::string ExePath;  // the running executable
  // The user's Startup folder, looked up at the moment of use; nothing when unknown.
  std::function<std::optional<std::string>()> StartupFolder;
  TIconSettingKeys RegistryKeys;
  // The history and the exclusions kept beside the settings, deleted with them.
  std::vector<std::string> ShowFiles;
};

// The real places for this run: the decided folders, this executable, the shell's Startup
// folder and the system's registry keys.
TInstallPaths StandardInstallPaths(const TProgramFolders& folders);

enum class InstallResult {
  StartupFolderUnknown,  // the shell did not tell the Startup folder: nothing asked or changed
  AlreadyInstalled,      // the shortcut is there: nothing asked or changed
  Declined,              // the user said no: nothing changed; the caller ends the program (exit code 0)
  Installed,             // the caller opens the help window at the next timer tick
};

// The start-up check: unless installed, asks "Do you want to install Tarvell ver. 2.1?" and,
// on OK, shows the main window, moves the executable to Target (replacing an older file there),
// changes the icon settings, creates the shortcut and shows the success notice. The hourglass
// shows for the whole routine.
InstallResult InstallProgram(const TInstallPaths& paths, const TInstallHooks& hooks);

// Deletes the settings files (the current and the older one) and the shortcut; does nothing
// when the shortcut is already gone.
void RemoveProgramFiles(const TInstallPaths& paths);

enum class UninstallResult {
  Cancelled,    // the user said no: nothing happened
  Uninstalled,  // the caller closes the About window and ends the program (exit code 0)
};

// Asks "Do you want to Uninstall Tarvell ver. 2.1?"; on OK removes the files and restores the
// icon settings. A failed registry write throws Exception (the files are already gone then).
UninstallResult UninstallProgram(const TInstallPaths& paths);

}  // namespace tarvell
