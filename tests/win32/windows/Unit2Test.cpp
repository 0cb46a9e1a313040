#include "windows/Unit2.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/FormHost.h"
#include "tests/support/HelpWindowsFixture.h"
#include "tests/support/TempFolder.h"
#include "app/AboutActions.h"
#include "app/ProgramState.h"
#include "desktop/SystemFolders.h"
#include "gui/Image.h"
#include "gui/Label.h"
#include "picture/Picture.h"
#include "resources/ResourceIds.h"
#include "windows/HelpWindows.h"
#include "windows/ProductLinks.h"

namespace tarvell {
namespace {

using namespace tarvell::test;
using AboutWindow = HelpWindowsTest;

struct TExpectedLabel {
  TLabel* TForm2::*Member;
  const char* Name;
  RECT Bounds;  // left, top, right, bottom
  std::string Caption;
  std::string Hint;
  int FontHeight;
  bool Bold;
  bool Underline;
  TColor Color;
  bool WordWrap;
  TCursor Cursor;
};

const std::vector<TExpectedLabel>& ExpectedLabels() {
  // clang-format off
  static const std::vector<TExpectedLabel> labels = {
      // member, name, bounds, caption, hint, font height, bold, underline, colour, word wrap, cursor
      {&TForm2::Label1, "Label1", {8, 8, 200, 32}, "Tarvell ver. 2.1  ", "", -19, true, true, clYellow, false, crDefault},
      {&TForm2::Label2, "Label2", {200, 280, 390, 296}, std::string(SupportMailLink), "Fell free to ask questions ",
       -12, false, false, clYellow, false, crAppStart},
      {&TForm2::Label4, "Label4", {8, 40, 249, 56}, "All Your lovely images always with you.", "", -13, false, false,
       clYellow, false, crDefault},
      {&TForm2::Label5, "Label5", {124, 280, 192, 296}, "For support", "", -12, false, false, clYellow, false, crDefault},
      {&TForm2::Label7, "Label7", {8, 280, 65, 296}, "Uninstall", "Click to uninstall ", -11, false, false, clWindowText,
       false, crDefault},
      {&TForm2::Label9, "Label9", {80, 280, 113, 296}, "Help", "", -12, false, false, clYellow, false, crDefault},
      {&TForm2::Label8, "Label8", {24, 120, 251, 136}, std::string(ProductWebPage), "Visit my website", -13, false, false,
       clYellow, true, crAppStart},
  };
  // clang-format on
  return labels;
}

TEST_F(AboutWindow, IsMadeOnFirstDemandAndReusedAfterwards) {
  EXPECT_TRUE(FormWindows("About ").empty());
  ShowAboutWindow();
  ASSERT_NE(Form2, nullptr);
  TForm2* first = Form2;
  HWND wnd = first->Handle();
  EXPECT_TRUE(::IsWindowVisible(wnd)) << "visible from its creation on";
  EXPECT_EQ(first->Owner(), &Application);
  EXPECT_NE(Application.MainForm(), first) << "never the program's main window";

  ShowAboutWindow();
  EXPECT_EQ(Form2, first);
  EXPECT_EQ(Form2->Handle(), wnd);
  EXPECT_EQ(FormWindows("About ").size(), 1u);

  // Closing only hides it; the next opening shows the same window again.
  ::SendMessageA(wnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(wnd));
  EXPECT_EQ(Form2, first);
  ShowAboutWindow();
  EXPECT_EQ(Form2->Handle(), wnd);
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_EQ(FormWindows("About ").size(), 1u);
}

TEST_F(AboutWindow, SecondOpeningRestoresAMinimisedWindowAndBringsItToTheFront) {
  ShowAboutWindow();
  HWND about = Form2->Handle();
  ::ShowWindow(about, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(about));
  ShowHelpWindow();  // another window of ours now lies in front
  HWND help = Form3->Handle();
  ASSERT_TRUE(InFrontOf(help, about));

  ShowAboutWindow();
  EXPECT_FALSE(::IsIconic(about));
  EXPECT_TRUE(::IsWindowVisible(about));
  EXPECT_TRUE(InFrontOf(about, help));
  RECT client{};
  ::GetClientRect(about, &client);
  EXPECT_EQ(client.right, 398) << "back at its normal size";
  EXPECT_EQ(client.bottom, 300);
}

TEST_F(AboutWindow, WindowIsFixedSizeTopMostAndCentred) {
  ShowAboutWindow();
  HWND wnd = Form2->Handle();
  EXPECT_EQ(WindowText(wnd), "About ");
  RECT client{};
  ::GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 398);
  EXPECT_EQ(client.bottom, 300);
  const LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "the border does not size";
  EXPECT_NE(style & WS_CAPTION, 0);
  EXPECT_TRUE(IsTopMost(wnd));
  ExpectCentred(wnd);
  EXPECT_NE(Form2->TooltipHandle(), nullptr) << "hints show";
  // Its own icon, big and small: WindowIconsTest checks their pictures and sizes.
  ASSERT_NE(Form2->BigIcon(), nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_BIG, 0)), Form2->BigIcon());
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0)), Form2->SmallIcon());
}

