// The slideshow model against a recording view and an in-memory folder tree: every command,
// the recovery from pictures that fail, questions and the timer, without a window.
#include "base/DirectoryLister.h"
#include "slideshow/Slideshow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

namespace tarvell {
namespace {

// Folders as maps of name to entry; paths use backslashes as the program's lists do.
class TFakeLister : public TDirectoryLister {
public:
  std::map<std::string, std::vector<TDirEntry>> Folders;
  std::map<std::string, int> Errors;
  bool Throws = false;  // listing fails as when memory runs out

  void AddPictures(const std::string& folder, int count, const std::string& prefix = "p") {
    auto& entries = Folders[folder];
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%s%05d.jpg", prefix.c_str(), i);
      entries.push_back(TDirEntry{name});
    }
  }

  char Separator() const override { return '\\'; }
  int List(const std::string& folder, std::vector<TDirEntry>& entries) override {
    if (Throws) throw std::bad_alloc();
    if (auto e = Errors.find(folder); e != Errors.end()) return e->second;
    auto found = Folders.find(folder);
    if (found == Folders.end()) return 3;  // the path was not found
    entries = found->second;
    return 0;
  }
  std::optional<TFolderId> Identify(const std::string&) override { return std::nullopt; }
};

// Real time as the test makes it pass, sleep included.
class TFakeClock : public IClock {
public:
  std::uint64_t Now = 1'000'000;
  std::uint64_t Milliseconds() const override { return Now; }
};

class TRecordingView : public ISlideshowView {
public:
  TSlideshowSettings Current{};
  bool FullScreen = false;  // what the full-screen check answers
  int FullScreenChecks = 0;
  std::map<std::string, TLoadResult> Results;  // missing: the picture loads
  std::vector<bool> Answers;                   // answers to the questions, in order; then Cancel
  std::function<void()> WhileAsking;           // runs while a question is open
  // Why a file stays, for each file that cannot be deleted.
  std::map<std::string, std::string> DeleteRefusals;
  bool ApplyThrows = false;
  int OpenQuestions = 0;
  TSize Screen{1920, 1080};  // what the desktop measures now
  bool OursOnDesktop = true;  // false: the user has set a wallpaper of their own since
  int Monitors = 1;
  std::vector<std::vector<std::string>> Rounds;  // the pictures of each application to several monitors

  std::vector<std::string> Log;
  std::vector<std::string> Questions;
  std::vector<TDefaultAnswer> Defaults;  // the answer Enter gives to each question
  std::vector<std::string> Applied;      // the preview's picture at each application
  std::vector<std::string> Deleted;
  std::vector<std::string> Errors;  // messages shown in an error box
  std::vector<std::string> Opened;
  std::vector<unsigned> Beeps;
  std::string Caption;
  std::string Preview;
  int Clears = 0;
  int Finished = 0;
  int Selected = -1;
  std::vector<std::string> Mirror;  // what the list box shows

  const TSlideshow* Model = nullptr;

  TSlideshowSettings Settings() const override { return Current; }
  bool QuestionOpen() const override { return OpenQuestions > 0; }
  bool FullScreenBusy() override {
    ++FullScreenChecks;
    return FullScreen;
  }
  TSize DesktopSize() override { return Screen; }
  bool DesktopShowsOurWallpaper() override { return OursOnDesktop; }
  void ShowCaption(const std::string& caption) override { Caption = caption; }
  TLoadResult ShowPicture(const std::string& path) override {
    Log.push_back("show " + path);
    const auto found = Results.find(path);
    const TLoadResult result = found == Results.end() ? TLoadResult::Shown : found->second;
    if (result == TLoadResult::Shown) Preview = path;
    return result;
  }
  void ApplyPreview() override {
    if (ApplyThrows) throw std::runtime_error("Cannot create file");
    Log.push_back("apply " + Preview);
    Applied.push_back(Preview);
  }
  void ClearWallpaper() override { ++Clears; }
  int MonitorCount() override { return Monitors; }
  void ApplyMonitorPictures(const std::vector<std::string>& paths) override {
    if (ApplyThrows) throw std::runtime_error("Cannot create file");
    Log.push_back("apply " + std::to_string(paths.size()) + " monitors");
    Rounds.push_back(paths);
  }
  void ChangeFinished() noexcept override { ++Finished; }
  bool Ask(const std::string& text, const std::string&, TDefaultAnswer byDefault) override {
    Questions.push_back(text);
    Defaults.push_back(byDefault);
    ++OpenQuestions;
    if (WhileAsking) {
      auto during = std::move(WhileAsking);  // once
      during();
    }
    --OpenQuestions;
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.erase(Answers.begin());
    return answer;
  }
  void Beep(unsigned frequency, unsigned) override { Beeps.push_back(frequency); }
  std::optional<std::string> DeletePictureFile(const std::string& path) override {
    if (const auto refused = DeleteRefusals.find(path); refused != DeleteRefusals.end()) return refused->second;
    Deleted.push_back(path);
    return std::nullopt;
  }
  void ShowError(const std::string& message) override { Errors.push_back(message); }
  void OpenPictureFile(const std::string& path) override { Opened.push_back(path); }
  void ListChanged() override { Mirror = Model->Pictures().ToVector(); }
  void EntryRemoved(std::int32_t index) override { Mirror.erase(Mirror.begin() + index); }
  void SelectionChanged(std::int32_t index) override { Selected = index; }
};

constexpr const char Folder[] = "C:\\P";

std::string Pic(int i) {
  char name[40];
  std::snprintf(name, sizeof name, "C:\\P\\p%05d.jpg", i);
  return name;
}

// A slideshow over one folder of `count` pictures, built and showing picture `current`.
struct TRig {
  TFakeLister Lister;
  TRecordingView View;
  TFakeClock Clock;
  TSlideshow Show{View, Lister, Clock, "T", 1};

