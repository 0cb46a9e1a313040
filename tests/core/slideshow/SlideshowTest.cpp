// The slideshow model against a recording view and an in-memory folder tree: every command,
// the recovery from pictures that fail, questions and the timer, without a window.
#include "tests/support/SlideshowFakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvell {
namespace {

class Slideshow : public ::testing::Test {
protected:
  TFakeLister Lister;
  TRecordingView View;
  TFakeDesktop Desktop;
  TFakeClock Clock;
  TFakeRunner Runner;
  TSlideshow Show{View, Desktop, Lister, Clock, Runner, "Tarvell ver. 2.1", 42};

  void Build(int count) {
    Lister.AddPictures(Folder, count);
    Show.Rebuild(Folder, false);
    Desktop.Log.clear();
    Desktop.Applied.clear();
    View.Finished = 0;
  }
  // One timer tick, a second after the last.
  TTickResult Tick() {
    Clock.Now += 1000;
    return Show.Tick();
  }
  int Ticks(int n) {
    int switched = 0;
    for (int i = 0; i < n; ++i) switched += Tick() == TTickResult::Switched;
    return switched;
  }
};

// Regression: a rebuild that failed after emptying the list left the view showing the old
// entries, which a view that reads its rows from the list would read past the end.
TEST_F(Slideshow, AListingThatRunsOutOfMemoryLeavesTheViewShowingTheListAsItIs) {
  Lister.AddPictures(Folder, 3);
  Show.Rebuild(Folder, false);
  Lister.Throws = true;
  EXPECT_THROW(Show.AddAll(Folder), std::bad_alloc);
  EXPECT_EQ(Show.Count(), 3);
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_THROW(Show.Rebuild(Folder, false), std::bad_alloc);
  EXPECT_EQ(Show.Count(), 0);
  EXPECT_TRUE(View.Mirror.empty());
}

TEST_F(Slideshow, RebuildKeepsThePositionWithinTheNewListAndShowsIt) {
  Show.SetCurrentIndex(7);
  Lister.AddPictures(Folder, 3);
  Show.Rebuild(Folder, false);
  EXPECT_EQ(Show.CurrentIndex(), 2);
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(View.Selected, 2);
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  3(3)");
  EXPECT_EQ(View.Preview, Pic(2));
  EXPECT_TRUE(Desktop.Applied.empty()) << "a rebuild shows, it does not apply";

  // A folder without pictures leaves the position, the caption and the preview alone.
  Lister.Folders["C:\\Empty"];
  Show.Rebuild("C:\\Empty", false);
  EXPECT_EQ(Show.Count(), 0);
  EXPECT_EQ(Show.CurrentIndex(), 2);
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  3(3)");
  EXPECT_TRUE(View.Mirror.empty());

  // Nothing to do on an empty list.
  Show.Next();
  Show.DeleteCurrent();
  Show.OpenCurrent();
  Show.Pick(0);
  EXPECT_TRUE(View.Questions.empty());
  EXPECT_TRUE(Desktop.Applied.empty());
  EXPECT_TRUE(Desktop.Opened.empty());
}

// A photo library: 100 folders of 1,000 pictures, listed in reverse and named in mixed case.
// The list is in name order ignoring case, folder by folder, and its indices mean what the
// settings file's index has always meant.
TEST_F(Slideshow, AHundredThousandPicturesAreListedInNameOrderWithTheIndexRules) {
  constexpr int Folders = 100, PerFolder = 1000;
  std::vector<std::string> expected;
  auto& root = Lister.Folders["C:\\Lib"];
  for (int f = 0; f < Folders; ++f) {
    char folder[16];
    std::snprintf(folder, sizeof folder, f % 2 ? "album%03d" : "ALBUM%03d", f);
    root.insert(root.begin(), TDirEntry{folder, true});
    auto& entries = Lister.Folders[std::string("C:\\Lib\\") + folder];
    entries.push_back(TDirEntry{"notes.txt"});
    entries.push_back(TDirEntry{"hidden.jpg", false, false, true});
    for (int i = 0; i < PerFolder; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, i % 3 ? "img_%04d.jpg" : "IMG_%04d.JPG", i);
      entries.insert(entries.begin(), TDirEntry{name});
      expected.push_back(std::string("C:\\Lib\\") + folder + "\\" + name);
    }
  }

