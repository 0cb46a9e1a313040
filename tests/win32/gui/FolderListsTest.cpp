// The folder list and the drive chooser.
#include "gui/DirectoryListBox.h"

#include "tests/support/FormHost.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnicodeNames.h"
#include "base/Win32DirectoryLister.h"
#include "base/DirectoryLister.h"
#include "gui/DriveComboBox.h"
#include "gui/FolderPath.h"
#include "gui/Form.h"
#include "base/Exception.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::TTempFolder;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

using test::THost;

// A list on the host's form, so its notifications have a parent to pass through; the lists
// read folders as the main window's do.
TWin32DirectoryLister SystemLister;
template <class T>
T& AddList(THost& host) {
  T& list = host.Add<T>(0, 0, 153, 209);
  if constexpr (requires { list.SetLister(&SystemLister); }) list.SetLister(&SystemLister);
  return list;
}

// Reports the entries it is given in every folder and remembers which folders it was asked for.
struct TFixedLister final : TDirectoryLister {
  std::vector<TDirEntry> Entries;
  int Error = 0;
  std::vector<std::string> Asked;
  char Separator() const override { return '\\'; }
  int List(const std::string& folder, std::vector<TDirEntry>& entries) override {
    Asked.push_back(folder);
    entries = Entries;
    return Error;
  }
  std::optional<TFolderId> Identify(const std::string&) override { return std::nullopt; }
};

TFixedLister FixedEntries() {
  TFixedLister lister;
  lister.Entries = {{.Name = "z.jpg"},
                    {.Name = "b", .IsFolder = true},
                    {.Name = "hidden.jpg", .Hidden = true},
                    {.Name = "a.jpg"},
                    {.Name = "A", .IsFolder = true, .IsLink = true},
                    {.Name = "system", .IsFolder = true, .System = true},
                    {.Name = "a.txt"}};
  return lister;
}

TEST(FolderLists, ShowTheVisibleEntriesOfTheirListerByNameAndNothingWithoutOne) {
  TTempFolder temp;
  TForm form(nullptr);
  auto& dir = *new TDirectoryListBox(&form);
  dir.SetDirectory(temp.Path());
  const std::vector<std::string> path = SplitFolderPath(dir.Directory());
  EXPECT_EQ(dir.Items(), path) << "the path alone";

  TFixedLister lister = FixedEntries();
  dir.SetLister(&lister);
  std::vector<std::string> expected = path;
  expected.insert(expected.end(), {"A", "b"});
  EXPECT_EQ(dir.Items(), expected) << "the subfolders by name";
  EXPECT_EQ(lister.Asked, (std::vector<std::string>{dir.Directory()}));

  // A folder that cannot be read shows the path alone.
  lister.Error = ERROR_ACCESS_DENIED;
  dir.SetLister(&lister);
  EXPECT_EQ(dir.Items(), path);
}

// Reports the sample names in every folder.
TFixedLister UnicodeEntries() {
  TFixedLister lister;
  lister.Entries.push_back({.Name = Narrow(test::GreekFolder), .IsFolder = true});
  for (const std::string& name : test::Utf8Names(test::UnicodeNames())) lister.Entries.push_back({.Name = name});
  return lister;
}

