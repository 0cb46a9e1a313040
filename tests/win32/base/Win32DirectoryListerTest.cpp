#include "slideshow/PictureWalk.h"
#include "base/Win32DirectoryLister.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace tarvell {
namespace {

using Paths = std::vector<std::string>;

class Win32Lister : public ::testing::Test {
protected:
  void Folder(const std::string& relative, DWORD attributes = 0) {
    const std::string path = Temp.Folder(relative);
    if (attributes) {
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
    }
  }
  void File(const std::string& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const std::string path = Temp.File(relative);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
  }

  test::TTempFolder Temp;
  const std::string& Root = Temp.Path();
};

TEST_F(Win32Lister, ListsEntriesWithTheirAttributesAndIdentities) {
  File("a.jpg");
  File("h.jpg", FILE_ATTRIBUTE_HIDDEN);
  File("s.jpg", FILE_ATTRIBUTE_SYSTEM);
  File("r.jpg", FILE_ATTRIBUTE_READONLY);
  Folder("sub");
  Folder("hid", FILE_ATTRIBUTE_HIDDEN);

  TWin32DirectoryLister lister;
  std::vector<TDirEntry> entries;
  ASSERT_EQ(lister.List(Root, entries), 0);
  std::sort(entries.begin(), entries.end(), [](const auto& x, const auto& y) { return x.Name < y.Name; });
  ASSERT_EQ(entries.size(), 6u);
  auto expect = [&](std::size_t i, const char* name, bool folder, bool hidden, bool system) {
    EXPECT_EQ(entries[i].Name, name);
    EXPECT_EQ(entries[i].IsFolder, folder) << name;
    EXPECT_EQ(entries[i].Hidden, hidden) << name;
    EXPECT_EQ(entries[i].System, system) << name;
    EXPECT_FALSE(entries[i].IsLink) << name;
  };
  expect(0, "a.jpg", false, false, false);
  expect(1, "h.jpg", false, true, false);
  expect(2, "hid", true, true, false);
  expect(3, "r.jpg", false, false, false);
  expect(4, "s.jpg", false, false, true);
  expect(5, "sub", true, false, false);

  // An empty folder is no error; a missing one gives the system's code.
  EXPECT_EQ(lister.List(Root + "\\sub", entries), 0);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(lister.List(Root + "\\missing", entries), ERROR_PATH_NOT_FOUND);

  // Two spellings of one folder have one identity; another folder has another.
  const auto id = lister.Identify(Root + "\\sub");
  ASSERT_TRUE(id.has_value());
  EXPECT_EQ(lister.Identify(Root + "\\SUB\\"), id);
  EXPECT_EQ(lister.Identify(Root + "\\hid\\..\\sub"), id);
  EXPECT_NE(lister.Identify(Root + "\\hid"), id);
  EXPECT_EQ(lister.Identify(Root + "\\missing"), std::nullopt);
}

TEST_F(Win32Lister, WalksTheExampleTreeWithBackslashes) {
  for (const char* f : {"b.jpg", "A.JPG", "c.jpeg", "d.txt", "e.jpeg.jpg"}) File(f);
  Folder("z");
  File("z\\1.jpg");
  Folder("y");
  File("y\\2.jpg");
  Folder("y\\x");
  File("y\\x\\3.jpg");
  Folder("y\\hidden", FILE_ATTRIBUTE_HIDDEN);
  File("y\\hidden\\4.jpg");

  TWin32DirectoryLister lister;
  const TFileMask mask(PictureMask);
  TPictureWalk walk(lister, mask);
  const auto list = walk.Collect(Root + "\\", true);
  const std::string& P = Root;
  EXPECT_EQ(list.Pictures.ToVector(), (Paths{P + "\\A.JPG", P + "\\b.jpg", P + "\\c.jpeg", P + "\\e.jpeg.jpg",
                                             P + "\\y\\2.jpg", P + "\\y\\x\\3.jpg", P + "\\z\\1.jpg"}));
  EXPECT_EQ(list.FirstError, 0);
}

// Regression: a folder whose name ends in a dot or a space was listed through its plain path,
// which the system trims, so the walk listed its neighbour's pictures under its name.
TEST_F(Win32Lister, NamesEndingInADotOrASpaceAreListedAndWalkedAsThemselves) {
  Temp.Folder("sub.");
  Temp.Folder("sub");
  for (const char* name : {"a.jpeg.", "a.jpeg", "b.jpeg ", "sub.\\own.jpg", "sub\\neighbour.jpg"})
    test::WriteTextFile(Temp.File(name), name);

  TWin32DirectoryLister lister;
  std::vector<TDirEntry> entries;
  ASSERT_EQ(lister.List(Root + "\\sub.", entries), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "own.jpg");
  EXPECT_NE(lister.Identify(Root + "\\sub."), lister.Identify(Root + "\\sub"));

  const TFileMask mask(PictureMask);
  TPictureWalk walk(lister, mask);
  Paths list = walk.Collect(Root, true).Pictures.ToVector();
  std::sort(list.begin(), list.end());
  const std::string& P = Root;
  EXPECT_EQ(list, (Paths{P + "\\a.jpeg", P + "\\a.jpeg.", P + "\\b.jpeg ", P + "\\sub.\\own.jpg",
                         P + "\\sub\\neighbour.jpg"}));
}

}  // namespace
}  // namespace tarvell