  struct TCase {
    std::int32_t SavedIndex;
    std::int32_t Current;
  };
  for (const TCase c : {TCase{123456, 99999}, TCase{54321, 54321}, TCase{-5, 0}, TCase{0, 0}}) {
    Show.SetCurrentIndex(c.SavedIndex);
    Show.Rebuild("C:\\Lib", true);
    ASSERT_EQ(Show.Pictures().ToVector(), expected);
    EXPECT_EQ(View.Mirror.size(), expected.size());
    EXPECT_EQ(Show.CurrentIndex(), c.Current) << c.SavedIndex;
    EXPECT_EQ(View.Selected, c.Current);
    EXPECT_EQ(View.Preview, expected[static_cast<std::size_t>(c.Current)]);
    EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  " + std::to_string(c.Current + 1) + "(100000)");
  }

  // The last picture is followed by the first; a deleted one by the picture after it.
  Show.Pick(99999);
  Show.Next();
  EXPECT_EQ(Desktop.Applied.back(), expected.front());
  Show.Pick(50000);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{expected[50000]});
  EXPECT_EQ(Show.Count(), 99999);
  EXPECT_EQ(Show.CurrentIndex(), 50000);
  EXPECT_EQ(Desktop.Applied.back(), expected[50001]);
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
}

TEST_F(Slideshow, AFolderThatCannotBeReadIsSkippedAndReported) {
  Lister.AddPictures(Folder, 2);
  Lister.Folders[Folder].push_back(TDirEntry{"locked", true});
  Lister.Folders[Folder].push_back(TDirEntry{"open", true});
  Lister.Errors["C:\\P\\locked"] = 5;
  Lister.AddPictures("C:\\P\\open", 1, "o");
  Show.Rebuild(Folder, true);
  EXPECT_EQ(View.Errors, std::vector<std::string>{"I/O error 5"});
  EXPECT_EQ(Show.Count(), 3) << "the readable folders stay in the list";
  EXPECT_EQ(Show.Pictures().ToVector().back(), "C:\\P\\open\\o00000.jpg");
}

TEST_F(Slideshow, AddAllAppendsAndKeepsTheIndexInside) {
  Show.SetCurrentIndex(9);
  Lister.AddPictures("C:\\Q", 2, "q");
  Show.AddAll("C:\\Q");
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(View.Mirror.size(), 2u);
  // Regression: an index beyond a list that AddAll had filled named no entry.
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{"C:\\Q\\q00001.jpg"});
}

TEST_F(Slideshow, NextGoesInListOrderAroundAndApplies) {
  Build(3);
  Show.SetSettings({.Sound = true});
  Tick();
  for (int i = 0; i < 4; ++i) Show.Next();
  EXPECT_EQ(Desktop.Applied, (std::vector<std::string>{Pic(1), Pic(2), Pic(0), Pic(1)}));
  EXPECT_EQ(View.OnDesktop, Pic(1)) << "the tray tip names the picture on the desktop";
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  2(3)");
  EXPECT_EQ(View.Selected, 1);
  EXPECT_EQ(std::count(View.Beeps.begin(), View.Beeps.end(), ChangeTickHz), 4);
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(View.Finished, 4) << "each change lets a hidden window release the picture";
}

TEST_F(Slideshow, RandomDealsEveryPictureOncePerRound) {
  Build(5);
  Show.SetSettings({.Random = true});
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    Show.Next();
    seen.push_back(Desktop.Applied.back());
  }
  seen.push_back(Pic(0));  // shown at the rebuild: counts as dealt
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
}

TEST_F(Slideshow, PickShowsAndDoubleClickApplies) {
  Build(4);
  Show.Pick(3);
  EXPECT_EQ(View.Preview, Pic(3));
  EXPECT_TRUE(Desktop.Applied.empty());
  Show.PickAndApply(3);
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(3)});
  Show.Pick(4);  // outside the list
  EXPECT_EQ(Show.CurrentIndex(), 3);
  Show.OpenCurrent();
  EXPECT_EQ(Desktop.Opened, std::vector<std::string>{Pic(3)});
}

TEST_F(Slideshow, DeleteRemovesTheNamedEntryAndAppliesTheFollowingOne) {
  Build(4);
  Show.Pick(1);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(Show.Count(), 3);
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(2)});

  // The last entry: the new last one follows.
  Show.Pick(2);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(Desktop.Applied.back(), Pic(2));

  // Cancel changes nothing; Enter answers Cancel, so it keeps the file.
  Show.DeleteCurrent();
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(Desktop.Deleted.size(), 2u);
  EXPECT_EQ(View.Defaults, std::vector<TDefaultAnswer>(3, TDefaultAnswer::Cancel));
}

TEST_F(Slideshow, DeletingTheOnlyPictureLeavesAnEmptyListAndReappliesThePreview) {
  Build(1);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Show.Count(), 0);
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  0(0)");
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(0)});
}