  // One timer tick, a second after the last.
  TTickResult Tick() {
    Clock.Now += 1000;
    return Show.Tick();
  }

  explicit TRig(int count, int current = 0) {
    View.Model = &Show;
    Lister.AddPictures(Folder, count);
    Show.SetCurrentIndex(current);
    Show.Rebuild(Folder, false);
  }
};

class Slideshow : public ::testing::Test {
protected:
  TFakeLister Lister;
  TRecordingView View;
  TFakeClock Clock;
  TSlideshow Show{View, Lister, Clock, "Tarvell ver. 2.1", 42};

  Slideshow() { View.Model = &Show; }

  void Build(int count) {
    Lister.AddPictures(Folder, count);
    ASSERT_EQ(Show.Rebuild(Folder, false), 0);
    View.Log.clear();
    View.Applied.clear();
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
  ASSERT_EQ(Show.Rebuild(Folder, false), 0);
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
  EXPECT_EQ(Show.Rebuild(Folder, false), 0);
  EXPECT_EQ(Show.CurrentIndex(), 2);
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(View.Selected, 2);
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  3(3)");
  EXPECT_EQ(View.Preview, Pic(2));
  EXPECT_TRUE(View.Applied.empty()) << "a rebuild shows, it does not apply";

  // A folder without pictures leaves the position, the caption and the preview alone.
  Lister.Folders["C:\\Empty"];
  EXPECT_EQ(Show.Rebuild("C:\\Empty", false), 0);
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
  EXPECT_TRUE(View.Applied.empty());
  EXPECT_TRUE(View.Opened.empty());
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
    ASSERT_EQ(Show.Rebuild("C:\\Lib", true), 0);
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
  EXPECT_EQ(View.Applied.back(), expected.front());
  Show.Pick(50000);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(View.Deleted, std::vector<std::string>{expected[50000]});
  EXPECT_EQ(Show.Count(), 99999);
  EXPECT_EQ(Show.CurrentIndex(), 50000);
  EXPECT_EQ(View.Applied.back(), expected[50001]);
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
}

TEST_F(Slideshow, AFolderThatCannotBeReadIsSkippedAndReported) {
  Lister.AddPictures(Folder, 2);
  Lister.Folders[Folder].push_back(TDirEntry{"locked", true});
  Lister.Folders[Folder].push_back(TDirEntry{"open", true});
  Lister.Errors["C:\\P\\locked"] = 5;
  Lister.AddPictures("C:\\P\\open", 1, "o");
  EXPECT_EQ(Show.Rebuild(Folder, true), 5);
  EXPECT_EQ(Show.Count(), 3) << "the readable folders stay in the list";
  EXPECT_EQ(Show.Pictures().ToVector().back(), "C:\\P\\open\\o00000.jpg");
}

TEST_F(Slideshow, AddAllAppendsAndKeepsTheIndexInside) {
  Show.SetCurrentIndex(9);
  Lister.AddPictures("C:\\Q", 2, "q");
  EXPECT_EQ(Show.AddAll("C:\\Q"), 0);
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(View.Mirror.size(), 2u);
  // Regression: an index beyond a list that AddAll had filled named no entry.
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(View.Deleted, std::vector<std::string>{"C:\\Q\\q00001.jpg"});
}

TEST_F(Slideshow, NextGoesInListOrderAroundAndApplies) {
  Build(3);
  View.Current.Sound = true;
  Tick();
  for (int i = 0; i < 4; ++i) Show.Next();
  EXPECT_EQ(View.Applied, (std::vector<std::string>{Pic(1), Pic(2), Pic(0), Pic(1)}));
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  2(3)");
  EXPECT_EQ(View.Selected, 1);
  EXPECT_EQ(std::count(View.Beeps.begin(), View.Beeps.end(), ChangeTickHz), 4);
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(View.Finished, 4) << "each change lets a hidden window release the picture";
}

TEST_F(Slideshow, RandomDealsEveryPictureOncePerRound) {
  Build(5);
  View.Current.Random = true;
  std::vector<std::string> seen;
  for (int i = 0; i < 4; ++i) {
    Show.Next();
    seen.push_back(View.Applied.back());
  }
  seen.push_back(Pic(0));  // shown at the rebuild: counts as dealt
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
}

TEST_F(Slideshow, PickShowsAndDoubleClickApplies) {
  Build(4);
  Show.Pick(3);
  EXPECT_EQ(View.Preview, Pic(3));
  EXPECT_TRUE(View.Applied.empty());
  Show.PickAndApply(3);
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(3)});
  Show.Pick(4);  // outside the list
  EXPECT_EQ(Show.CurrentIndex(), 3);
  Show.OpenCurrent();
  EXPECT_EQ(View.Opened, std::vector<std::string>{Pic(3)});
}

