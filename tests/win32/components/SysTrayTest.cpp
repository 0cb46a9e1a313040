#include "components/SysTray.h"

#include "base/Exception.h"

#include "tests/support/MessagePump.h"
#include "tests/support/UnicodeNames.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::PumpFor;
using test::PumpUntil;

// Every shell call the components make, with the record as it was at that moment.
struct TNotifyCall {
  DWORD Message;
  NOTIFYICONDATAW Data;
  bool WindowAlive;
};
std::vector<TNotifyCall> GCalls;
std::vector<UINT> GVersions;  // the callback versions asked for, kept apart from the calls above

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
  if (message == NIM_SETVERSION)
    GVersions.push_back(data->uVersion);
  else
    GCalls.push_back({message, *data, ::IsWindow(data->hWnd) != FALSE});
  return TRUE;
}

// Watches the shell calls for one scope; with Forward the real shell gets them too.
class TShellWatch {
public:
  explicit TShellWatch(bool forward = false) {
    GCalls.clear();
    GVersions.clear();
    Forwarding() = forward;
    FPrevious = SetNotifyIconProc(&TShellWatch::Watch);
  }
  ~TShellWatch() { SetNotifyIconProc(FPrevious); }
  TShellWatch(const TShellWatch&) = delete;
  TShellWatch& operator=(const TShellWatch&) = delete;

private:
  static bool& Forwarding() {
    static bool on = false;
    return on;
  }
  static BOOL WINAPI Watch(DWORD message, PNOTIFYICONDATAW data) {
    RecordNotify(message, data);
    return Forwarding() ? ::Shell_NotifyIconW(message, data) : TRUE;
  }
  TNotifyIconProc FPrevious;
};

// Asks the real notification area whether it holds the icon (hWnd, uID): a modify that
// changes nothing succeeds only for an icon it has.
bool InNotificationArea(HWND wnd, UINT id) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
  probe.hWnd = wnd;
  probe.uID = id;
  return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}
bool InNotificationArea(const TSystemTrayIcon& icon) {
  return InNotificationArea(icon.WindowHandle(), icon.Identifier());
}
// Takes the icon out of the real notification area behind the component's back.
bool ShellForgets(const TSystemTrayIcon& icon) {
  NOTIFYICONDATAW gone{};
  gone.cbSize = NOTIFYICONDATAW_V1_SIZE;
  gone.hWnd = icon.WindowHandle();
  gone.uID = icon.Identifier();
  return ::Shell_NotifyIconW(NIM_DELETE, &gone) != FALSE;
}

HICON SystemIcon(LPCSTR id) { return ::LoadIconA(nullptr, id); }
HICON AppIcon() { return SystemIcon(reinterpret_cast<LPCSTR>(IDI_APPLICATION)); }
HICON OtherIcon() { return SystemIcon(reinterpret_cast<LPCSTR>(IDI_WARNING)); }

// A tray icon whose events are written down as short texts.
struct TLoggedTray {
  TSystemTrayIcon Icon{nullptr};
  std::vector<std::string> Log;
  TLoggedTray() {
    auto button = [](TMouseButton b) {
      return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "?";
    };
    Icon.OnMouseDown = [this, button](TObject& s, TMouseButton b) { Log.push_back(Tag(s) + "down " + button(b)); };
    Icon.OnMouseUp = [this, button](TObject& s, TMouseButton b) { Log.push_back(Tag(s) + "up " + button(b)); };
    Icon.OnDblClick = [this, button](TObject& s, TMouseButton b) { Log.push_back(Tag(s) + "dbl " + button(b)); };
    Icon.OnMouseMove = [this](TObject& s, int x, int y) {
      Log.push_back(Tag(s) + "move " + std::to_string(x) + "," + std::to_string(y));
    };
    Icon.OnMenu = [this](TObject& s, int x, int y) {
      Log.push_back(Tag(s) + "menu " + std::to_string(x) + "," + std::to_string(y));
    };
  }
  std::string Tag(TObject& sender) const { return &sender == &Icon ? "" : "other sender "; }
  void Post(WPARAM id, LPARAM mouseMsg) { ::PostMessageW(Icon.WindowHandle(), TrayCallbackMessage, id, mouseMsg); }
  // True once nothing posted to the icon's window waits in the queue any more.
  bool WaitForAll() {
    return PumpUntil([&] {
      MSG m;
      return !::PeekMessageW(&m, Icon.WindowHandle(), 0, 0, PM_NOREMOVE);
    });
  }
};

