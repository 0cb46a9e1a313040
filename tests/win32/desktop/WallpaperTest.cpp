// The wallpaper file: written beside its place and then moved over the old one in one step.
#include "desktop/Wallpaper.h"
#include "app/FootprintCounts.h"
#include "gui/Handles.h"
#include "picture/DecodeError.h"
#include "picture/Picture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace tarvell;
using namespace tarvell::test;

namespace {

TPicture PictureOf(const std::string& bytes) {
  TPicture picture;
  picture.Assign(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return picture;
}

// Each case's own folder, and the wallpaper file's place in it.
class WallpaperFile : public ::testing::Test {
protected:
  TTempFolder folder;
  const std::string path = folder.File("Tarvell.bmp");
};

TEST_F(WallpaperFile, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
  WriteTextFile(path, "the older wallpaper, longer than the new one");
  WriteWallpaperFile(PictureOf("BM new"), path);
  EXPECT_EQ(ReadTextFile(path), "BM new");
  EXPECT_FALSE(PathExists(path + ".new"));
}

TEST_F(WallpaperFile, AnEmptyPictureWritesNothing) {
  WriteWallpaperFile(TPicture(), path);
  EXPECT_FALSE(PathExists(path));
  WriteTextFile(path, "old");
  WriteWallpaperFile(TPicture(), path);
  EXPECT_EQ(ReadTextFile(path), "old");
}

// Writing in place used to leave a truncated wallpaper when the write failed part way.
TEST_F(WallpaperFile, AFailedReplaceKeepsTheOldFileAndRemovesTheTemporaryOne) {
  WriteTextFile(path, "old");
  {
    // Held open with no sharing, as a program that is reading it holds it.
    TKernelHandle held(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    try {
      WriteWallpaperFile(PictureOf("BM new"), path);
      ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
  }
  EXPECT_EQ(ReadTextFile(path), "old");
  EXPECT_FALSE(PathExists(path + ".new"));

  // A folder in the file's place cannot be replaced either.
  const std::string taken = folder.Folder("Taken.bmp");
  EXPECT_THROW(WriteWallpaperFile(PictureOf("BM new"), taken), EFCreateError);
  EXPECT_FALSE(PathExists(taken + ".new"));
}

// Regression: a wallpaper file that another program was reading for a moment failed the change.
TEST_F(WallpaperFile, AFileHeldForAMomentIsReplacedOnceItIsFree) {
  WriteTextFile(path, "old");
  HANDLE held = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread reader([held] {
    ::Sleep(300);
    ::CloseHandle(held);
  });
  WriteWallpaperFile(PictureOf("BM new"), path);
  reader.join();
  EXPECT_EQ(ReadTextFile(path), "BM new");
  EXPECT_FALSE(PathExists(path + ".new"));
}

TEST_F(WallpaperFile, AFolderThatDoesNotExistRaisesCannotCreate) {
  const std::string missing = folder.File("missing\\Tarvell.bmp");
  EXPECT_THROW(WriteWallpaperFile(PictureOf("BM new"), missing), EFCreateError);
  EXPECT_FALSE(PathExists(missing));
}

// Every change left one more handle in the process under Wine: the wait for the desktop's
// repaint went through WaitForInputIdle, which hands its caller a new handle each time.
TEST(DesktopWallpaper, ChangesLeaveNoHandleBehind) {
  SetDesktopWallpaper("");  // the first change may set up what later ones reuse
  const DWORD before = CountHandles();
  for (int i = 0; i < 5; ++i) SetDesktopWallpaper("");
  EXPECT_EQ(CountHandles(), before);
}

TEST(DesktopWallpaper, TellsItsOwnFileFromOneSetSince) {
  TTempFolder folder;
  const std::string ours = folder.File("Tarvell.bmp");
  const std::string theirs = folder.File("Holiday.bmp");
  WriteTextFile(ours, "BM");
  WriteTextFile(theirs, "BM");
  SetDesktopWallpaper(ours);
  EXPECT_TRUE(DesktopShowsWallpaper(ours));
  EXPECT_TRUE(DesktopShowsWallpaper(folder.File("TARVELL.BMP"))) << "the file system ignores case";
  EXPECT_FALSE(DesktopShowsWallpaper(ours + "x"));
  SetDesktopWallpaper(theirs);
  EXPECT_FALSE(DesktopShowsWallpaper(ours));
  SetDesktopWallpaper("");
  EXPECT_FALSE(DesktopShowsWallpaper(ours));
}

}  // namespace
