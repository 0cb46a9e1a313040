// Sending a picture to the Recycle Bin: which names the shell reads exactly, the stand-in name
// for one it would misread, and what is said when a file stays. The shell itself is replaced
// here (under Wine a real send lands in the desktop's trash; the end-to-end tests cover it).
#include "desktop/RecycleBin.h"

#include "gui/Dialogs.h"
#include "tests/support/SlideshowFakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace tarvell;
using namespace tarvell::test;

namespace {

TEST(RecycleBin, TheShellReadsOnlyPlainAbsolutePathsExactly) {
  const struct {
    std::string path;
    bool exact;
  } cases[] = {
      {"C:\\P\\a.jpeg", true},
      {"\\\\server\\share\\a.jpg", true},
      {"C:\\P\\a.jpeg.", false},
      {"C:\\P\\a.jpeg ", false},
      {"C:\\dots.\\a.jpg", false},
      {"C:\\P\\..\\a.jpg", false},
      {"C:\\P\\\\a.jpg", false},
      {"C:\\P/a.jpg", false},
      {"C:\\P\\*.jpg", false},  // a wildcard would send every match
      {"C:\\P\\a.jpg:stream", false},
      {"C:\\P\\nul.jpg", false},
      {"C:\\P\\COM1", false},
      {"C:\\P\\console.jpg", true},
      {"\\\\?\\C:\\P\\a.jpg", false},
      {"relative\\a.jpg", false},
      {"C:\\", false},
      {"C:\\" + std::string(256, 'n'), true},  // 259 characters and the end: the classic limit
      {"C:\\" + std::string(257, 'n'), false},
  };
  for (const auto& c : cases) EXPECT_EQ(ShellReadsExactly(c.path), c.exact) << c.path;
}

// The system's renames and checks on real files; the send to the Recycle Bin is recorded and,
// when it succeeds, takes the file away.
class TFakeShell final : public TRecycleCalls {
public:
  unsigned long Error = 0;
  bool LeaveTheFile = false;
  std::vector<std::string> Sent;
  std::function<void()> During;  // runs inside the call, as the shell's own box would

