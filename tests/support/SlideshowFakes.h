// The slideshow's surroundings for its tests: an in-memory folder tree, a clock the test
// moves, a view that records what it is shown and answers as told, and a desktop that decodes
// and applies nothing but records it all.
#pragma once

#include "base/DirectoryLister.h"
#include "slideshow/Slideshow.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

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
// Both clocks move with `Now`: the wall clock reads UtcAtZero when Now is 0.
class TFakeClock : public IClock {
public:
  std::uint64_t Now = 1'000'000;
  std::int64_t UtcAtZero = 1'750'000'000;
  std::int64_t Offset = 0;  // local time minus UTC
  std::uint64_t Milliseconds() const override { return Now; }
  std::int64_t UtcSeconds() const override { return UtcAtZero + static_cast<std::int64_t>(Now / 1000); }
  std::int64_t LocalOffsetSeconds(std::int64_t) const override { return Offset; }
};

class TRecordingView : public ISlideshowView {
public:
  std::vector<bool> Answers;          // answers to the questions, in order; then Cancel
  std::function<void()> WhileAsking;  // runs while a question is open
  int OpenQuestions = 0;
  std::function<bool()> AlsoOpen;  // questions open elsewhere, as the window counts them

  std::vector<std::string> Questions;
  std::vector<TDefaultAnswer> Defaults;  // the answer Enter gives to each question
  std::vector<std::string> Errors;       // messages shown in an error box
  std::vector<unsigned> Beeps;
  std::string Caption;
  std::string Preview;
  std::string OnDesktop;  // what the tray tip names
  int Finished = 0;
  int Selected = -1;
  std::vector<std::string> Mirror;  // what the list box shows

  bool QuestionOpen() const override { return OpenQuestions > 0 || (AlsoOpen && AlsoOpen()); }
  void ShowCaption(const std::string& caption) override { Caption = caption; }
  void ShowPicture(const std::string& path) override { Preview = path; }
  void DesktopChanged(const std::string& path) override { OnDesktop = path; }
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
  void ShowError(const std::string& message) override { Errors.push_back(message); }
  void ListChanged(const TPicturePaths& pictures) override { Mirror = pictures.ToVector(); }
  void EntryRemoved(std::int32_t index) override { Mirror.erase(Mirror.begin() + index); }
  void SelectionChanged(std::int32_t index) override { Selected = index; }
  bool Busy = false;  // the hourglass
  void ListingBusy(bool busy) override { Busy = busy; }
};

// Runs the work on the test's own thread: each piece at once, with its finish right after it
// (one asked for by a finish waits until that has ended), or, while Held, at Settle() only.
// A piece replaced before it ran never runs, as with the real runner.
class TFakeRunner : public ITaskRunner {
public:
  bool Held = false;
  int Abandoned = 0;

  void Run(TLane lane, TWork work) override {
    FWaiting[static_cast<std::size_t>(lane)] = std::move(work);
    if (!Held) Settle();
  }
  void Abandon(TLane lane) override {
    ++Abandoned;
    FWaiting[static_cast<std::size_t>(lane)] = nullptr;
  }
  bool Waiting(TLane lane) const { return static_cast<bool>(FWaiting[static_cast<std::size_t>(lane)]); }
  // Runs the waiting pieces and their finishes until nothing waits.
  void Settle() {
    if (FSettling) return;
    FSettling = true;
    struct TEnd {
      bool& Settling;
      ~TEnd() { Settling = false; }
    } end{FSettling};
    for (bool ran = true; ran;) {
      ran = false;
      for (TWork& waiting : FWaiting) {
        if (!waiting) continue;
        TWork work = std::move(waiting);
        waiting = nullptr;
        const std::atomic<bool> superseded{false};
        if (TFinish finish = work(superseded)) finish();
        ran = true;
      }
    }
  }

private:
  std::array<TWork, LaneCount> FWaiting;
  bool FSettling = false;
};