TEST(SysTray, IdentifiersCountTheLiveIconsFromOne) {
  const int before = TrayIconCount();
  auto first = std::make_unique<TSystemTrayIcon>(nullptr);
  auto second = std::make_unique<TSystemTrayIcon>(nullptr);
  EXPECT_EQ(first->Identifier(), static_cast<UINT>(before + 1));
  EXPECT_EQ(second->Identifier(), static_cast<UINT>(before + 2));
  EXPECT_EQ(TrayIconCount(), before + 2);
  EXPECT_NE(first->WindowHandle(), second->WindowHandle());
  second.reset();
  EXPECT_EQ(TrayIconCount(), before + 1);
  first.reset();
  EXPECT_EQ(TrayIconCount(), before);
}

TEST(SysTray, EachIconAnswersOnlyCallbacksWithItsOwnIdentifier) {
  TLoggedTray one;
  TLoggedTray two;
  ASSERT_EQ(two.Icon.Identifier(), one.Icon.Identifier() + 1);

  one.Post(one.Icon.Identifier(), WM_LBUTTONDOWN);
  one.Post(two.Icon.Identifier(), WM_RBUTTONDOWN);  // not one's identifier
  two.Post(one.Icon.Identifier(), WM_LBUTTONUP);    // not two's identifier
  two.Post(two.Icon.Identifier(), WM_RBUTTONDBLCLK);
  ::PostMessageW(one.Icon.WindowHandle(), WM_USER + 999, one.Icon.Identifier(), WM_LBUTTONDOWN);  // not the callback
  ASSERT_TRUE(one.WaitForAll());
  ASSERT_TRUE(two.WaitForAll());

  EXPECT_EQ(one.Log, (std::vector<std::string>{"down L"}));
  EXPECT_EQ(two.Log, (std::vector<std::string>{"dbl R"}));
}

TEST(SysTray, MouseMessagesBecomeEventsWithTheirButton) {
  TLoggedTray tray;
  const WPARAM id = tray.Icon.Identifier();
  for (LPARAM m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK,
                   WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, WM_MOUSEWHEEL}) {
    tray.Post(id, m);
  }
  ASSERT_TRUE(tray.WaitForAll());
  EXPECT_EQ(tray.Log, (std::vector<std::string>{"down L", "up L", "dbl L", "down R", "up R", "dbl R"}));

  // A move reports where the cursor is when the callback is handled.
  tray.Log.clear();
  ::SetCursorPos(123, 87);
  POINT at{};
  ::GetCursorPos(&at);
  tray.Post(id, WM_MOUSEMOVE);
  ASSERT_TRUE(tray.WaitForAll());
  EXPECT_EQ(tray.Log, (std::vector<std::string>{"move " + std::to_string(at.x) + "," + std::to_string(at.y)}));
}

// The fourth version's callbacks: the event and the icon in lParam, the anchor in wParam. The
// shell follows every right click with a context-menu notice, which must not open the menu:
// a right click clears and a right double click shows the window. The keyboard's notices do.
TEST(SysTray, Version4CallbacksKeepEveryClickAndOpenTheMenuFromTheKeyboardOnly) {
  const struct {
    std::vector<UINT> events;
    std::vector<std::string> log;
  } cases[] = {
      {{WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_SELECT}, {"down L", "up L"}},
      {{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU}, {"down R", "up R"}},
      {{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_CONTEXTMENU},
       {"down R", "up R", "dbl R", "up R"}},
      {{WM_CONTEXTMENU}, {"menu 40,30"}},
      {{NIN_KEYSELECT}, {"menu 40,30"}},
      {{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CONTEXTMENU, WM_CONTEXTMENU}, {"down R", "up R", "menu 40,30"}},
  };
  for (const auto& c : cases) {
    TLoggedTray tray;
    for (const UINT event : c.events)
      ::PostMessageW(tray.Icon.WindowHandle(), TrayCallbackMessage, MAKEWPARAM(40, 30),
                     MAKELPARAM(event, tray.Icon.Identifier()));
    ASSERT_TRUE(tray.WaitForAll());
    EXPECT_EQ(tray.Log, c.log) << c.events.size() << " events, the first " << c.events[0];
  }
}

