// Names in any script and paths past the classic length: pictures listed, applied and deleted
// by their own names, a folder so named kept in the settings, and the program speaking UTF-8
// wherever an 8-bit call is left. Text in these tests is UTF-8, as in the program.
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

const std::string Root = "C:\\Unicode";

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(WidePath(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

const std::string QuestionStart = "Do you want to delete ", QuestionEnd = " current wallpaper file from disk?";

// The picture that Ctrl+D's question names, or the whole text when it names none.
std::string NameInQuestion(const std::string& text) {
  const bool framed = text.size() > QuestionStart.size() + QuestionEnd.size() && text.rfind(QuestionStart, 0) == 0 &&
                      text.compare(text.size() - QuestionEnd.size(), QuestionEnd.size(), QuestionEnd) == 0;
  return framed ? text.substr(QuestionStart.size(), text.size() - QuestionStart.size() - QuestionEnd.size()) : text;
}

// The picture list: the list box at the top left of the main window's client area (the
// folder lists are list boxes too, some hidden and empty at the same place).
HWND PictureList(HWND main) {
  struct TSearch {
    HWND Main;
    HWND Found;
  } search{main, nullptr};
  EnumChildWindows(
      main,
      [](HWND child, LPARAM param) {
        auto& s = *reinterpret_cast<TSearch*>(param);
        RECT r{};
        GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ScreenToClient(s.Main, &topLeft);
        if (ClassName(child) != "ListBox" || topLeft.x != 0 || topLeft.y != 0 || r.right == r.left) return TRUE;
        s.Found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

class Unicode : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    ASSERT_TRUE(MakeFolder(Root));
  }

  // Raw lines, as the file's text is under test: a file this version wrote (eleven lines, a
  // name in UTF-8), or an earlier version's (ten, all code page).
  void StartWith(const std::string& folder, bool subfolders, bool earlierVersion = false) {
    std::vector<std::string> lines = {"5", folder, subfolders ? "1" : "0", "0", "0", "0", "0", "0", "0", "0"};
    if (!earlierVersion) lines.push_back("2");
    ASSERT_TRUE(TTarvellRun::WriteConfig(lines));
    StartToTray();
  }

  static bool Press(WORD key, const std::function<bool()>& done) {
    SendCtrlKey(key);
    return WaitUntil(done, 10000);
  }

  // The names of the list's entries as the program shows them to the user. The list draws its
  // rows and gives no text to other processes, so each entry is picked as a click picks it
  // (the selection, then the list's notice to the window) and Ctrl+D's question, cancelled,
  // names it. Picked in the order 1, 2, ..., 0: the first is current again afterwards.
  std::vector<std::string> Listed() const {
    HWND list = PictureList(main);
    if (!list) return {"<no list box>"};
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<std::string> names(static_cast<std::size_t>(std::max(count, 0)), "<not picked>");
    for (int k = 1; k <= count; ++k) {
      const int i = k % count;
      SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
      const std::string position = "  " + std::to_string(i + 1) + "(" + std::to_string(count) + ")";
      if (!WaitUntil([&] { return WindowText(main) == MainCaption + position; }, 10000)) continue;
      SendCtrlKey('D');
      HWND box = WaitForMessageBox("Deleteting file from disk!", 10000, run.Pid());
      if (!box) continue;
      names[static_cast<std::size_t>(i)] = NameInQuestion(MessageBoxText(box));
      if (!AnswerMessageBox(box, IDCANCEL)) break;
    }
    return names;
  }
};

TEST_F(Unicode, PicturesNamedInAnyScriptAreListedAppliedAndDeletedByTheirOwnNames) {
  const std::string greek = Root + "\\Ελλάδα";
  ASSERT_TRUE(MakeFolder(greek));
  std::vector<std::string> pictures = {AddPicture(Root, "café.jpg", 40, 30), AddPicture(Root, "東京タワー.jpg", 30, 40),
                                       AddPicture(Root, "Ωmega ☕.jpg", 36, 36),
                                       AddPicture(greek, "Ακρόπολη \U0001F3DB.jpg", 44, 24)};
  StartWith(Root, true);

  std::vector<std::string> listed = Listed();
  std::vector<std::string> sortedListed = listed, sortedPictures = pictures;
  std::sort(sortedListed.begin(), sortedListed.end());
  std::sort(sortedPictures.begin(), sortedPictures.end());
  ASSERT_EQ(sortedListed, sortedPictures) << "the list does not name the files as they are";

  // Round the list once: each picture, in list order, becomes the wallpaper with its pixels.
  for (std::size_t i = 1; i <= listed.size(); ++i) {
    const std::string& next = listed[i % listed.size()];
    EXPECT_TRUE(Press('Z', WallpaperOf(next))) << next;
  }

  // The wallpaper is listed[0] again; Ctrl+D names it and deletes exactly that file.
  SendCtrlKey('D');
  HWND box = WaitForMessageBox("Deleteting file from disk!", 10000, run.Pid());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), QuestionStart + listed[0] + QuestionEnd);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(listed[0]); }, 10000));
  for (std::size_t i = 1; i < listed.size(); ++i) EXPECT_TRUE(FileExists(listed[i])) << listed[i];
  EXPECT_TRUE(WaitUntil(WallpaperOf(listed[1]), 10000));
}