TEST_F(Slideshow, DeleteRemovesTheNamedEntryAndAppliesTheFollowingOne) {
  Build(4);
  Show.Pick(1);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(View.Deleted, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(Show.Count(), 3);
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(2)});

  // The last entry: the new last one follows.
  Show.Pick(2);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Show.CurrentIndex(), 1);
  EXPECT_EQ(View.Applied.back(), Pic(2));

  // Cancel changes nothing; Enter answers Cancel, so it keeps the file.
  Show.DeleteCurrent();
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(View.Deleted.size(), 2u);
  EXPECT_EQ(View.Defaults, std::vector<TDefaultAnswer>(3, TDefaultAnswer::Cancel));
}

TEST_F(Slideshow, DeletingTheOnlyPictureLeavesAnEmptyListAndReappliesThePreview) {
  Build(1);
  View.Answers = {true};
  Show.DeleteCurrent();
  EXPECT_EQ(Show.Count(), 0);
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  0(0)");
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(0)});
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
    TSlideshow& show = rig.Show;
    TRecordingView& view = rig.View;
    view.Answers = {true};
    view.WhileAsking = [&] { show.SetCurrentIndex(c.PickedDuring); };
    show.DeleteCurrent();
    EXPECT_EQ(view.Deleted, std::vector<std::string>{Pic(c.NamedAt)});
    EXPECT_EQ(show.CurrentIndex(), c.CurrentAfter);
    EXPECT_EQ(view.Applied.back(), c.AppliedAfter);
    EXPECT_EQ(view.Mirror, show.Pictures().ToVector());
  }
}

// Regression: Ctrl+Z, Ctrl+A, a second Ctrl+D and the timer all acted under an open question,
// so the answer could land on another picture than the one named.
TEST_F(Slideshow, CommandsWaitWhileAQuestionIsOpen) {
  Build(4);
  View.Current = {false, false, false, 1, true};
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
  EXPECT_EQ(View.Clears, 0);
  EXPECT_EQ(View.Deleted, std::vector<std::string>{Pic(0)});
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(1)}) << "only the deletion's own change";
  // The overdue change follows once the question has been answered.
  Show.Next();
  EXPECT_EQ(View.Applied.size(), 2u);
}

// Regression: a list click or a tray double click while the damaged-picture question was open
// changed the current picture, and the delete question then named, and deleted, a healthy one.
TEST_F(Slideshow, PicksAndShowsWaitWhileADamagedPictureQuestionIsOpen) {
  const std::pair<const char*, std::function<void(TSlideshow&)>> commands[] = {
      {"pick", [](TSlideshow& show) { show.Pick(3); }},
      {"pick and apply", [](TSlideshow& show) { show.PickAndApply(3); }},
      {"show current", [](TSlideshow& show) { EXPECT_FALSE(show.ShowCurrent()); }},
  };
  for (const auto& [name, command] : commands) {
    const std::string what = name;
    const std::function<void(TSlideshow&)> run = command;
    TRig rig(4);
    TRecordingView& view = rig.View;
    view.Current.Sound = true;
    view.Results[Pic(1)] = TLoadResult::Damaged;
    view.Answers = {false, true};
    view.WhileAsking = [&] {
      view.Log.clear();
      run(rig.Show);
      EXPECT_TRUE(view.Log.empty()) << what;
      EXPECT_EQ(view.Selected, 1) << what << ": the list's selection stays on the picture asked about";
    };
    rig.Show.Next();
    ASSERT_EQ(view.Questions.size(), 2u) << what;
    EXPECT_EQ(view.Questions[1], "File " + Pic(1) + " appears to be damadged. Do you want to delete it?") << what;
    EXPECT_EQ(view.Deleted, std::vector<std::string>{Pic(1)}) << what;
    EXPECT_EQ(view.Applied, std::vector<std::string>{Pic(2)}) << what;
  }
}

