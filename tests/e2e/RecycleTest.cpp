// Deleting a picture as a user does, with Ctrl+D and OK: the file goes to the desktop's trash
// (Wine's stands for the Recycle Bin), never for good, and never a neighbour in its place.
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

const std::string Folder = "C:\\Recycle";
// Wine puts what it sends to the trash under $XDG_DATA_HOME/Trash/files; the test points that
// into its own prefix, where this folder sees it.
const std::string TrashFiles = "C:\\XdgData\\Trash\\files\\";

class Recycle : public TTarvellCase {
protected:
  void SetUp() override {
    char prefix[1024] = {};
    if (GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix) == 0) GTEST_SKIP() << "not under Wine";
    // Inherited by the program started below, which takes its Unix environment from it.
    ASSERT_TRUE(SetEnvironmentVariableA("XDG_DATA_HOME", (std::string(prefix) + "/drive_c/XdgData").c_str()));
    CreateDirectoryA("C:\\XdgData", nullptr);  // Wine makes the trash in it, not the folder itself
    TTarvellCase::SetUp();
    CreateDirectoryA(Folder.c_str(), nullptr);
  }

  static std::string AddPicture(const std::string& name, int width, int height) {
    return TTarvellCase::AddPicture(Folder, name, width, height);
  }

  void Start() { StartToTray(tarvell::TSettings{.StartFolder = Folder, .Transparent = false}); }

  // Ctrl+D, and OK to the question, which must name `path`.
  void DeleteCurrent(const std::string& path) {
    SendCtrlKey('D');
    HWND box = WaitForMessageBox("Deleteting file from disk!", 10000, run.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Do you want to delete " + path + " current wallpaper file from disk?");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  }
};

// Regression: the delete removed the file for good.
TEST_F(Recycle, CtrlDAnsweredOkSendsTheFileToTheTrash) {
  const std::string a = AddPicture("a.jpg", 40, 30);
  const std::string b = AddPicture("b.jpg", 30, 40);
  const std::string bytes = ReadWholeFile(a).value_or("");
  Start();

  DeleteCurrent(a);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(a); }, 10000));
  EXPECT_TRUE(WaitUntil(WallpaperOf(b), 10000));
  EXPECT_TRUE(ReadWholeFile(TrashFiles + "a.jpg") == bytes) << "not in the trash";
}

// Regression: the plain path of "a.jpeg." names its neighbour "a.jpeg", so the neighbour was
// shown, applied and deleted in its place.
TEST_F(Recycle, ANameEndingInADotIsShownAppliedAndDeletedAsItselfBesideItsNeighbour) {
  const std::string dotted = AddPicture("a.jpeg.", 40, 30);
  const std::string plain = AddPicture("a.jpeg", 30, 40);
  const std::string dottedBytes = ReadWholeFile(dotted).value_or("");
  const std::string plainBytes = ReadWholeFile(plain).value_or("");
  ASSERT_TRUE(dottedBytes != plainBytes);
  Start();

  // Two pictures: one Ctrl+Z or two reach the dotted one, with its own pixels.
  bool applied = false;
  for (int i = 0; i < 2 && !applied; ++i) {
    SendCtrlKey('Z');
    applied = WaitUntil(WallpaperOf(dotted), 5000);
  }
  ASSERT_TRUE(applied) << "the wallpaper never showed a.jpeg.'s own picture";

  DeleteCurrent(dotted);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(dotted); }, 10000));
  EXPECT_TRUE(WaitUntil(WallpaperOf(plain), 10000));
  EXPECT_TRUE(ReadWholeFile(plain) == plainBytes) << "the neighbour was touched";
  // Under the name the shell reads exactly, beside the original.
  EXPECT_TRUE(ReadWholeFile(TrashFiles + "a.jpeg._") == dottedBytes) << "not in the trash";
}

}  // namespace