TEST_F(AboutWindow, PictureFillsTheWindowBehindTheLabels) {
  ShowAboutWindow();
  ASSERT_NE(Form2->Image1, nullptr);
  TPicture picture;
  picture.Assign(Form2->Image1->Bitmap());
  EXPECT_EQ(picture.Width(), 406);
  EXPECT_EQ(picture.Height(), 300);
  EXPECT_EQ(picture.BitsPerPixel(), 8);
  EXPECT_TRUE(Form2->Image1->Stretch());
  EXPECT_EQ(Sides(BoundsInParent(Form2->Image1->Handle())), (std::array<LONG, 4>{0, 0, 398, 300}));
  // Back to front: the picture first, every label in front of it.
  for (const auto& expected : ExpectedLabels()) {
    EXPECT_TRUE(InFrontOf((Form2->*expected.Member)->Handle(), Form2->Image1->Handle())) << expected.Name;
  }
}

TEST_F(AboutWindow, LabelsReadFromTheLiveWindowsMatchTheLayout) {
  ShowAboutWindow();
  for (const auto& expected : ExpectedLabels()) {
    SCOPED_TRACE(expected.Name);
    TLabel* label = Form2->*expected.Member;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Name(), expected.Name);
    HWND wnd = label->Handle();
    EXPECT_EQ(WindowText(wnd), expected.Caption);
    EXPECT_EQ(Sides(BoundsInParent(wnd)), Sides(expected.Bounds));
    EXPECT_EQ(ToolText(*Form2, wnd), expected.Hint.empty() ? "<none>" : expected.Hint);
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(label->WordWrap(), expected.WordWrap);
    EXPECT_EQ(label->Cursor(), expected.Cursor);
    EXPECT_EQ(label->Font().Color(), expected.Color);
    LOGFONTA font{};  // the font the label paints with
    ASSERT_NE(::GetObjectA(label->Font().Handle(), sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, expected.FontHeight);
    EXPECT_EQ(font.lfWeight >= FW_BOLD, expected.Bold);
    EXPECT_EQ(font.lfUnderline != 0, expected.Underline);
  }
}

// Guards against "For support" wrapping into a second line that its label clips, and against
// the mail address cut at the label's edge: every caption fits its label on one line, and
// the bottom row's labels do not overlap.
TEST_F(AboutWindow, EveryCaptionFitsItsLabelOnOneLine) {
  ShowAboutWindow();
  HDC dc = ::GetDC(nullptr);
  for (const auto& expected : ExpectedLabels()) {
    SCOPED_TRACE(expected.Name);
    TLabel* label = Form2->*expected.Member;
    HGDIOBJ old = ::SelectObject(dc, label->Font().Handle());
    SIZE size{};
    ::GetTextExtentPoint32A(dc, expected.Caption.c_str(), static_cast<int>(expected.Caption.size()), &size);
    ::SelectObject(dc, old);
    RECT client{};
    ::GetClientRect(label->Handle(), &client);
    EXPECT_LE(size.cx, client.right) << "caption width " << size.cx;
    EXPECT_LE(size.cy, client.bottom) << "caption height " << size.cy;
  }
  ::ReleaseDC(nullptr, dc);
  std::vector<RECT> row;
  for (TLabel* label : {Form2->Label7, Form2->Label9, Form2->Label5, Form2->Label2})
    row.push_back(BoundsInParent(label->Handle()));
  for (std::size_t i = 1; i < row.size(); ++i) EXPECT_LE(row[i - 1].right, row[i].left) << i;
  RECT client{};
  ::GetClientRect(Form2->Handle(), &client);
  EXPECT_LE(row.back().right, client.right);
}

