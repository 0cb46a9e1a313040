#include "slideshow/PictureWalk.h"
#include "base/PosixDirectoryLister.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace tarvell {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

class PictureWalkOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tarvell-walk-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Root = pattern;
    P = Root + "/P";
  }
  void TearDown() override { fs::remove_all(Root); }

  void File(const std::string& relative) {
    fs::create_directories(fs::path(P + "/" + relative).parent_path());
    std::ofstream(P + "/" + relative).put('x');
  }
  // The example tree: b.jpg, A.JPG, c.jpeg, d.txt, z/1.jpg, y/2.jpg, y/x/3.jpg.
  void ExampleTree() {
    for (const char* f : {"b.jpg", "A.JPG", "c.jpeg", "d.txt", "z/1.jpg", "y/2.jpg", "y/x/3.jpg"}) File(f);
  }
  Paths Walk(const std::string& folder, bool subfolders, int* error = nullptr) {
    TPosixDirectoryLister lister;
    const TFileMask mask(PictureMask);
    TPictureWalk walk(lister, mask);
    auto list = walk.Collect(folder, subfolders);
    if (error) *error = list.FirstError;
    return list.Pictures.ToVector();
  }

  std::string Root;
  std::string P;
};

TEST_F(PictureWalkOnDisk, ExampleTreeOwnPicturesThenSubfolderTreesInNameOrder) {
  ExampleTree();
  int error = -1;
  EXPECT_EQ(Walk(P, false, &error), (Paths{P + "/A.JPG", P + "/b.jpg", P + "/c.jpeg"}));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(Walk(P, true),
            (Paths{P + "/A.JPG", P + "/b.jpg", P + "/c.jpeg", P + "/y/2.jpg", P + "/y/x/3.jpg", P + "/z/1.jpg"}));
  // A folder given with a separator at its end is written without it.
  EXPECT_EQ(Walk(P + "/", false).front(), P + "/A.JPG");
}

TEST_F(PictureWalkOnDisk, HiddenEntriesFoldersAndDoubleMatchesAreHandled) {
  File("a.jpg");
  File(".h.jpg");       // hidden file
  File(".hid/4.jpg");   // picture in a hidden folder
  File("e.jpeg.jpg");   // matches both patterns: listed once
  File("f.jpg/5.jpg");  // a folder whose name matches is walked, not listed
  File("G.jpg");
  EXPECT_EQ(Walk(P, true), (Paths{P + "/a.jpg", P + "/e.jpeg.jpg", P + "/G.jpg", P + "/f.jpg/5.jpg"}));
  EXPECT_EQ(Walk(P, false), (Paths{P + "/a.jpg", P + "/e.jpeg.jpg", P + "/G.jpg"}));
}

TEST_F(PictureWalkOnDisk, LinksBackToAnAncestorAreNotWalkedAgain) {
  // Regression: a link pointing back up the tree made the walk endless.
  ExampleTree();
  fs::create_directory_symlink(P, P + "/y/x/up");         // to the top
  fs::create_directory_symlink(P + "/y", P + "/y/self");  // to its own folder
  fs::create_directory_symlink(P + "/y", P + "/z/toy");   // to a folder that is not an ancestor
  fs::create_symlink(P + "/b.jpg", P + "/z/link.jpg");    // a link to a picture is a picture
  fs::create_directory_symlink(P + "/gone", P + "/z/dangling");
  int error = -1;
  const Paths pictures = Walk(P, true, &error);
  EXPECT_EQ(pictures, (Paths{P + "/A.JPG", P + "/b.jpg", P + "/c.jpeg", P + "/y/2.jpg", P + "/y/x/3.jpg",
                             P + "/z/1.jpg", P + "/z/link.jpg", P + "/z/toy/2.jpg", P + "/z/toy/x/3.jpg"}));
  EXPECT_EQ(error, 0);
}

TEST_F(PictureWalkOnDisk, FolderThatCannotBeReadGivesItsErrorAndNoPictures) {
  int error = 0;
  EXPECT_TRUE(Walk(Root + "/missing", true, &error).empty());
  EXPECT_EQ(error, ENOENT);
}

// A file system held in memory, with Windows paths and failures on demand.
class TFakeLister final : public TDirectoryLister {
public:
  char Separator() const override { return '\\'; }
  int List(const std::string& folder, std::vector<TDirEntry>& entries) override {
    Listed.push_back(folder);
    if (const auto e = Errors.find(folder); e != Errors.end()) return e->second;
    const auto f = Folders.find(folder);
    if (f == Folders.end()) return 3;  // path not found
    entries = f->second;
    return 0;
  }
  std::optional<TFolderId> Identify(const std::string& folder) override {
    const auto i = Ids.find(folder);
    if (i == Ids.end()) return std::nullopt;
    return TFolderId{1, i->second};
  }

  static TDirEntry Pic(std::string name) { return TDirEntry{std::move(name), false, false, false, false}; }
  static TDirEntry Dir(std::string name) { return TDirEntry{std::move(name), true, false, false, false}; }

