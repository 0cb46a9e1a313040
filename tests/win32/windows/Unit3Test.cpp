#include "windows/Unit3.h"

#include <string>

#include "tests/support/FormHost.h"
#include "tests/support/HelpWindowsFixture.h"
#include "gui/Edit.h"
#include "gui/Menus.h"
#include "base/WideText.h"
#include "resources/ResourceIds.h"
#include "windows/HelpText.h"
#include "windows/HelpWindows.h"

namespace tarvell {
namespace {

using namespace tarvell::test;
using HelpWindow = HelpWindowsTest;

// One line of an edit control as the control itself holds it.
std::string EditLine(HWND edit, int index) {
  char buffer[512] = {};
  *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
  const LRESULT length = ::SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
  return std::string(buffer, static_cast<std::size_t>(length));
}

void ExpectTextFillsClientArea(const TForm3& form) {
  RECT client{};
  ::GetClientRect(form.Handle(), &client);
  EXPECT_EQ(Sides(BoundsInParent(form.Memo1->Handle())), Sides(client));
}

TEST_F(HelpWindow, ShowingTwiceGivesOneWindow) {
  EXPECT_TRUE(FormWindows("Form3").empty());
  ShowHelpWindow();
  ASSERT_NE(Form3, nullptr);
  TForm3* first = Form3;
  HWND wnd = first->Handle();
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_EQ(first->Owner(), &Application);
  ShowHelpWindow();
  EXPECT_EQ(Form3, first);
  EXPECT_EQ(Form3->Handle(), wnd);
  EXPECT_EQ(FormWindows("Form3").size(), 1u);
}

TEST_F(HelpWindow, MinimisedOrClosedWindowComesBackOnTheNextOpening) {
  ShowHelpWindow();
  HWND wnd = Form3->Handle();
  ::ShowWindow(wnd, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(wnd));
  ShowAboutWindow();  // lies in front now
  ShowHelpWindow();
  EXPECT_FALSE(::IsIconic(wnd));
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_TRUE(InFrontOf(wnd, Form2->Handle()));
  RECT r{};
  ::GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right - r.left, 641) << "back at its normal size";
  EXPECT_EQ(r.bottom - r.top, 464);

  // Minimised, then closed: the next opening shows it at its normal size again.
  ::ShowWindow(wnd, SW_MINIMIZE);
  ::SendMessageA(wnd, WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindowVisible(wnd));
  ShowHelpWindow();
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_FALSE(::IsIconic(wnd));
  EXPECT_EQ(Form3->Handle(), wnd);
  EXPECT_EQ(FormWindows("Form3").size(), 1u);
}

TEST_F(HelpWindow, SizeableTopMostCentredWithItsOwnIcon) {
  ShowHelpWindow();
  HWND wnd = Form3->Handle();
  EXPECT_EQ(WindowText(wnd), "Form3");
  RECT r{};
  ::GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right - r.left, 641);
  EXPECT_EQ(r.bottom - r.top, 464);
  EXPECT_NE(::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_THICKFRAME, 0);
  EXPECT_TRUE(IsTopMost(wnd));
  ExpectCentred(wnd);
  // Its own icon, big and small: WindowIconsTest checks their pictures and sizes.
  ASSERT_NE(Form3->BigIcon(), nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_BIG, 0)), Form3->BigIcon());
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0)), Form3->SmallIcon());
}

TEST_F(HelpWindow, TextFieldHoldsTheHelpTextLineForLine) {
  ShowHelpWindow();
  HWND memo = Form3->Memo1->Handle();
  EXPECT_EQ(WindowText(memo), HelpText());
  ASSERT_EQ(::SendMessageA(memo, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(HelpLineCount));
  for (std::size_t i = 0; i < HelpLineCount; ++i) {
    EXPECT_EQ(EditLine(memo, static_cast<int>(i)), HelpLines[i]) << "line " << i;
  }
  const LONG_PTR style = ::GetWindowLongPtrA(memo, GWL_STYLE);
  EXPECT_NE(style & WS_HSCROLL, 0);
  EXPECT_NE(style & WS_VSCROLL, 0);
  EXPECT_NE(style & ES_MULTILINE, 0);
  EXPECT_EQ(Form3->Memo1->Font().Color(), clBlack);
  LOGFONTA font{};
  ASSERT_NE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(memo, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
  EXPECT_EQ(font.lfHeight, -16);
}

// Guards against a settings folder outside the process code page shown with "?" in the help.
TEST_F(HelpWindow, TextFieldNamesAUnicodeSettingsFolderExactly) {
  const std::wstring folder = L"C:\\users\\Ελλάδα \U0001F600\\AppData\\Local\\Tarvell";
  TForm3 form(nullptr, Narrow(folder));
  HWND memo = form.Memo1->Handle();
  const int length = ::GetWindowTextLengthW(memo);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(memo, text.data(), length + 1)));
  EXPECT_EQ(text, Widen(HelpText(Narrow(folder))));
  EXPECT_NE(text.find(folder), std::wstring::npos);
}

TEST_F(HelpWindow, TextFieldFollowsTheWindowSize) {
  ShowHelpWindow();
  ExpectTextFillsClientArea(*Form3);
  ::SetWindowPos(Form3->Handle(), nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
  ExpectTextFillsClientArea(*Form3);
  ::SetWindowPos(Form3->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  ExpectTextFillsClientArea(*Form3);
}

TEST_F(HelpWindow, MenuItemAboutIsDrawnBoldAndOpensTheAboutWindow) {
  ShowHelpWindow();
  HMENU bar = ::GetMenu(Form3->Handle());
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(::GetMenuItemCount(bar), 1);
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  ASSERT_TRUE(::GetMenuItemInfoA(bar, 0, TRUE, &mii));
  EXPECT_NE(mii.fState & MFS_DEFAULT, 0u) << "drawn in bold by the system";
  EXPECT_EQ(mii.hSubMenu, nullptr) << "a command of its own, no drop-down";
  ASSERT_NE(Form3->Menu, nullptr);
  char text[16] = {};
  ::GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "About");
  EXPECT_EQ(mii.wID, Form3->Menu->Command());

  EXPECT_EQ(Form2, nullptr);
  ::SendMessageA(Form3->Handle(), WM_COMMAND, MAKEWPARAM(mii.wID, 0), 0);
  ASSERT_NE(Form2, nullptr);
  EXPECT_TRUE(::IsWindowVisible(Form2->Handle()));
  ::SendMessageA(Form3->Handle(), WM_COMMAND, MAKEWPARAM(mii.wID, 0), 0);
  EXPECT_EQ(FormWindows("About ").size(), 1u);
}

}  // namespace
}  // namespace tarvell
