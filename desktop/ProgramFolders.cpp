#include "desktop/ProgramFolders.h"

namespace tarvell {

TProgramFolders ChooseProgramFolders(const std::string& windowsDir, const std::string& perUserDir,
                                     const TFolderProbe& probe) {
  TProgramFolders f;
  f.WindowsDir = windowsDir;
  const bool windowsWritable = !windowsDir.empty() && probe.CanWrite(windowsDir);
  f.PerUser = !windowsWritable && !perUserDir.empty();
  f.ProgramDir = f.PerUser ? perUserDir : windowsDir;

  f.WallpaperPath = JoinPath(f.ProgramDir, WallpaperFileName);
  f.ConfigPath = JoinPath(f.ProgramDir, ConfigFileName);
  f.InstallTarget = JoinPath(f.ProgramDir, ExeFileName);
  f.HistoryPath = JoinPath(f.ProgramDir, HistoryFileName);
  f.ExcludePath = JoinPath(f.ProgramDir, ExcludeFileName);
  f.ShufflePath = JoinPath(f.ProgramDir, ShuffleFileName);

  f.ConfigReadPath = f.ConfigPath;
  if (f.PerUser && !windowsDir.empty() && !probe.FileExists(f.ConfigPath)) {
    const std::string old = JoinPath(windowsDir, ConfigFileName);
    if (probe.FileExists(old)) f.ConfigReadPath = old;
  }
  return f;
}

}  // namespace tarvell
