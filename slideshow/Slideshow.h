#pragma once
// The slideshow: the picture list, the current picture, the choice of the next one, the
// time since the last change, and every command that changes the picture. It talks to
// the window only through its view and to the desktop through its port, is handed its
// settings when they change, and reads real time from its clock, so the whole of it runs and
// is tested without a window.
//
// The timer's ticks only wake it: the clock says whether a change is due, so time asleep
// counts and a change that fell due then is made once, not once per period missed. An
// automatic change that is due waits while nobody sees the desktop (the session is locked
// or its remote connection is gone), while the machine sleeps or is still waking, and while
// a full-screen program or a presentation runs; it is made once that ends. The user's own
// commands act at once whatever holds.
//
// While any question or message of the program is open, its answer may still act on the
// current picture (delete it, go on from it), so the commands wait: Next, Apply, Clear,
// Delete, Pick, PickAndApply and ShowCurrent do nothing, and the timer switches nothing. A
// Rebuild or AddAll cannot simply be dropped, or the list would not follow the folder the
// user chose: it is kept (a Rebuild replaces any kept before it) and carried out once no
// question is open any more: when one of the slideshow's own questions has been answered,
// at the end of the command that asked it, and for a box the slideshow did not open, at
// the next tick. A folder that could not be read is reported through ShowError.
//
// Listing folders and decoding, composing and applying pictures run on the task runner, off
// the window's thread; their results come back through it and are applied here. A newer
// change replaces one still in flight, and a listing replaces the one before it. A picture
// whose read stalls is passed over after StallLimitMs, and a chain of pictures that fail
// goes on at the next tick after RecoveryChainEntries of them or RecoveryChainMs.

#include "base/TaskRunner.h"
#include "slideshow/Clock.h"
#include "slideshow/Countdown.h"
#include "slideshow/DesktopPort.h"
#include "slideshow/DisplayBook.h"
#include "slideshow/ExcludeList.h"
#include "slideshow/MonitorRound.h"
#include "slideshow/PicturePaths.h"
#include "slideshow/PictureWalk.h"
#include "slideshow/PictureSelector.h"
#include "slideshow/RecoveryBound.h"
#include "slideshow/ShowHistory.h"
#include "slideshow/SlideshowInFlight.h"
#include "slideshow/SlideshowView.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

class TDirectoryLister;

enum class TTickResult : std::uint8_t { None, Switched, Quit };

// Texts of the questions, as the user has always seen them.
inline constexpr const char DeleteCaption[] = "Deleteting file from disk!";
inline constexpr const char ViewDamagedCaption[] = "Veiwing damaged file";

// Sound cues: a change of picture, and a picture that failed.
inline constexpr unsigned ChangeTickHz = 100;
inline constexpr unsigned ChangeTickMs = 20;
inline constexpr unsigned FailureBeepHz = 500;
inline constexpr unsigned FailureBeepMs = 50;

// A change missed while the program was not running is made this long after the start.
inline constexpr std::int64_t StartupChangeDelaySeconds = 3;

// The countdown while the show is paused.
inline constexpr const char PausedText[] = "paused";

// A picture whose decode has not come back after this long is passed over for this round.
inline constexpr std::uint64_t StallLimitMs = 20'000;
// How far one chain of failing pictures goes before it waits for the next tick.
inline constexpr std::int32_t RecoveryChainEntries = 50;
inline constexpr std::uint64_t RecoveryChainMs = 2'000;

// The settings that steer the slideshow, as the window's controls hold them now.
struct TSlideshowSettings {
  bool Random = false;
  bool Sound = false;
  bool Once = false;
  double Period = 0;  // in units of `Unit`; 0 switches nothing
  TPeriodUnit Unit = TPeriodUnit::Minutes;
  bool PerMonitor = false;  // each monitor its own picture
  bool OnTheClock = false;  // changes at whole multiples of the period on the local clock (ClockAlign.h)
};

class TSlideshow {
public:
  // `title` starts every caption; view, desktop, lister, clock and runner are used, not copied.
  // The lister and the desktop's decoding and applying are used on the runner's threads.
  TSlideshow(ISlideshowView& view, IDesktopPort& desktop, TDirectoryLister& lister, const IClock& clock,
             ITaskRunner& runner, std::string title, std::uint64_t seed);
  TSlideshow(const TSlideshow&) = delete;
  TSlideshow& operator=(const TSlideshow&) = delete;

  // The settings as they are from now on; the window hands them over at each change.
  void SetSettings(const TSlideshowSettings& settings) noexcept { FSettings = settings; }