TEST_F(AboutWindow, LinksTurnAquaUnderTheMouseAndBackOverThePicture) {
  ShowAboutWindow();
  TForm2& f = *Form2;
  const std::vector<TLabel*> links = {f.Label8, f.Label2, f.Label7, f.Label9};
  for (TLabel* link : links) {
    MoveMouseOver(link->Handle());
    EXPECT_EQ(link->Font().Color(), clAqua) << link->Name();
  }
  // Each link lights only itself: the words around them stay as they are.
  EXPECT_EQ(f.Label1->Font().Color(), clYellow);
  EXPECT_EQ(f.Label4->Font().Color(), clYellow);

  // The picture and the plain texts all put every link back to rest; "Uninstall" rests black.
  const std::vector<TControl*> resetters = {f.Image1, f.Label1, f.Label4, f.Label5};
  for (TControl* resetter : resetters) {
    SCOPED_TRACE(resetter->Name());
    for (TLabel* link : links) MoveMouseOver(link->Handle());
    MoveMouseOver(resetter->Handle());
    EXPECT_EQ(f.Label2->Font().Color(), clYellow);
    EXPECT_EQ(f.Label7->Font().Color(), clBlack);
    EXPECT_EQ(f.Label9->Font().Color(), clYellow);
    EXPECT_EQ(f.Label8->Font().Color(), clYellow);
  }
}

TEST_F(AboutWindow, LinksOpenTheWebPageAndTheMailAddress) {
  ShowAboutWindow();
  std::vector<std::string> opened;
  Form2->OpenAddress = [&](const std::string& address) { opened.push_back(address); };
  ClickWindow(Form2->Label8->Handle());
  ClickWindow(Form2->Label2->Handle());
  ClickWindow(Form2->Label5->Handle());  // "For support" opens the same address as the address itself
  const std::vector<std::string> expected = {std::string(ProductWebPage), std::string(SupportMailLink),
                                             std::string(SupportMailLink)};
  EXPECT_EQ(opened, expected);
  ClickWindow(Form2->Label1->Handle());
  ClickWindow(Form2->Label4->Handle());
  ClickWindow(Form2->Image1->Handle());
  EXPECT_EQ(opened.size(), 3u) << "only the links open anything";
}

TEST_F(AboutWindow, HelpOpensTheHelpWindowOnce) {
  ShowAboutWindow();
  ClickWindow(Form2->Label9->Handle());
  ASSERT_NE(Form3, nullptr);
  HWND help = Form3->Handle();
  EXPECT_TRUE(::IsWindowVisible(help));
  ClickWindow(Form2->Label9->Handle());
  EXPECT_EQ(Form3->Handle(), help);
  EXPECT_EQ(FormWindows("Form3").size(), 1u);
}

TEST_F(AboutWindow, UninstallAnsweredCancelChangesNothing) {
  // A program that looks installed: a shortcut in the Startup folder and a settings file.
  TTempFolder tmp;
  Program().Folders.ConfigPath = tmp.File("Tarvell.cfg");
  WriteTextFile(Program().Folders.ConfigPath, "settings");
  const std::optional<std::string> startup = ShellStartupFolder();
  ASSERT_TRUE(startup);
  ::CreateDirectoryA(startup->c_str(), nullptr);
  const std::string link = *startup + "\\Tarvell.lnk";
  WriteTextFile(link, "shortcut");

  SetAboutActions(ProgramAboutActions({}));
  std::vector<std::string> boxes;
  SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned type) {
    boxes.push_back(caption + ": " + text + " (" + std::to_string(type) + ")");
    return IDCANCEL;
  });
  ShowAboutWindow();
  ClickWindow(Form2->Label7->Handle());

  const std::vector<std::string> expected = {"Uninstallation: Do you want to Uninstall Tarvell ver. 2.1? (1)"};
  EXPECT_EQ(boxes, expected);
  EXPECT_EQ(ReadTextFile(Program().Folders.ConfigPath), "settings");
  EXPECT_EQ(ReadTextFile(link), "shortcut");
  EXPECT_TRUE(::IsWindowVisible(Form2->Handle())) << "the About window stays open";
  ::DeleteFileA(link.c_str());
  Program().Folders = {};
  SetAboutActions({});
}

}  // namespace
}  // namespace tarvell