TEST(SysTray, NothingIsShownUntilEnabledWithAPicture) {
  TShellWatch watch;
  TSystemTrayIcon icon(nullptr);
  EXPECT_TRUE(icon.Enabled());
  EXPECT_FALSE(icon.Shown());
  EXPECT_TRUE(GCalls.empty()) << "construction shows nothing";
  EXPECT_EQ(icon.Hint(), "");

  icon.SetEnabled(true);  // still no picture: a delete, nothing shown
  EXPECT_FALSE(icon.Shown());
  icon.SetHint("waiting");
  EXPECT_EQ(GCalls.size(), 1u) << "a hint without an icon is only kept";

  icon.SetIcon(AppIcon());
  ASSERT_TRUE(icon.Shown());
  ASSERT_EQ(GCalls.size(), 2u);
  const TNotifyCall& add = GCalls.back();
  EXPECT_EQ(add.Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(add.Data.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
  EXPECT_EQ(add.Data.hWnd, icon.WindowHandle());
  EXPECT_EQ(add.Data.uID, icon.Identifier());
  EXPECT_EQ(add.Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.Data.uCallbackMessage, 2024u);
  EXPECT_EQ(add.Data.hIcon, icon.Icon());
  EXPECT_NE(icon.Icon(), AppIcon()) << "the component shows its own copy";
  EXPECT_STREQ(add.Data.szTip, L"waiting") << "the kept hint goes out with the add";
  EXPECT_EQ(GVersions, std::vector<UINT>{NOTIFYICON_VERSION_4}) << "the fourth version's callbacks are asked for";
}

TEST(SysTray, HintOf127CharactersIsTakenAndOf128Ignored) {
  TShellWatch watch;
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  const std::string longest(127, 'x');
  const std::string tooLong = std::string(127, 'y') + "z";

  GCalls.clear();
  icon.SetHint(longest);
  EXPECT_EQ(icon.Hint(), longest);
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(Narrow(GCalls[0].Data.szTip), longest);

  GCalls.clear();
  icon.SetHint(tooLong);
  EXPECT_EQ(icon.Hint(), longest) << "the previous hint stays";
  EXPECT_TRUE(GCalls.empty());

  icon.SetHint("short");
  EXPECT_EQ(icon.Hint(), "short") << "a shorter hint leaves nothing of the longer one";
  icon.SetHint("");
  EXPECT_EQ(icon.Hint(), "");
}

// Guards against a tip cut by bytes: any character is kept exactly, 127 characters are
// taken whatever their size, and a pair of UTF-16 halves is never split at the record's end.
TEST(SysTray, HintTakesUnicodeTextByCharactersAndNeverSplitsAPair) {
  TShellWatch watch;
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  const std::wstring smile = L"\U0001F600";

  for (const std::wstring& name : test::UnicodeNames()) {
    GCalls.clear();
    icon.SetHint(Narrow(name));
    EXPECT_EQ(icon.Hint(), Narrow(name));
    ASSERT_EQ(GCalls.size(), 1u);
    EXPECT_EQ(std::wstring(GCalls[0].Data.szTip), name) << "compared as UTF-16";
  }

  const std::wstring e127(127, L'é');
  icon.SetHint(Narrow(e127));
  EXPECT_EQ(icon.Hint(), Narrow(e127)) << "127 characters of 254 bytes are taken";
  icon.SetHint(Narrow(e127 + L"é"));
  EXPECT_EQ(icon.Hint(), Narrow(e127)) << "128 characters are ignored";

  const std::wstring fits = std::wstring(125, L'x') + smile;  // 126 characters in 127 units
  icon.SetHint(Narrow(fits));
  EXPECT_EQ(icon.Hint(), Narrow(fits));

  // 127 characters in 128 units: the pair would be cut in two, so it is left out whole.
  GCalls.clear();
  icon.SetHint(Narrow(std::wstring(126, L'x') + smile));
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(std::wstring(GCalls[0].Data.szTip), std::wstring(126, L'x'));
  EXPECT_EQ(icon.Hint(), std::string(126, 'x'));

  // A pair earlier on takes two units: the last character that still fits ends the tip.
  icon.SetHint(Narrow(std::wstring(30, L'x') + smile + std::wstring(96, L'y')));
  EXPECT_EQ(std::wstring(GCalls.back().Data.szTip), std::wstring(30, L'x') + smile + std::wstring(95, L'y'));
}

TEST(SysTray, NewPictureOfTheShownStateIsModifiedInPlace) {
  TShellWatch watch;
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  // The disabled picture is not the shown one: the shown icon is only sent again.
  const std::pair<const char*, std::function<HICON()>> steps[] = {
      {"new picture", [&] { icon.SetIcon(OtherIcon()); return icon.Icon(); }},
      {"new disabled picture", [&] { icon.SetDisabledIcon(AppIcon()); return icon.Icon(); }},
      {"disabled", [&] { icon.SetEnabled(false); return icon.DisabledIcon(); }},
  };
  for (const auto& [name, step] : steps) {
    GCalls.clear();
    const HICON shown = step();
    ASSERT_EQ(GCalls.size(), 1u) << name;
    EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_MODIFY)) << name;
    EXPECT_EQ(GCalls[0].Data.hIcon, shown) << name;
  }
}

