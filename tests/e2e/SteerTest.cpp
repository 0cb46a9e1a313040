// Steering the show from outside the main window: the tray icon's menu, opened from the
// keyboard and with Shift and a right click, and the command line handed to the running program.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/SolidPicture.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

using namespace tarvell::e2e;

namespace {

bool DesktopShows(COLORREF color) { return ColorNear(DesktopCorner(), color, 12); }

// The program's open popup menu (class "#32768"), if one shows.
HWND OpenMenu(DWORD pid) { return FindTop("#32768", "", pid, true); }

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Narrow(chars);
      GlobalUnlock(data);
    }
  CloseClipboard();
  return text;
}

void Shift(bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = VK_SHIFT;
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof in);
}

using Steer = TTarvellCase;

// Focusing the icon in Wine's notification area is not possible from outside: the notices are
// sent as the shell sends them (the fourth version's layout) for Enter, the menu key and a right
// click, the last with Shift really held on the keyboard. A real click with Shift through Wine's
// shell came without Shift in the program's key state.
TEST_F(Steer, TrayMenuOpensFromTheKeyboardAndWithShiftRightClickAndCopiesThePath) {
  ASSERT_TRUE(AddRedAndGreenSlides());
  StartToTray(tarvell::TSettings{.StartFolder = Slides, .Transparent = false});
  TTarvellRun::TrayMouse(tray, WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 10000));

  // Shift is held as a person holds it, until the menu shows.
  Shift(true);
  ASSERT_TRUE(WaitUntil([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }, 5000));
  for (const UINT event : {UINT{WM_RBUTTONDOWN}, UINT{WM_RBUTTONUP}, UINT{WM_CONTEXTMENU}})
    PostMessageA(tray, TrayCallback, MAKEWPARAM(300, 300), MAKELPARAM(event, 1));
  const bool opened = WaitUntil([&] { return OpenMenu(run.Pid()) != nullptr; }, 10000);
  Shift(false);
  ASSERT_TRUE(opened) << "Shift and a right click" << (DesktopShows(Green) ? "" : ", and it cleared");
  EXPECT_TRUE(DesktopShows(Green)) << "the right click with Shift does not clear";
  SendKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return OpenMenu(run.Pid()) == nullptr; }, 10000));

  for (const UINT notice : {UINT{NIN_KEYSELECT}, UINT{WM_CONTEXTMENU}}) {
    PostMessageA(tray, TrayCallback, MAKEWPARAM(300, 300), MAKELPARAM(notice, 1));
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu(run.Pid()) != nullptr; }, 10000)) << notice;
    if (notice == NIN_KEYSELECT) {
      SendKey(VK_ESCAPE);
      ASSERT_TRUE(WaitUntil([&] { return OpenMenu(run.Pid()) == nullptr; }, 10000));
    }
  }
  // Keys reach the menu once the program holds the foreground, as it takes it for the menu.
  ASSERT_TRUE(WaitUntil([&] {
    DWORD pid = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &pid);
    return pid == run.Pid();
  }, 10000));
  SendKey('C');  // "&Copy path"
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == Slides + "\\b.jpg"; }, 10000)) << ClipboardText();
  EXPECT_FALSE(IsWindowVisible(main));
}