TEST_F(Unicode, AFolderNamedInAnyScriptOpensAtTheNextStartAndIsWrittenBackUnchanged) {
  const std::string folder = Root + "\\Ελλάδα ☕ 東京";
  ASSERT_TRUE(MakeFolder(folder));
  const std::string picture = AddPicture(folder, "a.jpg", 40, 30);
  StartWith(folder, false);
  EXPECT_EQ(Listed(), std::vector<std::string>{picture});

  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  const std::vector<std::string> lines = TTarvellRun::ConfigLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], folder) << "the folder line was not written back as UTF-8, byte for byte";
}

// "C:\Bilder\Müller" in code page 1252, as the earlier version wrote it: read as that, and
// written back the same bytes, so the file stays readable by the earlier version.
TEST_F(Unicode, AFolderTheEarlierVersionWroteInTheSystemCodePageStaysAsItWas) {
  const std::string folder = Root + "\\Müller";
  ASSERT_TRUE(MakeFolder(folder));
  const std::string picture = AddPicture(folder, "a.jpg", 40, 30);
  const std::string legacy = Root + "\\M\xFCller";
  StartWith(legacy, false, true);
  EXPECT_EQ(Listed(), std::vector<std::string>{picture});

  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  const std::vector<std::string> lines = TTarvellRun::ConfigLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], legacy);
}

TEST_F(Unicode, APictureWhosePathPassesThreeHundredCharactersIsListedAndApplied) {
  std::string deep = Root;
  for (int level = 0; level < 6; ++level) {
    deep += "\\" + std::string(50, static_cast<char>('a' + level)) + " ☕";
    ASSERT_TRUE(MakeFolder(deep)) << deep.size();
  }
  const std::string first = AddPicture(deep, "first.jpg", 40, 30);
  const std::string second = AddPicture(deep, "second.jpg", 30, 40);
  ASSERT_GT(second.size(), 300u);
  StartWith(Root, true);
  EXPECT_EQ(Listed(), (std::vector<std::string>{first, second}));
  EXPECT_TRUE(Press('Z', WallpaperOf(second)));
}

// Any 8-bit call left in the program, and the system's own boxes, speak UTF-8.
TEST_F(Unicode, TheProgramRunsWithUtf8AsItsAnsiCodePage) {
  StartWith(Root, false);
  // GetACP run by a thread of the program's own: the thread's exit code is its answer.
  const auto getAcp = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetACP")));
  ASSERT_NE(getAcp, nullptr);
  HANDLE thread = CreateRemoteThread(run.Process().Handle(), nullptr, 0, getAcp, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  DWORD codePage = 0;
  EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeThread(thread, &codePage));
  CloseHandle(thread);
  EXPECT_EQ(codePage, 65001u);
  EXPECT_NE(GetACP(), 65001u) << "the test itself should run in the system's code page";
}

}  // namespace