// Should the current picture change while the question is open (the commands wait, so only
// the settings' index could move it), the answer deletes the file the question named,
// before or after the new current one.
TEST_F(Slideshow, DeleteActsOnTheFileNamedInTheQuestionWhereverTheCurrentOneMoved) {
  struct TCase {
    int NamedAt, PickedDuring, CurrentAfter;
    std::string AppliedAfter;
  };
  const TCase cases[] = {
      {1, 3, 2, Pic(3)},  // removed before the current one: it moves down with its picture
      {3, 1, 1, Pic(1)},  // removed after it: it stays
  };
  for (const TCase& c : cases) {
    TRig rig(5, c.NamedAt);
    rig.View.Answers = {true};
    rig.View.WhileAsking = [&] { rig.Show.SetCurrentIndex(c.PickedDuring); };
    rig.Show.DeleteCurrent();
    EXPECT_EQ(rig.Desktop.Deleted, std::vector<std::string>{Pic(c.NamedAt)});
    EXPECT_EQ(rig.Show.CurrentIndex(), c.CurrentAfter);
    EXPECT_EQ(rig.Desktop.Applied.back(), c.AppliedAfter);
    EXPECT_EQ(rig.View.Mirror, rig.Show.Pictures().ToVector());
  }
}

// Regression: Ctrl+Z, Ctrl+A, a second Ctrl+D and the timer all acted under an open question,
// so the answer could land on another picture than the one named.
TEST_F(Slideshow, CommandsWaitWhileAQuestionIsOpen) {
  Build(4);
  Show.SetSettings({false, false, false, 1, TPeriodUnit::Seconds});
  View.Answers = {true};
  int secondQuestions = 0;
  View.WhileAsking = [&] {
    const auto asked = View.Questions.size();
    Show.DeleteCurrent();
    secondQuestions += static_cast<int>(View.Questions.size() - asked);
    Show.Next();
    Show.Clear();
    Show.Apply();
    EXPECT_EQ(Ticks(5), 0);
  };
  Show.DeleteCurrent();
  EXPECT_EQ(secondQuestions, 0);
  EXPECT_EQ(Desktop.Clears, 0);
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{Pic(0)});
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(1)}) << "only the deletion's own change";
  // The overdue change follows once the question has been answered.
  Show.Next();
  EXPECT_EQ(Desktop.Applied.size(), 2u);
}

// Regression: a list click or a tray double click while the damaged-picture question was open
// changed the current picture, and the delete question then named, and deleted, a healthy one.
TEST_F(Slideshow, PicksAndShowsWaitWhileADamagedPictureQuestionIsOpen) {
  const std::pair<const char*, std::function<void(TSlideshow&)>> commands[] = {
      {"pick", [](TSlideshow& show) { show.Pick(3); }},
      {"pick and apply", [](TSlideshow& show) { show.PickAndApply(3); }},
      {"show current", [](TSlideshow& show) { show.ShowCurrent(); }},
  };
  for (const auto& [name, command] : commands) {
    const std::string what = name;
    const std::function<void(TSlideshow&)> run = command;
    TRig rig(4);
    TRecordingView& view = rig.View;
    TFakeDesktop& desktop = rig.Desktop;
    rig.Show.SetSettings({.Sound = true});
    desktop.Results[Pic(1)] = TLoadResult::Damaged;
    view.Answers = {false, true};
    view.WhileAsking = [&] {
      desktop.Log.clear();
      run(rig.Show);
      EXPECT_TRUE(desktop.Log.empty()) << what;
      EXPECT_EQ(view.Selected, 1) << what << ": the list's selection stays on the picture asked about";
    };
    rig.Show.Next();
    ASSERT_EQ(view.Questions.size(), 2u) << what;
    EXPECT_EQ(view.Questions[1], "File " + Pic(1) + " appears to be damadged. Do you want to delete it?") << what;
    EXPECT_EQ(desktop.Deleted, std::vector<std::string>{Pic(1)}) << what;
    EXPECT_EQ(desktop.Applied, std::vector<std::string>{Pic(2)}) << what;
  }
}

// Should another picture have become current while the first question was open, the damaged
// file is not offered for deletion, and no other file is named in its place.
TEST_F(Slideshow, TheDamagedFileIsOfferedForDeletionOnlyWhileItIsCurrent) {
  Build(4);
  Show.SetSettings({.Sound = true});
  Desktop.Results[Pic(1)] = TLoadResult::Damaged;
  View.Answers = {false, true};
  View.WhileAsking = [&] { Show.SetCurrentIndex(3); };
  Show.Next();
  EXPECT_EQ(View.Questions.size(), 1u);
  EXPECT_TRUE(Desktop.Deleted.empty());
}

