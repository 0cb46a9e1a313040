#include "desktop/SystemFolders.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

bool EndsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && ::lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

int EntriesIn(const std::string& folder) {
  int n = 0;
  WIN32_FIND_DATAA data{};
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (::FindNextFileA(find, &data));
  ::FindClose(find);
  return n;
}

TEST(SystemFolders, WriteProbeLeavesNothingBehind) {
  TTempFolder tmp;
  const int before = EntriesIn(tmp.Path());
  EXPECT_TRUE(CanWriteFolder(tmp.Path()));
  EXPECT_EQ(EntriesIn(tmp.Path()), before);
  EXPECT_FALSE(CanWriteFolder(tmp.File("missing")));
}

// Guards against a folder taken for read-only because an earlier process with the same
// identifier died while probing and left its probe file behind.
TEST(SystemFolders, StaleProbeFileDoesNotMakeTheFolderReadOnly) {
  TTempFolder tmp;
  const std::string stale = tmp.File("~tarvell-write-test-" + std::to_string(::GetCurrentProcessId()) + ".tmp");
  WriteTextFile(stale, "left behind");
  EXPECT_TRUE(CanWriteFolder(tmp.Path()));
  EXPECT_FALSE(PathExists(stale));
}

TEST(SystemFolders, FileExistsOnlyForFiles) {
  TTempFolder tmp;
  WriteTextFile(tmp.File("a.cfg"), "5");
  EXPECT_TRUE(FileExists(tmp.File("a.cfg")));
  EXPECT_FALSE(FileExists(tmp.Path()));
  EXPECT_FALSE(FileExists(tmp.File("b.cfg")));
}

// Wine lets everyone write its Windows directory, so the program keeps its files there.
TEST(SystemFolders, WritableWindowsDirectoryIsTheProgramFolder) {
  const std::string windows = WindowsDirectory();
  EXPECT_EQ(::lstrcmpiA(windows.c_str(), "C:\\windows"), 0) << windows;
  const TProgramFolders f = DecideProgramFolders();
  EXPECT_FALSE(f.PerUser);
  EXPECT_EQ(f.ProgramDir, windows);
  EXPECT_EQ(f.ConfigPath, windows + "\\Tarvell.cfg");
  EXPECT_EQ(f.ConfigReadPath, f.ConfigPath);
  EXPECT_EQ(f.WallpaperPath, windows + "\\Tarvell.bmp");
  EXPECT_EQ(f.InstallTarget, windows + "\\Tarvell.exe");
}

TEST(SystemFolders, ShellFoldersAreKnown) {
  const std::optional<std::string> startup = ShellStartupFolder();
  ASSERT_TRUE(startup);
  EXPECT_TRUE(EndsWithNoCase(*startup, "\\Startup")) << *startup;
  EXPECT_NE(::GetFileAttributesA(startup->c_str()), INVALID_FILE_ATTRIBUTES);

  const std::string perUser = PerUserProgramDirectory();
  EXPECT_TRUE(EndsWithNoCase(perUser, "\\AppData\\Local\\Tarvell")) << perUser;

  const std::string exe = ExecutablePath();
  EXPECT_TRUE(EndsWithNoCase(exe, "\\tarvell_win_tests.exe")) << exe;
  EXPECT_TRUE(FileExists(exe));
}

}  // namespace
}  // namespace tarvell