// Should another picture have become current while the first question was open, the damaged
// file is not offered for deletion, and no other file is named in its place.
TEST_F(Slideshow, TheDamagedFileIsOfferedForDeletionOnlyWhileItIsCurrent) {
  Build(4);
  View.Current.Sound = true;
  View.Results[Pic(1)] = TLoadResult::Damaged;
  View.Answers = {false, true};
  View.WhileAsking = [&] { Show.SetCurrentIndex(3); };
  Show.Next();
  EXPECT_EQ(View.Questions.size(), 1u);
  EXPECT_TRUE(View.Deleted.empty());
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
    EXPECT_EQ(Show.Rebuild("C:\\Bad", false), 0);
    EXPECT_EQ(Show.Rebuild("C:\\Q", false), 0);  // replaces the one before
    EXPECT_EQ(Show.AddAll("C:\\R"), 0);
    EXPECT_EQ(Show.Count(), 4) << "the list the question is about stands until the answer";
    EXPECT_TRUE(Show.ListRequestsPending());
  };
  Show.DeleteCurrent();
  EXPECT_EQ(View.Deleted, std::vector<std::string>{Pic(0)});
  EXPECT_FALSE(Show.ListRequestsPending());
  EXPECT_EQ(Show.Pictures().ToVector(),
            (std::vector<std::string>{"C:\\Q\\q00000.jpg", "C:\\Q\\q00001.jpg", "C:\\R\\r00000.jpg"}));
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(View.Preview, "C:\\Q\\q00000.jpg");
  EXPECT_TRUE(View.Errors.empty());

  View.OpenQuestions = 1;  // a box of the window's own
  EXPECT_EQ(Show.Rebuild("C:\\Bad", false), 0);
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
  EXPECT_EQ(Show.Rebuild("C:\\Q", false), 0);
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
    view.DeleteRefusals[Pic(1)] = why;
    if (recovery) {
      view.Current.Sound = true;
      view.Results[Pic(1)] = TLoadResult::Damaged;
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
    EXPECT_EQ(view.Applied, recovery ? std::vector<std::string>{Pic(2)} : std::vector<std::string>{});
  }
}

// Regression: a recovery that gave up left the period run out, so the timer went round the
// failing pictures again on every tick.
TEST_F(Slideshow, ARecoveryThatGivesUpWaitsAFullPeriodBeforeTheNextTry) {
  Build(2);
  View.Current = {false, true, false, 3, true};  // Sound, 3 seconds
  for (int i = 0; i < 2; ++i) View.Results[Pic(i)] = TLoadResult::Unreadable;
  EXPECT_EQ(Ticks(4), 1);
  EXPECT_EQ(View.Beeps.size(), 2u) << "one round of the list";
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(Ticks(3), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(View.Beeps.size(), 4u);
}

TEST_F(Slideshow, ADamagedPictureWithSoundAsksToViewThenToDelete) {
  Build(3);
  View.Current.Sound = true;
  View.Results[Pic(1)] = TLoadResult::Damaged;
  View.Answers = {true, true};
  Show.Next();
  ASSERT_EQ(View.Questions.size(), 2u);
  EXPECT_EQ(View.Questions[0], "File " + Pic(1) + " appears to be damadged. Do you want to veiw or edit it?");
  EXPECT_EQ(View.Questions[1], "File " + Pic(1) + " appears to be damadged. Do you want to delete it?");
  EXPECT_EQ(View.Opened, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(View.Deleted, std::vector<std::string>{Pic(1)});
  EXPECT_EQ(View.Defaults, (std::vector<TDefaultAnswer>{TDefaultAnswer::Ok, TDefaultAnswer::Cancel}))
      << "Enter keeps the file";
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(2)}) << "applied once, not twice";
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  2(2)");
  EXPECT_EQ(std::count(View.Beeps.begin(), View.Beeps.end(), FailureBeepHz), 1);

  // Cancelled twice: the file stays, the next picture is applied.
  View.Results[Pic(0)] = TLoadResult::Damaged;
  Show.Next();
  EXPECT_EQ(View.Questions.size(), 4u);
  EXPECT_EQ(Show.Count(), 2);
  EXPECT_EQ(View.Applied.back(), Pic(2));
}

TEST_F(Slideshow, ADamagedPictureWithoutSoundBeepsAndGoesOn) {
  Build(3);
  View.Results[Pic(1)] = TLoadResult::Damaged;
  Show.Next();
  EXPECT_TRUE(View.Questions.empty());
  EXPECT_EQ(View.Beeps, std::vector<unsigned>{FailureBeepHz});
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(2)});
}