std::wstring ProcessFolder() {
  std::wstring folder(::GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return folder;
}

// Guards against "I/O error 123" for a folder outside the process code page and against the
// classic length limit of the process's current folder: the lists enter such folders, keep
// their paths exactly and show every name as it is; against such folders listed from the file
// system with "?" (and so never found again) or as empty.
TEST(FolderLists, EnterAndListUnicodeAndLongFoldersAndShowTheirNamesExactly) {
  TTempFolder temp;
  const std::string greek = temp.Folder(Narrow(test::GreekFolder));
  test::WriteTextFile(temp.File("a.jpg"), "not a folder");
  std::string deep = greek;
  for (int level = 0; Widen(deep).size() <= 300; ++level) {
    deep += "\\" + Narrow(L"Ωmega ☕ ") + std::string(40, 'd') + std::to_string(level);
    ASSERT_TRUE(::CreateDirectoryW(WidePath(deep).c_str(), nullptr)) << ::GetLastError();
  }
  const std::wstring processFolder = ProcessFolder();

  THost host;
  TFixedLister names = UnicodeEntries();
  auto& dir = AddList<TDirectoryListBox>(host);
  dir.SetLister(&names);
  dir.SetDirectory(temp.Path());
  dir.SetDirectory(Narrow(test::GreekFolder));  // a bare name, relative to the folder entered
  EXPECT_EQ(Lower(dir.Directory()), Lower(greek));
  EXPECT_EQ(Widen(dir.Items().at(dir.DirectoryIndex())), test::GreekFolder);
  EXPECT_EQ(Widen(dir.Items().at(dir.DirectoryIndex() + 1)), test::GreekFolder) << "the subfolder";

  dir.SetDirectory(deep);
  EXPECT_EQ(Lower(dir.Directory()), Lower(deep));
  EXPECT_GT(Widen(dir.Directory()).size(), 300u);
  EXPECT_EQ(Lower(dir.ItemPath(dir.DirectoryIndex())), Lower(deep));
  EXPECT_EQ(Lower(EnteredFolder()), Lower(deep));
  dir.SetDirectory("..");
  EXPECT_EQ(Lower(dir.Directory()), Lower(deep.substr(0, deep.rfind('\\'))));
  dir.SetDirectory(deep.substr(deep.rfind('\\') + 1));  // down again by its bare name
  EXPECT_EQ(Lower(dir.Directory()), Lower(deep));
  EXPECT_EQ(ProcessFolder(), processFolder) << "the process's current folder never moves";

  // What cannot be entered leaves the lists where they were, with the system's error.
  auto errorOf = [&](const std::string& path) {
    try {
      dir.SetDirectory(path);
    } catch (const EInOutError& e) {
      return e.ErrorCode();
    }
    return 0;
  };
  const int missing = errorOf(deep + "\\" + Narrow(L"東京"));
  EXPECT_TRUE(missing == ERROR_FILE_NOT_FOUND || missing == ERROR_PATH_NOT_FOUND) << missing;
  EXPECT_EQ(errorOf(temp.File("a.jpg")), ERROR_DIRECTORY) << "a file is no folder";
  EXPECT_EQ(Lower(dir.Directory()), Lower(deep));
  EXPECT_EQ(Lower(EnteredFolder()), Lower(deep));

  ASSERT_TRUE(::CreateDirectoryW(WidePath(deep + "\\" + Narrow(test::GreekFolder)).c_str(), nullptr));
  dir.SetLister(&SystemLister);
  EXPECT_EQ(dir.Items().back(), Narrow(test::GreekFolder)) << "past the classic limit";
  dir.SetDirectory(temp.Path());
  EXPECT_EQ(dir.Items().back(), Narrow(test::GreekFolder));
}

// Regression: a folder named "x." was entered as its neighbour "x", since the system's reading
// of a path drops a name's trailing dot.
TEST(FolderLists, EnterAFolderWhoseNameEndsInADotExactly) {
  TTempFolder temp;
  const std::string plain = temp.Folder("x");
  const std::string dotted = temp.Folder("x.");
  test::WriteTextFile(plain + "\\plain.jpg", "x");
  test::WriteTextFile(dotted + "\\dotted.jpg", "x");
  const struct {
    std::string Path;
    std::string Entered;
  } cases[] = {
      {dotted, dotted},
      {plain, plain},
      {dotted + "\\", dotted},
      {plain + "\\..\\x.", dotted},
      {temp.Path(), temp.Path()},
      {"x.", dotted},  // a bare name, relative to the folder entered last
  };
  for (const auto& c : cases) EXPECT_EQ(EnterFolder(c.Path), c.Entered) << c.Path;

  THost host;
  auto& dir = AddList<TDirectoryListBox>(host);
  dir.SetDirectory(dotted);
  EXPECT_EQ(dir.Directory(), dotted);

  // Gone, it is not entered as its neighbour.
  ASSERT_TRUE(::DeleteFileW(WidePath(dotted + "\\dotted.jpg").c_str()));
  ASSERT_TRUE(::RemoveDirectoryW(WidePath(dotted).c_str()));
  EXPECT_THROW(EnterFolder(dotted), EInOutError);
}

TEST(DirectoryListBox, ShowsThePathThenTheVisibleSubfoldersByName) {
  TTempFolder temp;
  temp.Folder("z");
  temp.Folder("y");
  temp.Folder("B");
  test::WriteTextFile(temp.File("a.jpg"), "not a folder");
  THost host;
  auto& dir = AddList<TDirectoryListBox>(host);
  dir.SetDirectory(temp.Path());

  std::vector<std::string> expected = SplitFolderPath(temp.Path());
  const int own = static_cast<int>(expected.size()) - 1;
  expected.insert(expected.end(), {"B", "y", "z"});
  EXPECT_EQ(dir.Items(), expected);
  EXPECT_EQ(dir.DirectoryIndex(), own);
  EXPECT_EQ(dir.ItemIndex(), own) << "the folder's own entry is selected";
  EXPECT_EQ(dir.Perform(LB_GETCOUNT), static_cast<LRESULT>(expected.size()));
  EXPECT_EQ(dir.Items()[0].substr(1), ":\\");
  EXPECT_EQ(dir.ItemPath(0), dir.Items()[0]);
  EXPECT_EQ(Lower(dir.ItemPath(own)), Lower(temp.Path()));
  EXPECT_EQ(Lower(dir.ItemPath(own + 2)), Lower(temp.Path() + "\\y"));
  EXPECT_EQ(Lower(dir.Directory()), Lower(temp.Path())) << "no backslash at the end";
}

TEST(DirectoryListBox, MovesOnlyOnAChangeAndReportsIt) {
  TTempFolder temp;
  temp.Folder("y");
  test::WriteTextFile(temp.File("y\\2.jpg"), "x");
  THost host;
  auto& dir = AddList<TDirectoryListBox>(host);
  int changes = 0;
  dir.OnChange = [&](TObject&) { ++changes; };

  dir.SetDirectory(temp.Path());
  EXPECT_EQ(changes, 1);
  dir.SetDirectory(Lower(temp.Path()));
  dir.SetDirectory("");
  EXPECT_EQ(changes, 1) << "the same folder in other letters is no change";

  // A bare name is taken relative to the folder entered last.
  dir.SetDirectory("y");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Lower(dir.Directory()), Lower(temp.Path() + "\\y"));

  // A folder that cannot be entered: the error, and everything stays as it was.
  const std::string before = dir.Directory();
  const auto entries = dir.Items();
  try {
    dir.SetDirectory(temp.Path() + "\\missing");
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "I/O error " + std::to_string(e.ErrorCode()));
    EXPECT_TRUE(e.ErrorCode() == ERROR_FILE_NOT_FOUND || e.ErrorCode() == ERROR_PATH_NOT_FOUND) << e.ErrorCode();
  }
  EXPECT_EQ(dir.Directory(), before);
  EXPECT_EQ(dir.Items(), entries);
  EXPECT_EQ(changes, 2);
}

