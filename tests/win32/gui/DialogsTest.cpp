// Message boxes, the standard error box, the open-question counter and the wait cursor.
#include "gui/Dialogs.h"

#include "gui/Application.h"
#include "gui/WaitCursor.h"
#include "base/Exception.h"

#include "tests/support/FormHost.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::TBoxRecorder;

// Errors reaching the loop go to it too.
TEST(Dialogs, ErrorBoxHasTheErrorIconTheTitleAndAFullStop) {
  TBoxRecorder boxes;
  ShowErrorBox("'x' is not a valid integer value");
  Application.SetTitle("Renamed");
  ShowErrorBox("");
  Application.SetTitle("Tarvell");
  try {
    throw Exception("Cannot open file C:\\x.cfg");
  } catch (...) {
    ShowCurrentError();
  }
  ASSERT_EQ(boxes.Boxes.size(), 3u);
  EXPECT_EQ(boxes.Boxes[0].Text, "'x' is not a valid integer value.");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Tarvell");
  EXPECT_EQ(boxes.Boxes[0].Type, static_cast<unsigned>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes.Boxes[1].Text, ".");
  EXPECT_EQ(boxes.Boxes[1].Caption, "Renamed");
  EXPECT_EQ(boxes.Boxes[2].Text, "Cannot open file C:\\x.cfg.");
  EXPECT_EQ(boxes.Boxes[2].Type, static_cast<unsigned>(MB_OK | MB_ICONERROR));
}

TEST(Dialogs, OnlyOkAnswersAQuestionWithYes) {
  TBoxRecorder boxes;
  for (int answer : {IDOK, IDCANCEL, IDYES, IDABORT, 0}) {
    boxes.Answer = answer;
    EXPECT_EQ(AskOkCancel("Delete?", "Question"), answer == IDOK) << answer;
  }
  ASSERT_FALSE(boxes.Boxes.empty());
  EXPECT_EQ(boxes.Boxes[0].Type, static_cast<unsigned>(MB_OKCANCEL)) << "OK and Cancel, no icon";
  EXPECT_EQ(boxes.Boxes[0].Caption, "Question");
  ShowNotice("Done", "Notice");
  EXPECT_EQ(boxes.Boxes.back().Type, static_cast<unsigned>(MB_OK));
}

TEST(Dialogs, ModalDepthCountsOpenBoxesAndComesBackAfterAFailure) {
  EXPECT_EQ(ModalDepth(), 0);
  std::vector<int> seen;
  SetMessageBoxHook([&](const std::string& text, const std::string&, unsigned) {
    seen.push_back(ModalDepth());
    if (text == "outer") ShowNotice("inner", "");  // a box opened while another is open
    if (text == "fail") throw Exception("hook failed");
    return IDOK;
  });
  ShowNotice("outer", "");
  EXPECT_THROW(ShowNotice("fail", ""), Exception);
  SetMessageBoxHook({});
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(ModalDepth(), 0) << "an error in a box must not leave the counter raised";
}

TEST(Dialogs, ABoxRaisedWithNoneOfTheProgramsWindowsInFrontAsksForTheFront) {
  const HWND active = reinterpret_cast<HWND>(0x10), app = reinterpret_cast<HWND>(0x20);
  const unsigned lifted = MB_SETFOREGROUND | MB_TOPMOST;
  struct TCase {
    HWND Active;
    bool InFront, StayOnTop;
    HWND Owner;
    unsigned Type;
  };
  for (const TCase& c : {TCase{active, true, false, active, MB_OKCANCEL}, TCase{nullptr, true, false, app, MB_OKCANCEL},
                         TCase{nullptr, false, false, app, MB_OKCANCEL | lifted},
                         TCase{active, false, false, active, MB_OKCANCEL | lifted},
                         // Guards against a question hidden under the stay-on-top About window.
                         TCase{active, true, true, active, MB_OKCANCEL | MB_TOPMOST},
                         TCase{nullptr, false, true, app, MB_OKCANCEL | lifted}}) {
    TBoxSituation situation;
    situation.Active = c.Active;
    situation.ProgramInFront = c.InFront;
    situation.StayOnTopShown = c.StayOnTop;
    situation.AppWindow = app;
    const TBoxPlacement place = PlaceMessageBox(MB_OKCANCEL, situation);
    EXPECT_EQ(place.Owner, c.Owner) << c.InFront << c.StayOnTop;
    EXPECT_EQ(place.Type, c.Type) << c.InFront << c.StayOnTop;
  }
}

// Guards against a question from the timer or a hot key opening behind another program's
// window, where the slideshow waited for it unseen: the box's placement reads what is in front.
TEST(Dialogs, TheSituationOfABoxIsReadFromWhatIsInFront) {
  HWND own = ::CreateWindowExW(0, L"STATIC", L"in front", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  ::SetForegroundWindow(own);
  ASSERT_TRUE(test::PumpUntil([&] { return ProgramInFront() && ::GetActiveWindow() == own; }));
  EXPECT_FALSE(StayOnTopShown());
  HWND onTop = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"about", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, own, nullptr,
                                 nullptr, nullptr);
  EXPECT_TRUE(StayOnTopShown());
  ::DestroyWindow(onTop);
  EXPECT_FALSE(StayOnTopShown());
  ::DestroyWindow(own);
  EXPECT_TRUE(test::PumpUntil([] { return !ProgramInFront(); }));
}

TEST(WaitCursor, ShowsTheHourglassAndRestoresTheSavedCursorAlsoOnError) {
  Screen.SetCursor(crArrow);
  try {
    TWaitCursor wait;
    EXPECT_EQ(Screen.Cursor(), crHourGlass);
    throw Exception("failed while busy");
  } catch (const Exception&) {}
  EXPECT_EQ(Screen.Cursor(), crArrow);

  // Busy work that ends with a set cursor ends with it, also on error.
  Screen.SetCursor(crDefault);
  try {
    TWaitCursor wait(crArrow);
    EXPECT_EQ(Screen.Cursor(), crHourGlass);
    throw Exception("failed while busy");
  } catch (const Exception&) {}
  EXPECT_EQ(Screen.Cursor(), crArrow);
  Screen.SetCursor(crDefault);
}

}  // namespace
}  // namespace tarvell
