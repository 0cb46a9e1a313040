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

namespace tarvell {
namespace {

// Guards against a program that ended at the session's query: a shutdown cancelled by another
// program left Tarvell gone. The query saves and goes on; only the end itself ends, saving once.
TEST(QuitOnce, TheSessionsQuerySavesAndOnlyItsEndEnds) {
  TQuitOnce quit;
  EXPECT_TRUE(quit.QuerySession());
  quit.SessionCancelled();
  EXPECT_TRUE(quit.QuerySession()) << "the next query saves again";
  EXPECT_EQ(quit.Request(true), TQuitStep::EndNow) << "saved at the query: not again";
  EXPECT_FALSE(quit.MayShowErrors());

  TQuitOnce cancelled;
  ASSERT_TRUE(cancelled.QuerySession());
  cancelled.SessionCancelled();
  EXPECT_EQ(cancelled.Request(false), TQuitStep::Save) << "a later Quit saves what changed since";
  EXPECT_TRUE(cancelled.MayShowErrors());

  TQuitOnce unasked;  // an end with no query before it (a forced one) still saves
  EXPECT_EQ(unasked.Request(true), TQuitStep::Save);

  TQuitOnce quitting;  // the query during a Quit's error box leaves the ending to that Quit
  ASSERT_EQ(quitting.Request(false), TQuitStep::Save);
  EXPECT_FALSE(quitting.QuerySession());
  EXPECT_EQ(quitting.Request(true), TQuitStep::EndNow);
}

}  // namespace
}  // namespace tarvell
