// Shared by the About and help window tests: a stand-in main window (so the windows under
// test are never taken for the program's main window), the windows torn down after each
// test, and small readers of live window state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/MessagePump.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/Form.h"
#include "windows/Unit2.h"
#include "windows/Unit3.h"

namespace tarvell::test {

class HelpWindowsTest : public ::testing::Test {
protected:
  TForm MainStandIn{nullptr};

  void SetUp() override {
    ASSERT_EQ(Form2, nullptr);
    ASSERT_EQ(Form3, nullptr);
    Application.SetMainForm(&MainStandIn);
  }
  void TearDown() override {
    delete Form2;
    delete Form3;
    EXPECT_EQ(Form2, nullptr) << "a destroyed window must not stay reachable";
    EXPECT_EQ(Form3, nullptr);
    SetMessageBoxHook({});
    Application.SetMainForm(nullptr);
  }
};

// This thread's top-level windows of the form class with the given caption.
inline std::vector<HWND> FormWindows(const std::string& caption) {
  struct TSearch {
    std::string Caption;
    std::vector<HWND> Found;
  } search{caption, {}};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM lp) -> BOOL {
        auto& s = *reinterpret_cast<TSearch*>(lp);
        char cls[64] = {};
        char text[256] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        ::GetWindowTextA(wnd, text, sizeof text);
        if (std::string(cls) == "TTarvellForm" && s.Caption == text) s.Found.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

inline std::string WindowText(HWND wnd) {
  const int length = ::GetWindowTextLengthA(wnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  ::GetWindowTextA(wnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The child's place in its parent's client area, as the window system has it.
inline RECT BoundsInParent(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline bool IsTopMost(HWND wnd) { return (::GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The middle of the window lies in the middle of the screen.
inline void ExpectCentred(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  EXPECT_NEAR((r.left + r.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

// Whether upper lies in front of lower in the window system's z-order.
inline bool InFrontOf(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == lower) return true;
  }
  return false;
}

// A left click as the mouse makes it: press and release inside the window.
inline void ClickWindow(HWND wnd) {
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

inline void MoveMouseOver(HWND wnd) { ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }

}  // namespace tarvell::test