// A first start carries its command out once the list is made. A later start with a command
// hands it over, shows no window and ends with 0 at once; an unknown switch ends with 2 after a
// box that lists the switches.
TEST_F(Steer, CommandLineSwitchesReachTheRunningProgram) {
  ASSERT_TRUE(AddRedAndGreenSlides());
  const COLORREF bare = DesktopCorner();
  StartToTray(tarvell::TSettings{.StartFolder = Slides, .Transparent = false}, "/next");
  EXPECT_TRUE(WaitUntil([] { return DesktopShows(Green); }, 10000)) << "the first start's /next";
  const struct {
    const char* args;
    COLORREF shows;
  } cases[] = {{"/next", Red}, {"-CLEAR", bare}, {"/Next", Green}};
  for (const auto& c : cases) {
    TProcess later = TProcess::Start(TTarvellRun::Exe(), c.args);
    EXPECT_TRUE(EndedWithZero(later, 15000)) << c.args;
    EXPECT_TRUE(WaitUntil([&] { return ColorNear(DesktopCorner(), c.shows, 12); }, 10000)) << c.args;
    EXPECT_FALSE(IsWindowVisible(main)) << c.args;
  }

  TProcess unknown = TProcess::Start(TTarvellRun::Exe(), "/shuffle");
  const HWND box = WaitForMessageBox("Tarvell", 10000, unknown.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("/exclude"), std::string::npos) << MessageBoxText(box);
  EXPECT_TRUE(AnswerMessageBox(box, IDOK));
  DWORD code = 0;
  ASSERT_TRUE(unknown.WaitExit(10000, code));
  EXPECT_EQ(code, 2u);
  EXPECT_TRUE(run.Process().Running());
}

// Previous and Next walk the changes made, also after a restart; the pause is kept at once and
// outlives a restart while the user's own Next still acts; an excluded picture leaves the show
// for the file beside the settings.
TEST_F(Steer, HistoryPauseAndExclusionOutliveARestart) {
  constexpr COLORREF Blue = RGB(30, 60, 200);
  ASSERT_TRUE(AddRedAndGreenSlides());
  ASSERT_TRUE(WriteWholeFile(Slides + "\\c.jpg", SolidJpeg(Blue)));
  const auto hand = [](const char* args, COLORREF shows) {
    TProcess later = TProcess::Start(TTarvellRun::Exe(), args);
    EXPECT_TRUE(EndedWithZero(later, 15000)) << args;
    EXPECT_TRUE(WaitUntil([&] { return DesktopShows(shows); }, 10000)) << args;
  };
  const auto restart = [this] {
    SendCtrlKey('Q');
    ASSERT_TRUE(run.EndsWithZero());
    StartToTray();
  };
  const auto line14 = [] {
    const std::vector<std::string> lines = TTarvellRun::ConfigLines();
    return lines.size() > 13 ? lines[13] : std::string("<none>");
  };
  StartToTray(tarvell::TSettings{.StartFolder = Slides, .Transparent = false});
  hand("/next", Green);
  hand("/next", Blue);
  restart();
  hand("/previous", Green);
  hand("/next", Blue);
  hand("/pause", Blue);
  EXPECT_TRUE(WaitUntil([&] { return line14() == "1"; }, 10000)) << line14();
  hand("/next", Red);
  hand("/exclude", Green);
  const std::string config = TTarvellRun::ConfigPath();
  EXPECT_EQ(ReadWholeFile(config.substr(0, config.size() - 3) + "exclude").value_or("<none>"), Slides + "\\a.jpg\r\n");
  restart();
  // Taken back from the main window's list of pictures never shown: listed again.
  ShowFromTray();
  const HWND never = FindChild(main, "ComboBox", "Never shown: 1");
  ASSERT_NE(never, nullptr);
  for (int tabs = 0; tabs < 30 && FocusOf(main) != never; ++tabs) {
    const HWND before = FocusOf(main);
    SendKey(VK_TAB);
    WaitUntil([&] { return FocusOf(main) != before; }, 3000);
  }
  ASSERT_EQ(FocusOf(main), never) << "the list cannot be reached with Tab";
  SendKey(VK_DOWN);
  const HWND ask = WaitForMessageBox("Never shown", 10000, run.Pid());
  ASSERT_NE(ask, nullptr);
  EXPECT_TRUE(AnswerMessageBox(ask, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(config.substr(0, config.size() - 3) + "exclude") == ""; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(main).ends_with("(3)"); }, 10000)) << WindowText(main);
  SendCtrlKey('Q');
  ASSERT_TRUE(run.EndsWithZero());
  EXPECT_EQ(line14(), "1") << "paused after the restart";
}

}  // namespace