TEST(SysTray, DisabledWithoutADisabledPictureLeavesTheNotificationArea) {
  TShellWatch watch(/*forward=*/true);
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  ASSERT_TRUE(InNotificationArea(icon));

  icon.SetEnabled(false);
  EXPECT_FALSE(icon.Shown());
  EXPECT_FALSE(InNotificationArea(icon));
  EXPECT_EQ(GCalls.back().Message, static_cast<DWORD>(NIM_DELETE));

  icon.SetEnabled(true);
  EXPECT_TRUE(InNotificationArea(icon));
  EXPECT_EQ(GCalls.back().Message, static_cast<DWORD>(NIM_ADD)) << "added anew, not modified";
}

// Guards against losing the icon for good when the taskbar restarts.
TEST(SysTray, RestartedTaskbarGetsAShownIconAgain) {
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  TSystemTrayIcon shown(nullptr);
  TSystemTrayIcon hidden(nullptr);
  shown.SetHint("back again");
  shown.SetIcon(AppIcon());
  ASSERT_TRUE(InNotificationArea(shown));

  // The restarted taskbar has forgotten every icon.
  ASSERT_TRUE(ShellForgets(shown));
  ASSERT_FALSE(InNotificationArea(shown));

  TShellWatch watch(/*forward=*/true);
  ::SendMessageW(shown.WindowHandle(), taskbarCreated, 0, 0);
  ::SendMessageW(hidden.WindowHandle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(InNotificationArea(shown));
  ASSERT_EQ(GCalls.size(), 1u) << "only the shown icon is added";
  EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_STREQ(GCalls[0].Data.szTip, L"back again");
  EXPECT_FALSE(InNotificationArea(hidden));
}

// Guards against a dead icon left in the notification area by a program that has ended.
TEST(SysTray, RemoveIconAndDestructionTakeTheIconAway) {
  TShellWatch watch(/*forward=*/true);
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  ASSERT_TRUE(InNotificationArea(icon));

  GCalls.clear();
  icon.RemoveIcon();
  EXPECT_FALSE(icon.Shown());
  EXPECT_FALSE(InNotificationArea(icon));
  icon.RemoveIcon();
  ASSERT_EQ(GCalls.size(), 1u) << "nothing more to remove";
  EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_DELETE));

  auto other = std::make_unique<TSystemTrayIcon>(nullptr);
  other->SetIcon(AppIcon());
  const HWND wnd = other->WindowHandle();
  const UINT id = other->Identifier();
  ASSERT_TRUE(InNotificationArea(wnd, id));
  GCalls.clear();
  other.reset();
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(GCalls[0].WindowAlive) << "removed while its window still existed";
  EXPECT_FALSE(InNotificationArea(wnd, id));
}

TEST(SysTray, FailedAddsAreRetriedAtLongerAndLongerIntervals) {
  const std::vector<std::pair<unsigned, unsigned>> schedule = {{0, 500},   {1, 1000},   {2, 2000},   {5, 16000},
                                                               {6, 30000}, {40, 30000}, {~0u, 30000}};
  for (const auto& [attempt, delay] : schedule) EXPECT_EQ(TrayAddRetryDelayMs(attempt), delay) << attempt;
}

// A notification area that is not ready yet: the first adds fail, and so does every modify
// of an icon it does not hold.
int GAddsToFail = 0;
BOOL WINAPI NotReadyYet(DWORD message, PNOTIFYICONDATAW data) {
  RecordNotify(message, data);
  if (message == NIM_ADD && GAddsToFail > 0) {
    --GAddsToFail;
    return FALSE;
  }
  return TRUE;
}

