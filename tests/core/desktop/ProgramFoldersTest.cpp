#include "desktop/ProgramFolders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tarvell {
namespace {

// A file system that answers from sets and remembers which folders were probed.
struct FakeFileSystem {
  std::set<std::string> writable;
  std::set<std::string> files;
  std::vector<std::string> probed;

  TFolderProbe Probe() {
    return TFolderProbe{[this](const std::string& folder) {
                          probed.push_back(folder);
                          return writable.count(folder) != 0;
                        },
                        [this](const std::string& path) { return files.count(path) != 0; }};
  }
};

const std::string WinDir = "C:\\WINDOWS";
const std::string UserDir = "C:\\Users\\ann\\AppData\\Local\\Tarvell";

TEST(ProgramFolders, WritableWindowsDirectoryKeepsEveryFileThere) {
  FakeFileSystem fs;
  fs.writable = {WinDir, UserDir};
  fs.files = {UserDir + "\\Tarvell.cfg"};  // must not draw the program away from the Windows directory
  const TProgramFolders f = ChooseProgramFolders(WinDir, UserDir, fs.Probe());
  EXPECT_FALSE(f.PerUser);
  EXPECT_EQ(f.WindowsDir, WinDir);
  EXPECT_EQ(f.ProgramDir, WinDir);
  EXPECT_EQ(f.ConfigPath, "C:\\WINDOWS\\Tarvell.cfg");
  EXPECT_EQ(f.ConfigReadPath, "C:\\WINDOWS\\Tarvell.cfg");
  EXPECT_EQ(f.WallpaperPath, "C:\\WINDOWS\\Tarvell.bmp");
  EXPECT_EQ(f.InstallTarget, "C:\\WINDOWS\\Tarvell.exe");
  // Decided once, from one probe of the Windows directory.
  EXPECT_EQ(fs.probed, std::vector<std::string>{WinDir});
}

TEST(ProgramFolders, ReadOnlyWindowsDirectoryMovesEveryFileToThePerUserFolder) {
  FakeFileSystem fs;
  const TProgramFolders f = ChooseProgramFolders(WinDir, UserDir, fs.Probe());
  EXPECT_TRUE(f.PerUser);
  EXPECT_EQ(f.WindowsDir, WinDir);
  EXPECT_EQ(f.ProgramDir, UserDir);
  EXPECT_EQ(f.ConfigPath, UserDir + "\\Tarvell.cfg");
  EXPECT_EQ(f.WallpaperPath, UserDir + "\\Tarvell.bmp");
  EXPECT_EQ(f.InstallTarget, UserDir + "\\Tarvell.exe");
  EXPECT_EQ(f.ConfigReadPath, f.ConfigPath);  // no settings anywhere yet
}

TEST(ProgramFolders, SettingsLeftInTheWindowsDirectoryAreReadUntilThePerUserOnesExist) {
  FakeFileSystem fs;
  fs.files = {WinDir + "\\Tarvell.cfg"};
  TProgramFolders f = ChooseProgramFolders(WinDir, UserDir, fs.Probe());
  EXPECT_EQ(f.ConfigReadPath, "C:\\WINDOWS\\Tarvell.cfg");
  EXPECT_EQ(f.ConfigPath, UserDir + "\\Tarvell.cfg");  // but written to the per-user folder

  // Once the program has saved its own settings, the old file is no longer read.
  fs.files.insert(UserDir + "\\Tarvell.cfg");
  f = ChooseProgramFolders(WinDir, UserDir, fs.Probe());
  EXPECT_EQ(f.ConfigReadPath, UserDir + "\\Tarvell.cfg");
}

TEST(ProgramFolders, UnknownFoldersFallBackSensibly) {
  FakeFileSystem fs;
  // No Windows directory known: the per-user folder, and the probe is never asked about "".
  TProgramFolders f = ChooseProgramFolders("", UserDir, fs.Probe());
  EXPECT_TRUE(f.PerUser);
  EXPECT_EQ(f.ConfigPath, UserDir + "\\Tarvell.cfg");
  EXPECT_TRUE(fs.probed.empty());

  // No per-user folder known and the Windows directory read-only: stay where the program always was.
  f = ChooseProgramFolders(WinDir, "", fs.Probe());
  EXPECT_FALSE(f.PerUser);
  EXPECT_EQ(f.ProgramDir, WinDir);
  EXPECT_EQ(f.ConfigPath, "C:\\WINDOWS\\Tarvell.cfg");
  EXPECT_EQ(f.ConfigReadPath, f.ConfigPath);
}

// The joining itself is base/PathText's (tests/core/base/PathTextTest.cpp).
TEST(ProgramFolders, ARootFolderKeepsItsOneBackslash) {
  FakeFileSystem fs;
  fs.writable = {"C:\\"};
  const TProgramFolders f = ChooseProgramFolders("C:\\", UserDir, fs.Probe());
  EXPECT_EQ(f.WallpaperPath, "C:\\Tarvell.bmp");
}

}  // namespace
}  // namespace tarvell