// A folder chosen while a question is open is not lost: the list follows it once the question
// has been answered, at once after the slideshow's own, at the next tick after any other box.
TEST_F(Slideshow, AFolderChangeDuringAQuestionIsCarriedOutWhenItCloses) {
  Build(4);
  Lister.AddPictures("C:\\Q", 2, "q");
  Lister.AddPictures("C:\\R", 1, "r");
  Lister.Errors["C:\\Bad"] = 5;
  View.Answers = {true};
  View.WhileAsking = [&] {
    Show.Rebuild("C:\\Bad", false);
    Show.Rebuild("C:\\Q", false);  // replaces the one before
    Show.AddAll("C:\\R");
    EXPECT_EQ(Show.Count(), 4) << "the list the question is about stands until the answer";
    EXPECT_TRUE(Show.ListRequestsPending());
  };
  Show.DeleteCurrent();
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{Pic(0)});
  EXPECT_FALSE(Show.ListRequestsPending());
  EXPECT_EQ(Show.Pictures().ToVector(),
            (std::vector<std::string>{"C:\\Q\\q00000.jpg", "C:\\Q\\q00001.jpg", "C:\\R\\r00000.jpg"}));
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(View.Preview, "C:\\Q\\q00000.jpg");
  EXPECT_TRUE(View.Errors.empty());

  View.OpenQuestions = 1;  // a box of the window's own
  Show.Rebuild("C:\\Bad", false);
  Tick();
  EXPECT_EQ(Show.Count(), 3);
  View.OpenQuestions = 0;
  Tick();
  EXPECT_EQ(Show.Count(), 0);
  EXPECT_EQ(View.Errors, std::vector<std::string>{"I/O error 5"}) << "the unreadable folder is still reported";

  // A folder chosen after the box closed, before the tick, wins over the one kept.
  View.OpenQuestions = 1;
  Show.Rebuild("C:\\Bad", false);
  Show.AddAll("C:\\R");
  View.OpenQuestions = 0;
  Show.Rebuild("C:\\Q", false);
  Show.AddAll("C:\\R");
  Tick();
  EXPECT_EQ(Show.Pictures().ToVector(),
            (std::vector<std::string>{"C:\\Q\\q00000.jpg", "C:\\Q\\q00001.jpg", "C:\\R\\r00000.jpg"}));
  EXPECT_EQ(View.Errors.size(), 1u);
}

// Regression: a file that could not be deleted left the list all the same, without a word,
// and the slideshow went on as if it were gone.
TEST_F(Slideshow, AFileThatCannotBeDeletedKeepsItsEntryAndSaysWhy) {
  const std::string why = "C:\\P\\p00001.jpg stays: Access is denied";
  for (const bool recovery : {false, true}) {
    TRig rig(4, recovery ? 0 : 1);
    TRecordingView& view = rig.View;
    TFakeDesktop& desktop = rig.Desktop;
    desktop.DeleteRefusals[Pic(1)] = why;
    if (recovery) {
      rig.Show.SetSettings({.Sound = true});
      desktop.Results[Pic(1)] = TLoadResult::Damaged;
      view.Answers = {false, true};
      rig.Show.Next();
    } else {
      view.Answers = {true};
      rig.Show.DeleteCurrent();
    }
    EXPECT_EQ(view.Errors, std::vector<std::string>{why}) << recovery;
    EXPECT_EQ(rig.Show.Count(), 4) << recovery;
    EXPECT_EQ(view.Mirror, rig.Show.Pictures().ToVector()) << recovery;
    // Ctrl+D changes nothing; the recovery goes on to the next picture as after Cancel.
    EXPECT_EQ(rig.Show.CurrentIndex(), recovery ? 2 : 1);
    EXPECT_EQ(desktop.Applied, recovery ? std::vector<std::string>{Pic(2)} : std::vector<std::string>{});
  }
}

