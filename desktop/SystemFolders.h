// The system's folders and the file-system questions the program's folder choice asks.
#pragma once

#include <optional>
#include <string>

#include "desktop/ProgramFolders.h"

namespace tarvell {

// GetWindowsDirectoryA; empty when the system does not tell.
std::string WindowsDirectory();

// The running executable's full path.
std::string ExecutablePath();

// The per-user program folder, <local application data>\Tarvell; empty when the shell
// does not know the user's local application data.
std::string PerUserProgramDirectory();

// The current user's Startup folder, from the shell's item list; nothing when any of the
// shell calls fails.
std::optional<std::string> ShellStartupFolder();

// True when a new file can be created in the folder (tried, then removed again).
bool CanWriteFolder(const std::string& folder);

// True when something that is not a folder exists at path.
bool FileExists(const std::string& path);

// The probes above, as the folder decision wants them.
TFolderProbe SystemFolderProbe();

// Decides the program's folders for this run; creates the per-user folder when it is chosen.
TProgramFolders DecideProgramFolders();

}  // namespace tarvell