  std::map<std::string, std::vector<TDirEntry>> Folders;
  std::map<std::string, int> Errors;
  std::map<std::string, std::uint64_t> Ids;
  Paths Listed;
};

TPictureList FakeWalk(TFakeLister& lister, const std::string& folder, bool subfolders) {
  const TFileMask mask(PictureMask);
  TPictureWalk walk(lister, mask);
  return walk.Collect(folder, subfolders);
}

TEST(PictureWalk, PictureInADrivesRootHasTwoBackslashes) {
  TFakeLister fs;
  fs.Folders["C:\\"] = {TFakeLister::Pic("r.jpg"), TFakeLister::Dir("Sub")};
  fs.Folders["C:\\Sub"] = {TFakeLister::Pic("s.jpg")};
  EXPECT_EQ(FakeWalk(fs, "C:\\", true).Pictures.ToVector(), (Paths{"C:\\\\r.jpg", "C:\\Sub\\s.jpg"}));
  EXPECT_EQ(FakeWalk(fs, "C:\\Sub\\", false).Pictures.ToVector(), Paths{"C:\\Sub\\s.jpg"});
}

TEST(PictureWalk, HiddenAndSystemEntriesAreLeftOut) {
  TFakeLister fs;
  fs.Folders["D:\\P"] = {TDirEntry{.Name = "h.jpg", .Hidden = true}, TDirEntry{.Name = "s.jpg", .System = true},
                         TDirEntry{.Name = "SysDir", .IsFolder = true, .System = true},
                         TDirEntry{.Name = "HidDir", .IsFolder = true, .Hidden = true}, TFakeLister::Pic("ok.jpg")};
  fs.Folders["D:\\P\\SysDir"] = {TFakeLister::Pic("1.jpg")};
  fs.Folders["D:\\P\\HidDir"] = {TFakeLister::Pic("2.jpg")};
  EXPECT_EQ(FakeWalk(fs, "D:\\P", true).Pictures.ToVector(), Paths{"D:\\P\\ok.jpg"});
  EXPECT_EQ(fs.Listed, Paths{"D:\\P"});  // left-out folders are not even read
}

TEST(PictureWalk, UnreadableSubfolderIsSkippedAndTheFirstErrorKept) {
  // Regression: one folder without access hid the pictures of every later subfolder.
  TFakeLister fs;
  fs.Folders["D:\\P"] = {TFakeLister::Pic("a.jpg"), TFakeLister::Dir("b"), TFakeLister::Dir("c"),
                         TFakeLister::Dir("d")};
  fs.Errors["D:\\P\\b"] = 5;  // access denied
  fs.Folders["D:\\P\\c"] = {TFakeLister::Pic("c.jpg"), TFakeLister::Dir("gone")};
  fs.Errors["D:\\P\\c\\gone"] = 3;
  fs.Folders["D:\\P\\d"] = {TFakeLister::Pic("d.jpg")};
  const auto list = FakeWalk(fs, "D:\\P", true);
  EXPECT_EQ(list.Pictures.ToVector(), (Paths{"D:\\P\\a.jpg", "D:\\P\\c\\c.jpg", "D:\\P\\d\\d.jpg"}));
  EXPECT_EQ(list.FirstError, 5);
}

TEST(PictureWalk, LinkLoopDetectedThroughIdentities) {
  TFakeLister fs;
  fs.Folders["E:\\A"] = {TFakeLister::Dir("B"), TFakeLister::Pic("a.jpg")};
  fs.Folders["E:\\A\\B"] = {TDirEntry{"loop", true, true}, TDirEntry{"unknown", true, true}, TFakeLister::Pic("b.jpg")};
  fs.Ids = {{"E:\\A", 10}, {"E:\\A\\B", 11}, {"E:\\A\\B\\loop", 10}};
  fs.Folders["E:\\A\\B\\unknown"] = {TFakeLister::Pic("u.jpg")};  // identity unknown: walked
  const auto list = FakeWalk(fs, "E:\\A", true);
  EXPECT_EQ(list.Pictures.ToVector(), (Paths{"E:\\A\\a.jpg", "E:\\A\\B\\b.jpg", "E:\\A\\B\\unknown\\u.jpg"}));
  EXPECT_EQ(list.FirstError, 0);
}

TEST(PictureWalk, NormalizeFolderKeepsRoots) {
  EXPECT_EQ(TPictureWalk::NormalizeFolder("C:\\", '\\'), "C:\\");
  EXPECT_EQ(TPictureWalk::NormalizeFolder("C:\\\\", '\\'), "C:\\");
  EXPECT_EQ(TPictureWalk::NormalizeFolder("C:\\P\\", '\\'), "C:\\P");
  EXPECT_EQ(TPictureWalk::NormalizeFolder("\\\\srv\\share\\", '\\'), "\\\\srv\\share");
  EXPECT_EQ(TPictureWalk::NormalizeFolder("/", '/'), "/");
  EXPECT_EQ(TPictureWalk::NormalizeFolder("/tmp//", '/'), "/tmp");
}

}  // namespace
}  // namespace tarvell