// Regression: a recovery that gave up left the period run out, so the timer went round the
// failing pictures again on every tick.
TEST_F(Slideshow, ARecoveryThatGivesUpWaitsAFullPeriodBeforeTheNextTry) {
  Build(2);
  Show.SetSettings({false, true, false, 3, TPeriodUnit::Seconds});  // Sound, 3 seconds
  for (int i = 0; i < 2; ++i) Desktop.Results[Pic(i)] = TLoadResult::Unreadable;
  EXPECT_EQ(Ticks(4), 1);
  EXPECT_EQ(Desktop.Log.size(), 2u) << "one round of the list";
  EXPECT_EQ(View.Beeps.size(), 1u) << "one beep for the chain";
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(Ticks(3), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(View.Beeps.size(), 2u);
}

TEST_F(Slideshow, ADamagedPictureWithSoundAsksToViewThenToDelete) {
  Build(3);
  Show.SetSettings({.Sound = true});
  Desktop.Results[Pic(1)] = TLoadResult::Damaged;
  View.Answers = {true, true};
  Show.Next();
  ASSERT_EQ(View.Questions.size(), 2u);
  EXPECT_EQ(View.Questions[0], "File " + Pic(1) + " appears to be damadged. Do you want to veiw or edit it?");
  EXPECT_EQ(View.Questions[1], "File " + Pic(1) + " appears to be damadged. Do you want to delete it?");
  EXPECT_EQ(Desktop.Opened, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(Desktop.Deleted, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(View.Defaults, (std::vector<TDefaultAnswer>{TDefaultAnswer::Ok, TDefaultAnswer::Cancel}))
      << "Enter keeps the file";
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(2)}) << "applied once, not twice";
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  2(2)");
  EXPECT_EQ(std::count(View.Beeps.begin(), View.Beeps.end(), FailureBeepHz), 1);

  // Cancelled twice: the file stays, the next picture is applied.
  Desktop.Results[Pic(0)] = TLoadResult::Damaged;
  Show.Next();
  EXPECT_EQ(View.Questions.size(), 4u);
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(Desktop.Applied.back(), Pic(2));
}

TEST_F(Slideshow, ADamagedPictureWithoutSoundBeepsAndGoesOn) {
  Build(3);
  Desktop.Results[Pic(1)] = TLoadResult::Damaged;
  Show.Next();
  EXPECT_TRUE(View.Questions.empty());
  EXPECT_EQ(View.Beeps, std::vector<unsigned>{FailureBeepHz});
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(2)});
}

// Regression: a file held open by another program, or of a kind not decoded here, went down
// the damaged-file path, and with Sound one OK deleted a good picture.
TEST_F(Slideshow, APictureThatCannotBeReadIsSkippedWithoutQuestions) {
  for (TLoadResult failure : {TLoadResult::Unreadable, TLoadResult::Unsupported}) {
    for (bool sound : {false, true}) {
      TRig rig(3);
      rig.Show.SetSettings({.Sound = sound});
      rig.View.Answers = {true, true};
      rig.Desktop.Results[Pic(1)] = failure;
      rig.Show.Next();
      EXPECT_TRUE(rig.View.Questions.empty());
      EXPECT_TRUE(rig.Desktop.Deleted.empty());
      EXPECT_EQ(std::count(rig.View.Beeps.begin(), rig.View.Beeps.end(), FailureBeepHz), sound ? 1 : 0);
      EXPECT_EQ(rig.Desktop.Applied, std::vector<std::string>{Pic(2)});
    }
  }
}

// Regression: every failure went one call deeper, until a large archive of unreadable
// pictures exhausted the stack; a list of nothing but failures never stopped; and a folder
// gone from the network was tried entry by entry in one go, with a beep for each.
TEST_F(Slideshow, ALongRunOfFailuresGoesOnInBoundedStepsAndStopsAfterOneRound) {
  Build(20000);
  Show.SetSettings({.Sound = true});
  for (int i = 0; i < 20000; ++i) Desktop.Results[Pic(i)] = TLoadResult::Unreadable;
  Show.Next();
  EXPECT_EQ(Desktop.Log.size(), static_cast<std::size_t>(RecoveryChainEntries)) << "one step, then the next tick";
  int ticks = 0;
  while (Desktop.Log.size() < 20000u && ticks < 1000) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 20000 / RecoveryChainEntries - 1);
  Ticks(5);
  EXPECT_EQ(Desktop.Log.size(), 20000u) << "after a round of the list the chain stops";
  EXPECT_TRUE(Desktop.Applied.empty());
  EXPECT_EQ(View.Beeps.size(), 1u) << "one beep for the whole chain";

  // The next command tries the list again, and a picture that loads now ends the chain.
  Desktop.Results.erase(Pic(5));
  Show.Next();
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(5)});
  // A step also ends once it has taken RecoveryChainMs, read by the clock.
  Desktop.Log.clear();
  Desktop.Loading = [this] { Clock.Now += RecoveryChainMs / 4; };
  Show.Next();
  EXPECT_EQ(Desktop.Log.size(), 5u);
  Desktop.Loading = nullptr;
}