// Regression: a file held open by another program, or of a kind not decoded here, went down
// the damaged-file path, and with Sound one OK deleted a good picture.
TEST_F(Slideshow, APictureThatCannotBeReadIsSkippedWithoutQuestions) {
  for (TLoadResult failure : {TLoadResult::Unreadable, TLoadResult::Unsupported}) {
    for (bool sound : {false, true}) {
      TRig rig(3);
      TSlideshow& show = rig.Show;
      TRecordingView& view = rig.View;
      view.Current.Sound = sound;
      view.Answers = {true, true};
      view.Results[Pic(1)] = failure;
      show.Next();
      EXPECT_TRUE(view.Questions.empty());
      EXPECT_TRUE(view.Deleted.empty());
      EXPECT_EQ(std::count(view.Beeps.begin(), view.Beeps.end(), FailureBeepHz), sound ? 1 : 0);
      EXPECT_EQ(view.Applied, std::vector<std::string>{Pic(2)});
    }
  }
}

// Regression: every failure went one call deeper, until a large archive of unreadable
// pictures exhausted the stack; and a list of nothing but failures never stopped.
TEST_F(Slideshow, ALongRunOfFailuresStopsAfterOneRoundAndKeepsTheWallpaper) {
  Build(20000);
  View.Current.Sound = true;
  for (int i = 0; i < 20000; ++i) View.Results[Pic(i)] = TLoadResult::Unreadable;
  Show.Next();
  EXPECT_TRUE(View.Applied.empty());
  EXPECT_EQ(View.Beeps.size(), 20000u);
  EXPECT_EQ(View.Finished, 1);
  // The next command tries the list again, and a picture that loads now ends the chain.
  View.Results.erase(Pic(5));
  Show.Next();
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(5)});
}

TEST_F(Slideshow, DeletionsDuringRecoveryKeepTheListConsistent) {
  Build(4);
  View.Current.Sound = true;
  for (int i = 1; i < 4; ++i) View.Results[Pic(i)] = TLoadResult::Damaged;
  // Keep nothing to view, delete each damaged picture in turn.
  View.Answers = {false, true, false, true, false, true};
  Show.Next();
  EXPECT_EQ(View.Deleted, (std::vector<std::string>{Pic(1), Pic(2), Pic(3)}));
  EXPECT_EQ(Show.Pictures().ToVector(), std::vector<std::string>{Pic(0)});
  EXPECT_EQ(View.Mirror, Show.Pictures().ToVector());
  EXPECT_EQ(Show.CurrentIndex(), 0);
  EXPECT_EQ(View.Applied, std::vector<std::string>{Pic(0)});
}

TEST_F(Slideshow, AFailedWriteStillEndsTheChangeAndRestartsThePeriod) {
  Build(2);
  Ticks(30);
  View.ApplyThrows = true;
  EXPECT_THROW(Show.Next(), std::runtime_error);
  EXPECT_EQ(Show.SecondsElapsed(), 0);
  EXPECT_EQ(View.Finished, 1);
}

TEST_F(Slideshow, TheTimerSwitchesOneTickAfterThePeriod) {
  Build(3);
  View.Current = {false, false, false, 1, true};  // 1 second
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(Ticks(6), 3) << "a change every two seconds";

  View.Current = {false, false, false, 5, false};  // 5 minutes
  Show.Clear();
  EXPECT_EQ(View.Clears, 1);
  EXPECT_EQ(Show.SecondsToChange(), 300);
  EXPECT_EQ(Ticks(300), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  EXPECT_EQ(Ticks(1), 1);
  EXPECT_EQ(Show.SecondsToChange(), 300);

  // Switching to seconds with more seconds elapsed than the new period: the next tick changes.
  Ticks(100);
  View.Current = {false, false, false, 20, true};
  EXPECT_EQ(Ticks(1), 1);
}

TEST_F(Slideshow, PeriodZeroAndAnEmptyListSwitchNothing) {
  View.Current = {false, false, true, 0, true};
  Lister.Folders[Folder];
  Show.Rebuild(Folder, false);
  View.Current.Period = 1;
  EXPECT_EQ(Ticks(10), 0);
  EXPECT_EQ(Show.SecondsToChange(), 0);
  // The list gets pictures with the period long run out: the next tick switches... or ends.
  Lister.AddPictures(Folder, 2);
  Show.Rebuild(Folder, false);
  View.Current.Period = 0;
  EXPECT_EQ(Ticks(100), 0) << "period 0 never ends the program, even with Once";
  EXPECT_EQ(Show.SecondsToChange(), std::nullopt);
  View.Current.Period = 1;
  EXPECT_EQ(Tick(), TTickResult::Quit);
}

// Regression: Once moved to the next picture before saving, so every start skipped one.
TEST_F(Slideshow, OnceKeepsThePictureOnTheDesktop) {
  Build(5);
  View.Current = {false, false, true, 1, true};
  Show.Next();   // the change at start-up: picture 1 on the desktop
  Show.Pick(3);  // a pick only previews
  Show.Clear();
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_EQ(Show.CurrentIndex(), 1);

  // Nothing changed this run: the picture the settings named stays.
  TRig rig(5, 2);
  TSlideshow& show = rig.Show;
  TRecordingView& view = rig.View;
  view.Current = {false, false, true, 1, true};
  show.Pick(4);
  rig.Tick();
  EXPECT_EQ(rig.Tick(), TTickResult::Quit);
  EXPECT_EQ(show.CurrentIndex(), 2);
}

TEST_F(Slideshow, ARecoveryThatStoppedLeavesTheDesktopPictureForOnce) {
  Build(3);
  View.Current = {false, false, true, 1, true};
  Show.Next();  // picture 1
  for (int i = 0; i < 3; ++i) View.Results[Pic(i)] = TLoadResult::Unreadable;
  Show.Next();
  EXPECT_EQ(View.Applied.size(), 1u);
  Tick();
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_EQ(Show.CurrentIndex(), 1);
}

}  // namespace
}  // namespace tarvell

