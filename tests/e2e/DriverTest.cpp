// The test hands themselves: a click sent with ClickAt reaches the control under its point even
// when something else moves the cursor between the click's events.
#include "tests/e2e/support/Driver.h"

#include <gtest/gtest.h>

#include <vector>

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

// The run command's layout check on scaled screens: it must name a clipped control and
// overlapping neighbours, and leave a backdrop, hidden controls and touching edges alone.
TEST(DriverLayout, NamesClippedAndOverlappingControlsOnly) {
  struct TChild {
    RECT Bounds;  // left, top, right, bottom in the parent's client area
    bool Visible;
  };
  struct TCase {
    const char* Name;
    std::vector<TChild> Children;
    std::size_t Faults;
  };
  const std::vector<TCase> cases = {
      {"apart", {{{0, 0, 50, 20}, true}, {{0, 20, 50, 40}, true}}, 0},
      {"overlapping by a row", {{{0, 0, 50, 21}, true}, {{0, 20, 50, 40}, true}}, 1},
      {"out at the bottom", {{{0, 180, 50, 201}, true}}, 1},
      {"out at the left", {{{-1, 0, 50, 20}, true}}, 1},
      {"overlap under a hidden one", {{{0, 0, 50, 30}, true}, {{0, 20, 50, 40}, false}}, 0},
      {"backdrop under the others", {{{0, 0, 200, 200}, true}, {{10, 10, 50, 40}, true}}, 0},
      {"clipped and overlapping", {{{0, 0, 50, 30}, true}, {{0, 20, 50, 250}, true}}, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND top = CreateWindowExA(0, "STATIC", "layout", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(top, nullptr);
    RECT client{};
    GetClientRect(top, &client);
    ASSERT_EQ(client.right, 200) << "a popup without a frame: its client area is the window";
    for (const TChild& child : c.Children) {
      CreateWindowExA(0, "STATIC", "", WS_CHILD | (child.Visible ? WS_VISIBLE : 0), child.Bounds.left, child.Bounds.top,
                      child.Bounds.right - child.Bounds.left, child.Bounds.bottom - child.Bounds.top, top, nullptr,
                      nullptr, nullptr);
    }
    EXPECT_EQ(LayoutFaults(top).size(), c.Faults);
    DestroyWindow(top);
  }
}