  unsigned long Recycle(const std::string& path) override {
    Sent.push_back(path);
    if (During) During();
    if (Error != 0) return Error;
    if (!LeaveTheFile) ::DeleteFileW(WidePath(path).c_str());
    return 0;
  }
  unsigned long Rename(const std::string& from, const std::string& to) override {
    return SystemRecycleCalls().Rename(from, to);
  }
  bool Missing(const std::string& path) override { return SystemRecycleCalls().Missing(path); }
};

// Regression: the plain path of "a.jpeg." names its neighbour "a.jpeg", which the delete
// removed instead, for good.
TEST(RecycleBin, ANameTheShellWouldMisreadGoesUnderAStandInAndNeverTakesItsNeighbour) {
  TTempFolder folder;
  const std::string dotted = folder.File("a.jpeg.");
  const std::string neighbour = folder.File("a.jpeg");
  WriteTextFile(neighbour, "neighbour");
  WriteTextFile(dotted + "_", "an earlier stand-in");

  TFakeShell shell;
  WriteTextFile(dotted, "itself");
  EXPECT_EQ(RecycleFile(dotted, shell), std::nullopt);
  EXPECT_EQ(shell.Sent, std::vector<std::string>{dotted + "_2"});  // "_" was taken
  EXPECT_FALSE(PathExists(dotted));
  EXPECT_EQ(ReadTextFile(neighbour), "neighbour");
  EXPECT_EQ(ReadTextFile(dotted + "_"), "an earlier stand-in");

  // A plain name goes as itself.
  shell.Sent.clear();
  EXPECT_EQ(RecycleFile(neighbour, shell), std::nullopt);
  EXPECT_EQ(shell.Sent, std::vector<std::string>{neighbour});
  EXPECT_FALSE(PathExists(neighbour));
}

TEST(RecycleBin, AFileThatStaysKeepsItsNameAndTheMessageSaysWhy) {
  TTempFolder folder;
  const std::string plain = folder.File("b.jpg");
  const std::string dotted = folder.File("b.jpg ");
  WriteTextFile(plain, "plain");
  WriteTextFile(dotted, "dotted");

  TFakeShell shell;
  shell.Error = ERROR_SHARING_VIOLATION;
  const std::string why = SystemErrorText(ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(why.empty());
  EXPECT_NE(why.back(), '.');  // the error box adds the full stop
  EXPECT_EQ(RecycleFile(plain, shell), "Could not send " + plain + " to the Recycle Bin: " + why);
  EXPECT_EQ(RecycleFile(dotted, shell), "Could not send " + dotted + " to the Recycle Bin: " + why);
  EXPECT_EQ(ReadTextFile(plain), "plain");
  EXPECT_EQ(ReadTextFile(dotted), "dotted") << "given its own name back";
  EXPECT_FALSE(PathExists(dotted + "_"));

  // The shell says yes but the file is still there (a warning before deleting for good
  // that the user declined, say).
  shell.Error = 0;
  shell.LeaveTheFile = true;
  EXPECT_EQ(RecycleFile(plain, shell), "Could not send " + plain + " to the Recycle Bin: it is still there");
  EXPECT_EQ(RecycleFile(dotted, shell), "Could not send " + dotted + " to the Recycle Bin: it is still there");
  EXPECT_EQ(ReadTextFile(dotted), "dotted");

  // A name the shell cannot take even under a stand-in (too long) is not sent at all.
  shell.Sent.clear();
  std::string deep = "d";
  while (folder.File(deep).size() < 280) deep += "\\" + std::string(50, 'd');
  for (std::size_t at = deep.find('\\'); at != std::string::npos; at = deep.find('\\', at + 1))
    folder.Folder(deep.substr(0, at));
  const std::string longDotted = folder.Folder(deep) + "\\c.jpg.";
  WriteTextFile(longDotted, "long");
  EXPECT_EQ(RecycleFile(longDotted, shell),
            "Could not send " + longDotted + " to the Recycle Bin: the Recycle Bin cannot take its name or path");
  EXPECT_TRUE(shell.Sent.empty());
  EXPECT_EQ(ReadTextFile(longDotted), "long");

  // A file already gone counts as gone; nothing is sent.
  EXPECT_EQ(RecycleFile(folder.File("missing.jpg"), shell), std::nullopt);
  EXPECT_TRUE(shell.Sent.empty());
}

// Guards against a second Delete or a Next run inside the shell's own box ("delete for good?",
// whose loop lets hot keys in), and against ending in the middle of the shell's call.
TEST(RecycleBin, TheShellsCallIsAnOpenQuestionAndAQuitFollowsItsReturn) {
  ::CreateDirectoryA(Folder, nullptr);
  for (int i : {0, 1}) WriteTextFile(Pic(i), "picture");
  TRig rig(2);
  TFakeShell shell;
  rig.Desktop.Recycle = [&](const std::string& path) { return RecycleFile(path, shell); };
  rig.View.AlsoOpen = [] { return ModalDepth() > 0; };  // as the main window answers
  int quits = 0;
  shell.During = [&] {
    rig.Show.DeleteCurrent();
    rig.Show.Next();
    EXPECT_TRUE(HeldForSystemCall([&] { ++quits; }));
    EXPECT_EQ(quits, 0);
  };
  rig.View.Answers = {true};
  rig.Show.DeleteCurrent();
  EXPECT_EQ(quits, 1) << "the quit asked inside the shell's call follows its return";
  EXPECT_EQ(rig.View.Questions.size(), 1u) << "a second Delete asked inside the shell's box";
  EXPECT_EQ(rig.Desktop.Applied, std::vector<std::string>{Pic(1)}) << "a Next ran inside the shell's box";
}

}  // namespace