TEST(DirectoryListBox, DoubleClickRunsTheHandlerThenOpensTheEntry) {
  TTempFolder temp;
  temp.Folder("y");
  THost host;
  auto& dir = AddList<TDirectoryListBox>(host);
  dir.SetDirectory(temp.Path());
  std::vector<std::string> events;
  dir.OnDblClick = [&](TObject&) { events.push_back("dblclick in " + Lower(dir.Directory())); };
  dir.OnChange = [&](TObject&) { events.push_back("change to " + Lower(dir.Directory())); };
  auto doubleClick = [&](int index) {
    dir.SetItemIndex(index);
    ::SendMessageA(host.Form.Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), reinterpret_cast<LPARAM>(dir.Handle()));
  };
  doubleClick(dir.DirectoryIndex());  // the folder already shown: no move
  doubleClick(dir.DirectoryIndex() + 1);
  const std::string folder = Lower(temp.Path());
  EXPECT_EQ(events, (std::vector<std::string>{"dblclick in " + folder, "dblclick in " + folder,
                                              "change to " + folder + "\\y"}));
  doubleClick(dir.DirectoryIndex() - 1);  // up to the parent again
  EXPECT_EQ(Lower(dir.Directory()), folder);
}

TEST(DriveComboBox, ListsTheDrivesAndMovesItsFolderListAfterReportingTheChoice) {
  EXPECT_EQ(TDriveComboBox::DriveItems(0b101, false), (std::vector<std::string>{"a:", "c:"}));
  EXPECT_EQ(TDriveComboBox::DriveItems(1u << 25, false), (std::vector<std::string>{"z:"}));

  THost host;
  auto& dir = AddList<TDirectoryListBox>(host);
  auto& drives = AddList<TDriveComboBox>(host);
  dir.SetDirectory("C:\\windows");
  drives.SetDirList(&dir);
  EXPECT_EQ(drives.Drive(), 'c');
  ASSERT_FALSE(drives.Items().empty());
  bool hasC = false;
  int zIndex = -1;
  for (std::size_t i = 0; i < drives.Items().size(); ++i) {
    if (drives.Items()[i].rfind("c:", 0) == 0) hasC = true;
    if (drives.Items()[i].rfind("z:", 0) == 0) zIndex = static_cast<int>(i);
  }
  EXPECT_TRUE(hasC);
  ASSERT_GE(zIndex, 0) << "Wine maps the root file system to z:";

  std::string seenInClick;
  drives.OnClick = [&](TObject&) { seenInClick = Lower(dir.Directory()); };
  drives.Perform(CB_SETCURSEL, static_cast<WPARAM>(zIndex));
  ::SendMessageA(host.Form.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives.Handle()));
  EXPECT_EQ(seenInClick, "c:\\windows") << "the click is reported before the folder list moves";
  EXPECT_EQ(Lower(dir.Directory()).substr(0, 2), "z:");
  EXPECT_EQ(drives.Drive(), 'z');

  // A drive that cannot be entered leaves both where they were.
  dir.SetDirectory("C:\\windows");
  EXPECT_EQ(drives.Drive(), 'c') << "the chooser follows the folder list";
  EXPECT_THROW(drives.SetDrive('q'), EInOutError);
  EXPECT_EQ(drives.Drive(), 'c');
  EXPECT_EQ(drives.Items().at(static_cast<std::size_t>(drives.ItemIndex())).substr(0, 2), "c:");
  EXPECT_EQ(Lower(dir.Directory()), "c:\\windows");
}

}  // namespace
}  // namespace tarvell
