// The test hands themselves: a click sent with ClickAt reaches the control under its point even
// when something else moves the cursor between the click's events.
#include "tests/e2e/support/Driver.h"

#include <gtest/gtest.h>

using namespace tarvell::e2e;

namespace {

constexpr int ListId = 10;

// What the window saw: the list's double clicks and the item they chose.
struct TSeen {
  int doubleClicks = 0;
  int doubleClickedItem = -1;
};
TSeen seen;

LRESULT CALLBACK TargetProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == ListId && HIWORD(wp) == LBN_DBLCLK) {
    ++seen.doubleClicks;
    seen.doubleClickedItem = static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lp), LB_GETCURSEL, 0, 0));
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

// Under Wine the desktop process turns the display server's pointer-crossing reports into
// cursor moves, and it may read one late: the cursor then jumps back to where the pointer
// was before the click began. This hook plays such a report once, while the given mouse event
// of the click is being handled.
UINT lateReportAfter = 0;
POINT lateReportTo{};
LRESULT CALLBACK LateReport(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && lateReportAfter != 0 && wp == lateReportAfter) {
    lateReportAfter = 0;
    SetCursorPos(lateReportTo.x, lateReportTo.y);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

class Driver : public ::testing::Test {
protected:
  void SetUp() override {
    seen = {};
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarvellDriverTarget";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "Driver target", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 400,
                             300, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    list = CreateWindowExA(0, "LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 10, 10, 150, 200, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)), wc.hInstance, nullptr);
    ASSERT_NE(list, nullptr);
    for (const char* item : {"one", "two", "three"})
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    ASSERT_TRUE(BringToFront(window));
    // Away from the list, inside the window's own background.
    lateReportTo = {300, 250};
    ClientToScreen(window, &lateReportTo);
    hook = SetWindowsHookExA(WH_MOUSE_LL, LateReport, GetModuleHandleA(nullptr), 0);
    ASSERT_NE(hook, nullptr);
  }
  void TearDown() override {
    if (hook) UnhookWindowsHookEx(hook);
    lateReportAfter = 0;
    if (window) DestroyWindow(window);
  }

  POINT ListItemCentre(int index) const {
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    POINT p{20, height * index + height / 2};
    ClientToScreen(list, &p);
    return p;
  }

  HWND window = nullptr;
  HWND list = nullptr;
  HHOOK hook = nullptr;
};

// Guards against the double click that arrived as two single clicks, the second one on
// whatever lay under the cursor after the late report (choosing a folder failed so).
TEST_F(Driver, ADoubleClickStaysOnItsPointWhenTheCursorIsMovedBetweenItsClicks) {
  lateReportAfter = WM_LBUTTONUP;
  const POINT at = ListItemCentre(2);
  ClickAt(at.x, at.y, false, true);
  EXPECT_TRUE(WaitUntil([] { return seen.doubleClicks == 1; }, 5000));
  EXPECT_EQ(seen.doubleClickedItem, 2);
  EXPECT_EQ(lateReportAfter, 0u) << "the late report was never played";
}

}  // namespace
