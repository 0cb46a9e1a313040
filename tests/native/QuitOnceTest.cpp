#include "base/QuitOnce.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Guards against a second save (and a second error box) when Quit, a window close or the
// session's end arrives inside the first save's error box.
TEST(QuitOnce, OnlyTheFirstRequestSaves) {
  TQuitOnce quit;
  EXPECT_EQ(quit.Request(false), TQuitStep::Save);
  EXPECT_TRUE(quit.MayShowErrors());
  EXPECT_EQ(quit.Request(false), TQuitStep::Ignore);
  EXPECT_EQ(quit.Request(false), TQuitStep::Ignore);
  EXPECT_TRUE(quit.MayShowErrors()) << "a repeated Quit does not silence the first save's box";
}

// Guards against a logoff held up by the error box of a save that is already under way.
TEST(QuitOnce, TheSessionsEndDuringASaveEndsAtOnceWithoutBoxes) {
  TQuitOnce quit;
  ASSERT_EQ(quit.Request(false), TQuitStep::Save);
  EXPECT_EQ(quit.Request(true), TQuitStep::EndNow);
  EXPECT_FALSE(quit.MayShowErrors());
  EXPECT_EQ(quit.Request(true), TQuitStep::EndNow);
  EXPECT_EQ(quit.Request(false), TQuitStep::Ignore);
}

// Guards against a modal box at logoff: a save begun by the session's end reports nothing.
TEST(QuitOnce, ASaveBegunByTheSessionsEndShowsNoBox) {
  TQuitOnce quit;
  EXPECT_EQ(quit.Request(true), TQuitStep::Save);
  EXPECT_FALSE(quit.MayShowErrors());
  EXPECT_EQ(quit.Request(true), TQuitStep::EndNow);
  EXPECT_EQ(quit.Request(false), TQuitStep::Ignore);
}

}  // namespace
}  // namespace tarvell
