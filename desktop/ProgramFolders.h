// Where the program keeps its files: the settings, the wallpaper bitmap and the installed
// executable. Decided once at start-up, before anything reads or writes them.
#pragma once

#include "base/PathText.h"

#include <functional>
#include <string>

namespace tarvell {

inline constexpr const char ConfigFileName[] = "Tarvell.cfg";
inline constexpr const char WallpaperFileName[] = "Tarvell.bmp";
inline constexpr const char ExeFileName[] = "Tarvell.exe";
inline constexpr const char HistoryFileName[] = "Tarvell.history";
inline constexpr const char ExcludeFileName[] = "Tarvell.exclude";
inline constexpr const char ShuffleFileName[] = "Tarvell.shuffle";
// The per-user folder's name under the user's local application data.
inline constexpr const char PerUserFolderName[] = "Tarvell";

struct TProgramFolders {
  // The Windows directory itself, as the system reports it.
  std::string WindowsDir;
  // The folder the program's files live in: WindowsDir when it can be written there,
  // otherwise the per-user folder. Current Windows lets only administrators write
  // the Windows directory, so a normal user gets the per-user folder.
  std::string ProgramDir;
  bool PerUser = false;

  std::string WallpaperPath;  // ProgramDir\Tarvell.bmp
  std::string ConfigPath;     // ProgramDir\Tarvell.cfg: where the settings are written
  std::string InstallTarget;  // ProgramDir\Tarvell.exe: where installation puts the program
  std::string HistoryPath;    // ProgramDir\Tarvell.history: the wallpapers shown (slideshow/ShowHistory.h)
  std::string ExcludePath;    // ProgramDir\Tarvell.exclude: pictures never to show (slideshow/ExcludeList.h)
  std::string ShufflePath;    // ProgramDir\Tarvell.shuffle: the shuffled order and how far it is shown
  // Where the settings are read at start-up: ConfigPath, except when the per-user folder
  // is used and has no settings yet while an earlier version left some in WindowsDir.
  std::string ConfigReadPath;
};

// The file system as the decision sees it; the Win32 side supplies the real calls,
// tests supply their own answers.
struct TFolderProbe {
  std::function<bool(const std::string& folder)> CanWrite;
  std::function<bool(const std::string& path)> FileExists;
};

// windowsDir: the Windows directory (empty when unknown); perUserDir: the per-user
// program folder (empty when unknown). When neither can be used, WindowsDir is kept,
// so the program behaves as it always did there.
TProgramFolders ChooseProgramFolders(const std::string& windowsDir, const std::string& perUserDir,
                                     const TFolderProbe& probe);

}  // namespace tarvell
