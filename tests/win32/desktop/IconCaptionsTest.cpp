#include "desktop/IconCaptions.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MessagePump.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

// Messages of interest that reached the stand-in icon view, in order.
std::vector<UINT> ListMessages;
std::vector<LPARAM> RedrawLast;
WNDPROC ListProc = nullptr;

LRESULT CALLBACK RecordingListProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LVM_SETTEXTBKCOLOR || msg == LVM_SETTEXTCOLOR || msg == LVM_REDRAWITEMS) ListMessages.push_back(msg);
  if (msg == LVM_REDRAWITEMS) RedrawLast.push_back(lp);
  return ::CallWindowProcA(ListProc, wnd, msg, wp, lp);
}

void RegisterPlainClass(const char* name) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  ::RegisterClassA(&wc);
}

// The chain of windows a desktop shell shows its icons in, built in this process:
// host ("Progman" or "WorkerW") > "SHELLDLL_DefView" > "SysListView32" with three items.
struct TDesktopStandIn {
  HWND Program = nullptr, View = nullptr, List = nullptr;

  explicit TDesktopStandIn(const char* viewCaption = "", const char* listCaption = "",
                           const char* hostClass = "Progman") {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    RegisterPlainClass(hostClass);
    RegisterPlainClass("SHELLDLL_DefView");
    Program = ::CreateWindowExA(0, hostClass, "Program Manager", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    View = ::CreateWindowExA(0, "SHELLDLL_DefView", viewCaption, WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, Program,
                             nullptr, ::GetModuleHandleA(nullptr), nullptr);
    List = ::CreateWindowExA(0, WC_LISTVIEWA, listCaption, WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 200, 200, View,
                             nullptr, ::GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < 3; ++i) {
      char text[] = "icon";
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = text;
      ::SendMessageA(List, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ListProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(List, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingListProc)));
    ListMessages.clear();
    RedrawLast.clear();
  }
  ~TDesktopStandIn() { ::DestroyWindow(Program); }
  TDesktopStandIn(const TDesktopStandIn&) = delete;
  TDesktopStandIn& operator=(const TDesktopStandIn&) = delete;

  COLORREF TextColor() const { return static_cast<COLORREF>(::SendMessageA(List, LVM_GETTEXTCOLOR, 0, 0)); }
  COLORREF TextBkColor() const { return static_cast<COLORREF>(::SendMessageA(List, LVM_GETTEXTBKCOLOR, 0, 0)); }
};

TEST(IconCaptions, WineDesktopHasNoIconViewAndNothingHappens) {
  EXPECT_EQ(FindDesktopIconView(), nullptr);
  SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  RestoreDesktopIconTextColors();
}

TEST(IconCaptions, TransparentWhiteCaptionsOnTheIconView) {
  TDesktopStandIn desktop;
  ASSERT_EQ(FindDesktopIconView(), desktop.List);
  SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  EXPECT_EQ(desktop.TextColor(), 0xFFFFFFu);
  EXPECT_EQ(desktop.TextBkColor(), CLR_NONE);
  // Background, then text, then every item redrawn: item 0 over the item count.
  const std::vector<UINT> expected = {LVM_SETTEXTBKCOLOR, LVM_SETTEXTCOLOR, LVM_REDRAWITEMS};
  EXPECT_EQ(ListMessages, expected);
  EXPECT_EQ(RedrawLast, std::vector<LPARAM>{3});

  // The same colours again change nothing else.
  SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  EXPECT_EQ(desktop.TextColor(), 0xFFFFFFu);
  EXPECT_EQ(desktop.TextBkColor(), CLR_NONE);

  // Not transparent: the given background colour.
  SetDesktopIconTextColors(0x123456, 0x00FF00, false);
  EXPECT_EQ(desktop.TextColor(), 0x123456u);
  EXPECT_EQ(desktop.TextBkColor(), 0x00FF00u);
}

// Guards against captions that never became transparent on Windows 7 to 11: the icon list
// there is captioned "FolderView", and the shell may host its view in a "WorkerW" window.
TEST(IconCaptions, TheIconViewIsFoundByClassWhateverItsCaptionAndHost) {
  struct TCase {
    const char* ViewCaption;
    const char* ListCaption;
    const char* Host;
  };
  for (const TCase& c :
       {TCase{"", "FolderView", "Progman"}, TCase{"Shell view", "", "Progman"}, TCase{"", "FolderView", "WorkerW"}}) {
    RegisterPlainClass("WorkerW");
    // An empty "WorkerW" before the one that holds the view, as the shell leaves them.
    HWND emptyWorker = ::CreateWindowExA(0, "WorkerW", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    {
      TDesktopStandIn desktop(c.ViewCaption, c.ListCaption, c.Host);
      EXPECT_EQ(FindDesktopIconView(), desktop.List) << c.Host << " " << c.ListCaption;
      SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
      EXPECT_EQ(desktop.TextBkColor(), CLR_NONE) << c.Host << " " << c.ListCaption;
    }
    ::DestroyWindow(emptyWorker);
  }
  RestoreDesktopIconTextColors();
}

// Guards against a system colour change broadcast to every window at each quit, for nothing:
// only colours the program set are given back on the way out.
TEST(IconCaptions, TheColoursCountAsChangedOnlyWhenAnIconViewWasReached) {
  RestoreDesktopIconTextColors();
  EXPECT_FALSE(DesktopIconTextColorsChanged());
  SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
  EXPECT_FALSE(DesktopIconTextColorsChanged()) << "no icon view under Wine";
  {
    TDesktopStandIn desktop;
    SetDesktopIconTextColors(CaptionTextWhite, CaptionBackgroundBlack, true);
    EXPECT_TRUE(DesktopIconTextColorsChanged());
  }
  RestoreDesktopIconTextColors();
  EXPECT_FALSE(DesktopIconTextColorsChanged());
}

bool SysColorChanged = false;
LRESULT CALLBACK ColorWatchProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOLORCHANGE) SysColorChanged = true;
  return ::DefWindowProcA(wnd, msg, wp, lp);
}

TEST(IconCaptions, RestoreKeepsTheDesktopColourAndAnnouncesAChange) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &ColorWatchProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "TarvellColorWatch";
  ::RegisterClassA(&wc);
  HWND watch = ::CreateWindowExA(0, "TarvellColorWatch", "", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(watch, nullptr);
  const DWORD before = ::GetSysColor(COLOR_BACKGROUND);
  RestoreDesktopIconTextColors();
  EXPECT_TRUE(PumpUntil([] { return SysColorChanged; }));
  EXPECT_EQ(::GetSysColor(COLOR_BACKGROUND), before);
  ::DestroyWindow(watch);
}

}  // namespace
}  // namespace tarvell