class TFakeDesktop : public IDesktopPort {
public:
  std::map<std::string, TLoadResult> Results;  // missing: the picture loads
  // Why a file stays, for each file that cannot be deleted.
  std::map<std::string, std::string> DeleteRefusals;
  bool ApplyThrows = false;
  bool FullScreen = false;  // what the full-screen check answers
  TSize Screen{1920, 1080};   // what the desktop measures now
  bool OursOnDesktop = true;  // false: the user has set a wallpaper of their own since
  int Monitors = 1;

  std::vector<std::string> Log;
  std::map<std::string, int> Decodes;            // how often each picture was decoded
  std::string Loaded;                            // the picture decoded last
  std::vector<std::string> Applied;              // the picture decoded last at each application
  std::vector<std::vector<std::string>> Rounds;  // the pictures of each application to several monitors
  std::vector<std::string> Deleted;
  std::vector<std::string> Opened;
  int FullScreenChecks = 0;
  std::function<std::optional<std::string>(const std::string&)> Recycle;  // the real sending, when set
  int Clears = 0;

  std::string Shape = "one";  // what DisplayShape answers
  TSize DesktopSize() override { return Screen; }
  std::string DisplayShape() override { return Shape; }
  int MonitorCount() override { return Monitors; }
  bool ShowsOurWallpaper() override { return OursOnDesktop; }
  bool FullScreenBusy() override {
    ++FullScreenChecks;
    return FullScreen;
  }
  std::function<void()> Loading;  // runs at each load, as a slow read would
  TLoadResult LoadPicture(const std::string& path) override {
    Log.push_back("load " + path);
    if (Loading) Loading();
    const TLoadResult result = Decode(path);
    if (result == TLoadResult::Shown) Loaded = path;
    return result;
  }
  TLoadResult Decode(const std::string& path) {
    ++Decodes[path];
    const auto found = Results.find(path);
    return found == Results.end() ? TLoadResult::Shown : found->second;
  }
  void ApplyLoadedPicture() override {
    if (ApplyThrows) throw std::runtime_error("Cannot create file");
    Log.push_back("apply " + Loaded);
    Applied.push_back(Loaded);
  }
  // The primary's picture first: when it fails, nothing else is decoded or written.
  TLoadResult ApplyPictures(const std::vector<std::string>& paths) override {
    if (const TLoadResult primary = Decode(paths.front()); primary != TLoadResult::Shown) return primary;
    for (std::size_t i = 1; i < paths.size(); ++i) Decode(paths[i]);
    if (ApplyThrows) throw std::runtime_error("Cannot create file");
    Log.push_back("apply " + std::to_string(paths.size()) + " monitors");
    Rounds.push_back(paths);
    return TLoadResult::Shown;
  }
  void ClearWallpaper() override { ++Clears; }
  std::optional<std::string> SendToRecycleBin(const std::string& path) override {
    if (Recycle) return Recycle(path);
    if (const auto refused = DeleteRefusals.find(path); refused != DeleteRefusals.end()) return refused->second;
    Deleted.push_back(path);
    return std::nullopt;
  }
  std::set<std::string> Gone;  // files no longer there
  bool PictureExists(const std::string& path) override { return !Gone.contains(path); }
  void OpenFile(const std::string& path) override { Opened.push_back(path); }
};

constexpr const char Folder[] = "C:\\P";

inline std::string Pic(int i) {
  char name[40];
  std::snprintf(name, sizeof name, "C:\\P\\p%05d.jpg", i);
  return name;
}

// A slideshow over one folder of `count` pictures, built and showing picture `current`.
struct TRig {
  TFakeLister Lister;
  TRecordingView View;
  TFakeDesktop Desktop;
  TFakeClock Clock;
  TFakeRunner Runner;
  TSlideshow Show{View, Desktop, Lister, Clock, Runner, "T", 1};

  // One timer tick, a second after the last.
  TTickResult Tick() {
    Clock.Now += 1000;
    return Show.Tick();
  }
  // A display or settings notice, dealt with at the tick that follows at once.
  void DisplayNotice() {
    Show.DisplayChanged();
    Show.Tick();
  }

  explicit TRig(int count, int current = 0) {
    Lister.AddPictures(Folder, count);
    Show.SetCurrentIndex(current);
    Show.PreviewSeen(true);
    Show.Rebuild(Folder, false);
  }
};

}  // namespace
}  // namespace tarvell