TEST_F(Slideshow, DeletionsDuringRecoveryKeepTheListConsistent) {
  Build(4);
  Show.SetSettings({.Sound = true});
  for (int i = 1; i < 4; ++i) Desktop.Results[Pic(i)] = TLoadResult::Damaged;
  // Keep nothing to view, delete each damaged picture in turn.
  View.Answers = {false, true, false, true, false, true};
  Show.Next();
  EXPECT_EQ(Desktop.Deleted, (std::vector<std::string>{Pic(1), Pic(2), Pic(3)}));
  EXPECT_EQ(Show.Pictures().ToVector(), std::vector<std::string>{Pic(0)});
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(Show.CurrentIndex(), 0);
  EXPECT_EQ(Desktop.Applied, std::vector<std::string>{Pic(0)});
}

// Regression: every picture was listed, decoded and written on the window's thread, which
// answered nothing meanwhile. Now the newest command replaces the work in flight, a result
// for a replaced one is dropped, and a read that stalls is passed over.
TEST_F(Slideshow, WorkInFlightIsReplacedByTheNewestAndAStalledReadIsPassedOver) {
  Build(5);
  Show.SetSettings({.Once = true, .Period = 1, .Unit = TPeriodUnit::Seconds});
  Runner.Held = true;
  for (int press = 0; press < 3; ++press) Show.Next();  // before the first decode is back
  Clock.Now += 5000;
  EXPECT_EQ(Show.Tick(), TTickResult::None) << "Once quits only after the change in flight";
  Runner.Settle();
  EXPECT_EQ(Desktop.Log, (std::vector<std::string>{"load " + Pic(3), "apply " + Pic(3)})) << "nothing twice";
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  4(5)");

  Show.SetSettings({});
  Show.Next();  // Pic(4), whose read hangs
  Clock.Now += StallLimitMs - 2000;
  Tick();
  EXPECT_EQ(Runner.Abandoned, 0);
  Tick();
  EXPECT_EQ(Runner.Abandoned, 1);
  EXPECT_EQ(Show.CurrentIndex(), 0) << "passed over like a picture that cannot be read";
  Runner.Settle();
  EXPECT_EQ(Desktop.Applied.back(), Pic(0));
}

TEST_F(Slideshow, AListingRunsUnderTheHourglassAndANextDuringItFollowsIt) {
  Lister.AddPictures(Folder, 3);
  Runner.Held = true;
  Show.Rebuild(Folder, false);
  EXPECT_TRUE(View.Busy);
  Show.Next();                  // "Change on startup", while the list is being made
  Show.Rebuild(Folder, false);  // replaces the listing in flight
  Runner.Settle();
  EXPECT_FALSE(View.Busy);
  EXPECT_EQ(Show.Count(), 3);
  EXPECT_EQ(Desktop.Log, (std::vector<std::string>{"load " + Pic(1), "apply " + Pic(1)}));
}

TEST_F(Slideshow, AFailedWriteStillEndsTheChangeAndRestartsThePeriod) {
  Build(2);
  Ticks(30);
  Desktop.ApplyThrows = true;
  Show.Next();
  EXPECT_EQ(View.Errors, std::vector<std::string>{"Cannot create file"});
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(View.Finished, 1);
}