// Guards against an icon never seen when the taskbar was not ready at logon: a failed add
// counted as shown, and every later change went out as a modify of an icon nobody held.
TEST(SysTray, AFailedAddIsRetriedUntilItSucceedsAndNothingIsModifiedBefore) {
  GCalls.clear();
  GAddsToFail = 3;
  const TNotifyIconProc previous = SetNotifyIconProc(&NotReadyYet);
  {
    TSystemTrayIcon icon(nullptr);
    icon.SetIcon(AppIcon());
    EXPECT_TRUE(icon.Shown());
    EXPECT_FALSE(icon.Added());
    icon.SetHint("latest");  // tried as an add as well (and failing)
    ASSERT_TRUE(PumpUntil([&] { return icon.Added(); }, 10000));
    std::size_t firstSuccess = 0;
    int adds = 0;
    for (std::size_t i = 0; i < GCalls.size(); ++i) {
      EXPECT_NE(GCalls[i].Message, static_cast<DWORD>(NIM_MODIFY)) << "call " << i << " before the add succeeded";
      if (GCalls[i].Message == NIM_ADD) {
        ++adds;
        firstSuccess = i;
      }
    }
    EXPECT_EQ(adds, 4);
    EXPECT_STREQ(GCalls[firstSuccess].Data.szTip, L"latest") << "the retry carries the newest record";

    GCalls.clear();
    icon.SetHint("after");
    ASSERT_EQ(GCalls.size(), 1u);
    EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_MODIFY));

    // Taken away while a retry waits: the retry is dropped.
    GAddsToFail = 1;
    icon.SetEnabled(false);
    icon.SetEnabled(true);
    icon.RemoveIcon();
    GCalls.clear();
    PumpFor(1200);
    EXPECT_TRUE(GCalls.empty()) << "a retry ran for a removed icon";
  }
  SetNotifyIconProc(previous);
  GAddsToFail = 0;
}

// A taskbar restarted while the program did not hear of it: the modify fails, and the icon is
// added anew instead of being lost.
TEST(SysTray, AModifyOfAnIconTheShellLostAddsItAgain) {
  TShellWatch watch(/*forward=*/true);
  TSystemTrayIcon icon(nullptr);
  icon.SetIcon(AppIcon());
  ASSERT_TRUE(ShellForgets(icon));
  GCalls.clear();
  icon.SetHint("still here");
  ASSERT_EQ(GCalls.size(), 2u);
  EXPECT_EQ(GCalls[1].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(InNotificationArea(icon));
}

TEST(SysTray, LoadCompletionAppliesEnabled) {
  TShellWatch watch;
  TSystemTrayIcon icon(nullptr);
  icon.BeginLoading();
  icon.SetEnabled(false);
  icon.SetIcon(AppIcon());
  icon.SetHint("from the layout");
  EXPECT_FALSE(icon.Shown()) << "disabled, and no disabled picture";
  icon.EndLoading();
  EXPECT_FALSE(icon.Shown());

  icon.SetEnabled(true);
  ASSERT_TRUE(icon.Shown());
  EXPECT_EQ(GCalls.back().Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_STREQ(GCalls.back().Data.szTip, L"from the layout");

  TSystemTrayIcon enabled(nullptr);
  enabled.BeginLoading();
  enabled.SetIcon(AppIcon());
  GCalls.clear();
  enabled.EndLoading();
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(GCalls[0].Message, static_cast<DWORD>(NIM_MODIFY)) << "already added by the picture";
}

// The program's icon comes at the notification area's size for the screen, and the thread's
// DPI awareness is as before afterwards (a thread left per-monitor aware would lay out the
// program's windows unscaled).
TEST(SysTray, ProgramIconLoadsAtTheSmallIconSize) {
  using TGetContext = HANDLE(WINAPI*)();
  const auto get = reinterpret_cast<TGetContext>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetThreadDpiAwarenessContext")));
  const HANDLE before = get ? get() : nullptr;
  const TIconHandle icon = LoadIconResource("#1");
  ASSERT_TRUE(icon);
  if (get) {
    EXPECT_EQ(get(), before);
  }
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
  BITMAP bm{};
  ::GetObjectW(info.hbmColor, sizeof bm, &bm);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(bm.bmHeight, ::GetSystemMetrics(SM_CYSMICON));
  EXPECT_THROW(LoadIconResource("#999"), Exception);
}

}  // namespace
}  // namespace tarvell