  const TPicturePaths& Pictures() const noexcept { return FPictures; }
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(FPictures.size()); }
  std::int32_t CurrentIndex() const noexcept { return FCurrent; }
  // The index the settings file brought; pulled into the list at the next rebuild.
  void SetCurrentIndex(std::int32_t index) noexcept;
  // Real time since the wallpaper was last applied or cleared, in whole seconds.
  std::int32_t SecondsElapsed() const;
  // The countdown to the next change; nothing while the period is 0.
  std::optional<std::int64_t> SecondsToChange() const;
  // The countdown's text: the time left, or that a due change waits for a full-screen
  // program; nothing while the period is 0.
  std::optional<std::string> CountdownText() const;
  bool WaitsForFullScreen() const noexcept { return FPeriod.FullScreenWait; }
  std::string Caption() const;

  // Replaces the list with the pictures of `folder` (and its subfolders), keeps the current
  // position within the new list and shows it. The first folder that could not be read is
  // skipped and reported. While a question is open it is kept for later (see above).
  void Rebuild(const std::string& folder, bool subfolders);
  // Appends the pictures of `folder` and all its subfolders, after any listing asked before.
  void AddAll(const std::string& folder);
  // Whether a Rebuild or AddAll waits for a question to close or for its listing.
  bool ListRequestsPending() const noexcept { return !FInFlight.PendingLists.empty() || FInFlight.Listing != 0; }
  // Whether a picture is being decoded or applied.
  bool PictureWorkPending() const noexcept { return FInFlight.Work.has_value(); }

  // A picture chosen in the list: shown, or shown and applied.
  void Pick(std::int32_t index) { Pick(index, TWorkKind::Show); }
  void PickAndApply(std::int32_t index) { Pick(index, TWorkKind::Change); }
  // Shows the current picture again (the window was resized or shown).
  void ShowCurrent();
  void Next();
  // Applies the picture that the preview holds.
  void Apply();
  void Clear();
  // Asks, then deletes the current picture's file and applies the one that followed it.
  void DeleteCurrent();
  void OpenCurrent();
  // The timer woke the slideshow: makes the change when one is due and nothing holds it.
  TTickResult Tick();
  // The period starts again from its full length.
  void RestartPeriod();

  // The period outlives a restart: the window saves LastChangeUtc, the wall-clock moment (UTC
  // seconds) the running period began, whenever it differs from what it saved, and hands it
  // back at start-up, once the list is built. A change that fell due meanwhile (a period or
  // more, or a boundary on the clock, passed) is made StartupChangeDelaySeconds after the
  // start, once however many were missed; else the period goes on with what was left. A
  // moment ahead of the clock counts as now; nothing starts a full period, as does a pause or a
  // period of 0.
  void StartPeriod(std::optional<std::int64_t> lastChangeUtc);
  std::int64_t LastChangeUtc() const noexcept { return FPeriod.StartUtc; }

  // Whether anybody sees the desktop. Each holds automatic changes until it is released;
  // a change that fell due meanwhile follows at the next Tick.
  void SessionLocked(bool locked) noexcept { FSight.Locked = locked; }
  void SessionDisconnected(bool disconnected) noexcept { FSight.Disconnected = disconnected; }
  // With "each monitor its own picture" and more than one monitor, every change deals a round
  // (MonitorRound.h); the current picture (caption, tray tip, Delete) is the primary
  // monitor's. A display change then composes the same pictures again for the new layout.
  //
  // The screen's size or the desktop's wallpaper settings changed. When the screen is now
  // wider or higher than the one the wallpaper was decoded for (a laptop docked to a larger
  // monitor), the picture on the desktop is decoded and applied again at once, so it is sharp
  // before the next change. The picture, the list position and the period stay as they are.
  // Notices are gathered and dealt with at the next tick, once, and only when the monitors or
  // the style differ from what the wallpaper was composed for; while a question is open, a
  // change is in flight or nobody sees the desktop, they wait.
  void DisplayChanged() noexcept { FBook.DisplayChanged(); }

  // The machine goes to sleep, or has just woken and its desktop is not back yet.
  void Sleeping() noexcept { FSight.Sleeping = true; }
  void DesktopBack() noexcept { FSight.Sleeping = false; }

  // Whether anybody sees the preview; nobody does until told (the program starts in the tray).
  // A change composed for each monitor decodes its primary picture for the preview only while
  // somebody does: the composition decodes it for its monitor anyway, in a size of its own.
  void PreviewSeen(bool seen) noexcept { FSight.Preview = seen; }

  // The changes made, for Previous and for Next after it (ShowHistory.h). Each change made
  // anew is recorded once it is on the desktop; one stepped to is re-applied exactly, all
  // monitors, and leaves the list position and the shuffle as they were. The window keeps
  // the file.
  const TShowHistory& History() const noexcept { return FHistory; }
  void SetHistory(TShowHistory history) { FHistory = std::move(history); }
  // Re-applies the change before the one shown, passing over one whose file is gone or
  // excluded. Next after it walks forward again before it takes new pictures.
  void Previous();

  // While paused no automatic change is made and the countdown says so; the user's commands
  // still act. Resuming starts a full period.
  void SetPaused(bool paused);
  bool Paused() const noexcept { return FPeriod.Paused; }

  // The pictures never shown again: left out of every listing, passed over in the history.
  const TExcludeList& Excluded() const noexcept { return FExcluded; }
  void SetExcluded(TExcludeList excluded) { FExcluded = std::move(excluded); }
  // Excludes the picture on the desktop (else the current one), takes it out of the list and
  // applies the one that followed it. Its file stays. False when there was none to exclude.
  bool ExcludeCurrent();
  // Takes `path` back into the show (from the next listing on); false when it was not excluded.
  bool Readmit(const std::string& path) { return FExcluded.Remove(path); }

  // The shuffle's round, kept across restarts (ShuffleFile.h, PictureSelector.h). The window
  // restores the saved one before the first listing (it applies at the next listing) and
  // saves it again whenever ShuffleChanges() has grown.
  TShuffleState ShuffleState() const { return FSelector.State(); }
  void SetShuffleState(TShuffleState state) { FSelector.Restore(std::move(state)); }
  std::uint64_t ShuffleChanges() const noexcept { return FSelector.Changes(); }