TEST_F(Slideshow, TheTimerSwitchesOneTickAfterThePeriod) {
  Build(3);
  Show.SetSettings({false, false, false, 1, TPeriodUnit::Seconds});  // 1 second
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(Ticks(6), 3) << "a change every two seconds";

  Show.SetSettings({false, false, false, 5, TPeriodUnit::Minutes});  // 5 minutes
  Show.Clear();
  EXPECT_EQ(Desktop.Clears, 1);
  EXPECT_EQ(View.OnDesktop, "");
  EXPECT_EQ(Show.SecondsToChange(), 300);
  EXPECT_EQ(Ticks(300), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(Show.SecondsToChange(), 300);

  // Switching to seconds with more seconds elapsed than the new period: the next tick changes.
  Ticks(100);
  Show.SetSettings({false, false, false, 20, TPeriodUnit::Seconds});
  EXPECT_EQ(Ticks(1), 1);
}

TEST_F(Slideshow, PeriodZeroAndAnEmptyListSwitchNothing) {
  Show.SetSettings({false, false, true, 0, TPeriodUnit::Seconds});
  Lister.Folders[Folder];
  Show.Rebuild(Folder, false);
  Show.SetSettings({false, false, true, 1, TPeriodUnit::Seconds});
  EXPECT_EQ(Ticks(10), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  // The list gets pictures with the period long run out: the next tick switches... or ends.
  Lister.AddPictures(Folder, 2);
  Show.Rebuild(Folder, false);
  Show.SetSettings({false, false, true, 0, TPeriodUnit::Seconds});
  EXPECT_EQ(Ticks(100), 0) << "period 0 never ends the program, even with Once";
  EXPECT_EQ(Show.SecondsToChange(), std::nullopt);
  Show.SetSettings({false, false, true, 1, TPeriodUnit::Seconds});
  EXPECT_EQ(Tick(), TTickResult::Quit);
}

// Regression: Once moved to the next picture before saving, so every start skipped one.
TEST_F(Slideshow, OnceKeepsThePictureOnTheDesktop) {
  Build(5);
  Show.SetSettings({false, false, true, 1, TPeriodUnit::Seconds});
  Show.Next();   // the change at start-up: picture 1 on the desktop
  Show.Pick(3);  // a pick only previews
  Show.Clear();
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_EQ(Show.CurrentIndex(), 1);

  // Nothing changed this run: the picture the settings named stays.
  TRig rig(5, 2);
  rig.Show.SetSettings({false, false, true, 1, TPeriodUnit::Seconds});
  rig.Show.Pick(4);
  rig.Tick();
  EXPECT_EQ(rig.Tick(), TTickResult::Quit);
  EXPECT_EQ(rig.Show.CurrentIndex(), 2);
}

TEST_F(Slideshow, ARecoveryThatStoppedLeavesTheDesktopPictureForOnce) {
  Build(3);
  Show.SetSettings({false, false, true, 1, TPeriodUnit::Seconds});
  Show.Next();  // picture 1
  for (int i = 0; i < 3; ++i) Desktop.Results[Pic(i)] = TLoadResult::Unreadable;
  Show.Next();
  EXPECT_EQ(Desktop.Applied.size(), 1u);
  Tick();
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_EQ(Show.CurrentIndex(), 1);
}

// The period is real time: a machine that slept through one change, or many, makes exactly
// one on waking, and the countdown shows the time really left.
TEST_F(Slideshow, SleepAcrossPeriodsGivesOneChangeOnWaking) {
  struct TCase {
    double Period;
    TPeriodUnit Unit;
    std::uint64_t SleepMs;
  };
  const TCase cases[] = {
      {5, TPeriodUnit::Minutes, 301'000},                // just past one period
      {5, TPeriodUnit::Minutes, 3 * 3600'000},           // across 36 periods
      {5, TPeriodUnit::Seconds, 6'000},                  // seconds mode, one period
      {1000, TPeriodUnit::Minutes, 40ull * 86'400'000},  // longer than the longest period, for weeks
      {1000, TPeriodUnit::Days, 1001ull * 86'400'000},   // the longest period of all
  };
  Build(4);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.SleepMs);
    Show.SetSettings({false, false, false, c.Period, c.Unit});
    Show.Clear();
    Clock.Now += c.SleepMs;  // asleep: no tick at all
    const std::size_t before = Desktop.Applied.size();
    EXPECT_EQ(Tick(), TTickResult::Switched);
    EXPECT_EQ(Ticks(5), 0) << "the periods slept through are not made up one by one";
    EXPECT_EQ(Desktop.Applied.size(), before + 1);
    EXPECT_EQ(Show.SecondsToChange(), static_cast<std::int64_t>(c.Period * UnitSeconds(c.Unit)) - 5);
  }
  // Asleep for part of a period: the countdown counts the time asleep.
  Show.SetSettings({false, false, false, 5, TPeriodUnit::Minutes});
  Show.Clear();
  Clock.Now += 120'000;
  EXPECT_EQ(Show.CountdownText(), "3 m 0 s");
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Show.SecondsToChange(), 179);
}

// Regression: timer messages that come a little early must not put the change a tick later.
TEST_F(Slideshow, TicksThatComeEarlyOrLateKeepTheChangeOnItsTick) {
  Build(3);
  Show.SetSettings({false, false, false, 5, TPeriodUnit::Seconds});
  Show.Clear();
  std::vector<int> switches;
  for (int tick = 1; tick <= 18; ++tick) {
    Clock.Now += tick % 2 ? 985 : 1000;  // the sixth tick comes 45 ms short of six seconds
    if (Show.Tick() == TTickResult::Switched) switches.push_back(tick);
  }
  EXPECT_EQ(switches, (std::vector<int>{6, 12, 18}));
}

// What holds a due automatic change back, and what lets it go: once released, one change.
TEST_F(Slideshow, AHeldChangeWaitsAndFollowsOnceOnRelease) {
  struct TCase {
    const char* Name;
    std::function<void(TSlideshow&, TFakeDesktop&, bool)> Hold;  // true: hold, false: release
    bool ChecksFullScreen;                                         // the check runs while held
  };
  const TCase cases[] = {
      {"locked", [](TSlideshow& s, TFakeDesktop&, bool on) { s.SessionLocked(on); }, false},
      {"disconnected", [](TSlideshow& s, TFakeDesktop&, bool on) { s.SessionDisconnected(on); }, false},
      {"asleep", [](TSlideshow& s, TFakeDesktop&, bool on) { on ? s.Sleeping() : s.DesktopBack(); }, false},
      {"full screen", [](TSlideshow&, TFakeDesktop& d, bool on) { d.FullScreen = on; }, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRig rig(4);
    rig.Show.SetSettings({false, false, false, 2, TPeriodUnit::Seconds});
    rig.Show.RestartPeriod();
    c.Hold(rig.Show, rig.Desktop, true);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_EQ(rig.Desktop.FullScreenChecks, 0) << "no check before a change is due";
    for (int i = 0; i < 2; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_TRUE(rig.Desktop.Applied.empty());
    EXPECT_EQ(rig.Desktop.FullScreenChecks, c.ChecksFullScreen ? 2 : 0) << "once per due tick";
    EXPECT_EQ(rig.Show.WaitsForFullScreen(), c.ChecksFullScreen);
    EXPECT_EQ(rig.Show.CountdownText(), c.ChecksFullScreen ? "waiting: full screen" : "0 m 0 s");

    // The user's own commands act at once.
    rig.Show.Next();
    EXPECT_EQ(rig.Desktop.Applied, std::vector<std::string>{Pic(1)});
    EXPECT_EQ(rig.Show.CountdownText(), "0 m 2 s");
    for (int i = 0; i < 4; ++i) rig.Tick();

    c.Hold(rig.Show, rig.Desktop, false);
    EXPECT_EQ(rig.Tick(), TTickResult::Switched);
    EXPECT_EQ(rig.Desktop.Applied, (std::vector<std::string>{Pic(1), Pic(2)}));
    EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_EQ(rig.Show.CountdownText(), "0 m 1 s");
  }
}

// Regression: a longer period left the countdown saying a change waited for full screen.
TEST_F(Slideshow, TheFullScreenWaitEndsWhenNothingIsDueAnyMore) {
  Build(3);
  Show.SetSettings({false, false, false, 2, TPeriodUnit::Seconds});
  Desktop.FullScreen = true;
  Ticks(3);
  EXPECT_EQ(Show.CountdownText(), "waiting: full screen");
  Show.SetSettings({false, false, false, 10, TPeriodUnit::Seconds});
  Ticks(1);
  EXPECT_EQ(Show.CountdownText(), "0 m 6 s");
}

// Regression: a shell saying "busy" for good held every change for good; now one extra period at most.
TEST_F(Slideshow, AFullScreenProgramHoldsADueChangeOneExtraPeriodAtMost) {
  Build(3);
  Show.SetSettings({false, false, false, 3, TPeriodUnit::Seconds});
  Desktop.FullScreen = true;
  EXPECT_EQ(Ticks(6), 0);
  EXPECT_EQ(Show.CountdownText(), "waiting: full screen");
  EXPECT_EQ(Tick(), TTickResult::Switched);
  EXPECT_EQ(Desktop.FullScreenChecks, 3) << "the due ticks of the extra period";
}

TEST_F(Slideshow, ALockedAndDisconnectedSessionWaitsForBoth) {
  Build(3);
  Show.SetSettings({false, false, false, 1, TPeriodUnit::Seconds});
  Show.SessionLocked(true);
  Show.SessionDisconnected(true);
  Show.SessionLocked(false);  // unlocked at the console, the remote connection still gone
  EXPECT_EQ(Ticks(5), 0);
  Show.SessionDisconnected(false);
  EXPECT_EQ(Ticks(1), 1);
}

// Period 0 and Once act as they always did, whatever holds and however long the sleep.
TEST_F(Slideshow, PeriodZeroAndOnceAreUnchangedByTheClock) {
  Build(3);
  Show.SetSettings({false, false, true, 0, TPeriodUnit::Minutes});
  Clock.Now += 30ull * 86'400'000;
  EXPECT_EQ(Ticks(3), 0);
  EXPECT_EQ(Desktop.FullScreenChecks, 0);
  EXPECT_EQ(Show.CountdownText(), std::nullopt);
  // Once ends the program at the switching moment: that changes nothing on the screen.
  Show.SetSettings({false, false, true, 1, TPeriodUnit::Minutes});
  Desktop.FullScreen = true;
  Show.SessionLocked(true);
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_TRUE(Desktop.Applied.empty());
}

}  // namespace
}  // namespace tarvell