namespace tarvell {
namespace {

// The period is real time: a machine that slept through one change, or many, makes exactly
// one on waking, and the countdown shows the time really left.
TEST_F(Slideshow, SleepAcrossPeriodsGivesOneChangeOnWaking) {
  struct TCase {
    double Period;
    bool SecondsMode;
    std::uint64_t SleepMs;
  };
  const TCase cases[] = {
      {5, false, 301'000},                // just past one period
      {5, false, 3 * 3600'000},           // across 36 periods
      {5, true, 6'000},                   // seconds mode, one period
      {1000, false, 40ull * 86'400'000},  // longer than the longest period, for weeks
  };
  Build(4);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.SleepMs);
    View.Current = {false, false, false, c.Period, c.SecondsMode};
    Show.Clear();
    Clock.Now += c.SleepMs;  // asleep: no tick at all
    const std::size_t before = View.Applied.size();
    EXPECT_EQ(Tick(), TTickResult::Switched);
    EXPECT_EQ(Ticks(5), 0) << "the periods slept through are not made up one by one";
    EXPECT_EQ(View.Applied.size(), before + 1);
    EXPECT_EQ(Show.SecondsToChange(), static_cast<std::int32_t>(c.Period * (c.SecondsMode ? 1 : 60)) - 5);
  }
  // Asleep for part of a period: the countdown counts the time asleep.
  View.Current = {false, false, false, 5, false};
  Show.Clear();
  Clock.Now += 120'000;
  EXPECT_EQ(Show.CountdownText(), "3 m 0 s");
  EXPECT_EQ(Ticks(1), 0);
  EXPECT_EQ(Show.SecondsToChange(), 179);
}

// Regression: timer messages that come a little early must not put the change a tick later.
TEST_F(Slideshow, TicksThatComeEarlyOrLateKeepTheChangeOnItsTick) {
  Build(3);
  View.Current = {false, false, false, 5, true};
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
    std::function<void(TSlideshow&, TRecordingView&, bool)> Hold;  // true: hold, false: release
    bool ChecksFullScreen;                                         // the check runs while held
  };
  const TCase cases[] = {
      {"locked", [](TSlideshow& s, TRecordingView&, bool on) { s.SessionLocked(on); }, false},
      {"disconnected", [](TSlideshow& s, TRecordingView&, bool on) { s.SessionDisconnected(on); }, false},
      {"asleep", [](TSlideshow& s, TRecordingView&, bool on) { on ? s.Sleeping() : s.DesktopBack(); }, false},
      {"full screen", [](TSlideshow&, TRecordingView& v, bool on) { v.FullScreen = on; }, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRig rig(4);
    rig.View.Current = {false, false, false, 2, true};
    rig.Show.RestartPeriod();
    c.Hold(rig.Show, rig.View, true);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_EQ(rig.View.FullScreenChecks, 0) << "no check before a change is due";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_TRUE(rig.View.Applied.empty());
    EXPECT_EQ(rig.View.FullScreenChecks, c.ChecksFullScreen ? 10 : 0) << "once per due tick";
    EXPECT_EQ(rig.Show.WaitsForFullScreen(), c.ChecksFullScreen);
    EXPECT_EQ(rig.Show.CountdownText(), c.ChecksFullScreen ? "waiting: full screen" : "0 m 0 s");

    // The user's own commands act at once.
    rig.Show.Next();
    EXPECT_EQ(rig.View.Applied, std::vector<std::string>{Pic(1)});
    EXPECT_EQ(rig.Show.CountdownText(), "0 m 2 s");
    for (int i = 0; i < 6; ++i) rig.Tick();

    c.Hold(rig.Show, rig.View, false);
    EXPECT_EQ(rig.Tick(), TTickResult::Switched);
    EXPECT_EQ(rig.View.Applied, (std::vector<std::string>{Pic(1), Pic(2)}));
    EXPECT_EQ(rig.Tick(), TTickResult::None);
    EXPECT_EQ(rig.Show.CountdownText(), "0 m 1 s");
  }
}

// Regression: a longer period left the countdown saying a change waited for full screen.
TEST_F(Slideshow, TheFullScreenWaitEndsWhenNothingIsDueAnyMore) {
  Build(3);
  View.Current = {false, false, false, 1, true};
  View.FullScreen = true;
  Ticks(3);
  EXPECT_EQ(Show.CountdownText(), "waiting: full screen");
  View.Current.Period = 10;
  Ticks(1);
  EXPECT_EQ(Show.CountdownText(), "0 m 6 s");
}

TEST_F(Slideshow, ALockedAndDisconnectedSessionWaitsForBoth) {
  Build(3);
  View.Current = {false, false, false, 1, true};
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
  View.Current = {false, false, true, 0, false};
  Clock.Now += 30ull * 86'400'000;
  EXPECT_EQ(Ticks(3), 0);
  EXPECT_EQ(View.FullScreenChecks, 0);
  EXPECT_EQ(Show.CountdownText(), std::nullopt);
  // Once ends the program at the switching moment: that changes nothing on the screen.
  View.Current.Period = 1;
  View.FullScreen = true;
  Show.SessionLocked(true);
  EXPECT_EQ(Tick(), TTickResult::Quit);
  EXPECT_TRUE(View.Applied.empty());
}

// Docking to a larger screen decodes the picture on the desktop again at once; a screen no
// larger in either direction shows the old decode as sharp, and is left alone.
TEST_F(Slideshow, ADisplayChangeReappliesThePictureOnlyForALargerScreen) {
  const struct {
    TSize now;
    bool reapplied;
  } cases[] = {{{3840, 2160}, true},  {{2560, 1080}, true}, {{1080, 1920}, true},
               {{1920, 1080}, false}, {{1280, 720}, false}, {{1920, 800}, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.now.Width << "x" << c.now.Height);
    TRig rig(3);
    rig.View.Current.Sound = true;
    rig.View.Current.Period = 1;
    rig.View.Screen = {1920, 1080};
    rig.Show.Next();
    rig.Clock.Now += 30'000;
    const std::int32_t elapsed = rig.Show.SecondsElapsed();
    rig.View.Log.clear();
    rig.View.Beeps.clear();
    const int finished = rig.View.Finished;
    rig.View.Screen = c.now;
    rig.Show.DisplayChanged();
    EXPECT_EQ(rig.View.Log, c.reapplied ? (std::vector<std::string>{"show " + Pic(1), "apply " + Pic(1)})
                                        : std::vector<std::string>{});
    EXPECT_EQ(rig.View.Finished, finished + (c.reapplied ? 1 : 0)) << "a hidden window lets go of the decode";
    EXPECT_EQ(rig.Show.CurrentIndex(), 1);
    EXPECT_EQ(rig.Show.SecondsElapsed(), elapsed) << "not a change: the period goes on";
    EXPECT_TRUE(rig.View.Beeps.empty());
    // The size it was decoded for is remembered: a second notice of the same screen does nothing.
    rig.View.Log.clear();
    rig.Show.DisplayChanged();
    EXPECT_TRUE(rig.View.Log.empty());
  }
}

// Only a wallpaper the program put there is decoded again, and the preview goes back to the
// picture the user picked; a question's answer may still change the desktop, so it waits.
TEST_F(Slideshow, ADisplayChangeActsOnTheDesktopPictureAndWaitsForQuestions) {
  TRig rig(3);
  rig.View.Screen = {3840, 2160};
  rig.Show.DisplayChanged();
  EXPECT_TRUE(rig.View.Applied.empty()) << "nothing applied yet";

  rig.View.Screen = {1920, 1080};
  rig.Show.Next();
  rig.Show.Pick(2);
  rig.View.Log.clear();
  rig.View.Screen = {3840, 2160};
  rig.Show.DisplayChanged();
  EXPECT_EQ(rig.View.Log, (std::vector<std::string>{"show " + Pic(1), "apply " + Pic(1), "show " + Pic(2)}));
  EXPECT_EQ(rig.View.Preview, Pic(2));
  EXPECT_EQ(rig.Show.CurrentIndex(), 2);

  rig.Show.Clear();
  rig.View.Screen = {5120, 2880};
  rig.View.Log.clear();
  rig.Show.DisplayChanged();
  EXPECT_TRUE(rig.View.Log.empty()) << "a cleared desktop has nothing to sharpen";

  rig.Show.Next();  // picture 0, for 5120 x 2880
  rig.View.Screen = {7680, 4320};
  rig.View.Log.clear();
  rig.View.OpenQuestions = 1;
  rig.Show.DisplayChanged();
  rig.Tick();
  EXPECT_TRUE(rig.View.Log.empty());
  rig.View.OpenQuestions = 0;
  rig.Tick();
  EXPECT_EQ(rig.View.Log, (std::vector<std::string>{"show " + Pic(0), "apply " + Pic(0)}));

  // A picture gone from the disk meanwhile leaves the wallpaper as it is, without questions.
  rig.View.Results[Pic(0)] = TLoadResult::Unreadable;
  rig.View.Screen = {9000, 5000};
  rig.View.Log.clear();
  rig.Show.DisplayChanged();
  EXPECT_EQ(rig.View.Log, std::vector<std::string>{"show " + Pic(0)});
  EXPECT_TRUE(rig.View.Questions.empty());
}

// Each monitor its own picture: every change gives each monitor the next picture of the
// list, none twice in a round; the current picture is the primary's.
TEST_F(Slideshow, EachMonitorTakesTheNextPictureOfTheList) {
  Build(7);
  View.Current.PerMonitor = true;
  View.Monitors = 3;
  const std::vector<std::vector<std::string>> expected = {
      {Pic(1), Pic(2), Pic(3)}, {Pic(4), Pic(5), Pic(6)}, {Pic(0), Pic(1), Pic(2)}};
  for (const auto& round : expected) {
    Show.Next();
    ASSERT_FALSE(View.Rounds.empty());
    EXPECT_EQ(View.Rounds.back(), round);
    EXPECT_EQ(Show.Pictures()[Show.CurrentIndex()], round.front()) << "the current picture is the primary's";
  }
  EXPECT_TRUE(View.Applied.empty()) << "no single picture while each monitor has its own";
  EXPECT_EQ(View.Caption, "Tarvell ver. 2.1  1(7)");

  // Off again (or one monitor): the single picture, on after the last one shown.
  const struct {
    bool perMonitor;
    int monitors;
    int next;
  } singles[] = {{false, 3, 3}, {true, 1, 4}, {false, 1, 5}};
  for (const auto& c : singles) {
    View.Current.PerMonitor = c.perMonitor;
    View.Monitors = c.monitors;
    Show.Next();
    EXPECT_EQ(View.Rounds.size(), expected.size());
    ASSERT_FALSE(View.Applied.empty());
    EXPECT_EQ(View.Applied.back(), Pic(c.next));
  }
}

TEST_F(Slideshow, EachMonitorsPicturesAreDistinctAlsoShuffledOrFewerThanMonitors) {
  struct Case {
    int pictures, monitors;
    bool random;
    std::size_t perRound;
  };
  // One picture and two monitors: that picture on both.
  const Case cases[] = {{9, 3, true, 3}, {2, 3, false, 2}, {4, 4, true, 4}, {1, 2, false, 1}};
  for (const auto& c : cases) {
    TRig rig(c.pictures);
    rig.View.Current = {c.random, false, false, 0, false, true};
    rig.View.Monitors = c.monitors;
    for (int change = 0; change < 6; ++change) {
      rig.Show.Next();
      ASSERT_FALSE(rig.View.Rounds.empty());
      auto round = rig.View.Rounds.back();
      EXPECT_EQ(round.size(), c.perRound) << c.pictures << " pictures, " << c.monitors << " monitors";
      std::sort(round.begin(), round.end());
      EXPECT_EQ(std::unique(round.begin(), round.end()), round.end()) << "a picture twice in one round";
    }
  }
}

TEST_F(Slideshow, ADisplayChangeComposesTheSamePicturesForTheNewLayout) {
  Build(5);
  View.Current.PerMonitor = true;
  View.Monitors = 2;
  Show.Next();
  const auto round = View.Rounds.back();
  const std::int32_t current = Show.CurrentIndex();
  View.Monitors = 3;
  Show.DisplayChanged();
  ASSERT_EQ(View.Rounds.size(), 2u);
  EXPECT_EQ(View.Rounds.back(), round);
  EXPECT_EQ(Show.CurrentIndex(), current);
  // Cleared: nothing of ours to compose again.
  Show.Clear();
  Show.DisplayChanged();
  EXPECT_EQ(View.Rounds.size(), 2u);
}

// Regression: a display or settings notice put the program's wallpaper back over one the user
// had just chosen in the system's settings.
TEST_F(Slideshow, ADisplayChangeLeavesAWallpaperTheUserSetSince) {
  for (const bool perMonitor : {false, true}) {
    SCOPED_TRACE(perMonitor ? "each monitor" : "one picture");
    TRig rig(4);
    rig.View.Current.PerMonitor = perMonitor;
    rig.View.Monitors = 2;
    rig.Show.Next();
    rig.View.Log.clear();
    rig.View.OursOnDesktop = false;
    rig.View.Screen = {3840, 2160};
    rig.View.Monitors = 3;
    rig.Show.DisplayChanged();
    EXPECT_TRUE(rig.View.Log.empty());
    rig.Show.Next();
    EXPECT_FALSE(rig.View.Log.empty()) << "the next change of the slideshow is applied as always";
  }
}

}  // namespace
}  // namespace tarvell