private:
  class TChangeScope;
  // Who sees what: each of the first three keeps anybody from seeing the desktop and holds
  // automatic changes; the last says whether anybody sees the preview.
  struct TSight {
    bool Locked = false;
    bool Disconnected = false;
    bool Sleeping = false;
    bool Preview = false;
    bool DesktopUnseen() const noexcept { return Locked || Disconnected || Sleeping; }
  };
  // The period: when it started (the clock when the wallpaper was last applied or cleared),
  // whether a due change found a full-screen program at its last check, and the user's pause.
  // A period carried over from the last run may have begun before the clock's zero.
  struct TPeriod {
    std::int64_t Start = 0;
    std::int64_t StartUtc = 0;
    std::optional<std::int64_t> CatchUpAfter;  // seconds after Start: the change missed while not running
    bool FullScreenWait = false;
    bool Paused = false;  // by the user: no automatic change until resumed
  };

  void StartListing(const TListRequest& request);
  void ListDone(std::uint64_t ticket, const TListRequest& request, TPictureList& found);
  // Carries out the kept list requests, when no question is open.
  void RunPendingLists();
  // The caption, then the current picture decoded for the preview, or applied too.
  void ShowCurrentPicture(TWorkKind kind, bool inChain = false);
  void StartWork(TPictureWork work);
  void WorkDone(std::uint64_t ticket, const TPictureDone& done);
  void Recover(TLoadResult failure);
  void StallCheck();
  // Asks to view and to delete the damaged `failed` (a copy: the list may change meanwhile);
  // true when its entry was removed.
  bool OfferDamagedFile(std::string failed);
  // Sends the file to the Recycle Bin and removes its entry; when it stays, says why and
  // keeps the entry. True when removed.
  bool DeleteFileAndEntry(const std::string& path);
  bool IsCurrent(const std::string& path) const noexcept;
  // The pictures for the monitors, `path` first; empty when one picture is shown.
  std::vector<std::string> DealRound();
  void RedecodeForDisplay();
  void ChangeToCurrent();
  void SelectNext();
  void RemoveEntry(const std::string& path);
  void Pick(std::int32_t index, TWorkKind kind);
  // Re-applies a change of the history, or returns false when there is none.
  bool Replay(const std::optional<THistoryEntry>& entry);
  bool CanReplay(const std::string& path);
  // Whether the recovery may ask its questions about `failure` now.
  bool AsksAbout(TLoadResult failure) const;
  // Seconds after the period's start at which a missed change or the next boundary on the clock
  // falls due; nothing for a plain period, which counts by Countdown.h's strict rule.
  std::optional<std::int64_t> DueAfter() const;
  // Whether the period has run out, the list aside.
  bool ChangeDue() const;

  ISlideshowView& FView;
  IDesktopPort& FDesktop;
  TDirectoryLister& FLister;
  const IClock& FClock;
  ITaskRunner& FRunner;
  std::string FTitle;
  TSlideshowSettings FSettings;
  TPicturePaths FPictures;
  std::int32_t FCurrent = 0;
  TPeriod FPeriod;
  TSight FSight;
  TPictureSelector FSelector;
  TRecoveryBound FRecovery;
  TDisplayBook FBook;
  TMonitorRound FRound;
  std::string FComposedShape;  // the desktop's shape the wallpaper was last made for
  TSlideshowInFlight FInFlight;
  TShowHistory FHistory;
  TExcludeList FExcluded;
};

}  // namespace tarvell
