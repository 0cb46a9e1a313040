#include "slideshow/Slideshow.h"

#include "base/Exception.h"

#include "slideshow/Countdown.h"
#include "slideshow/FileMask.h"
#include "slideshow/FullScreenWait.h"
#include "slideshow/PictureWalk.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

namespace tarvell {

// Every change of picture ends by telling the view, also when it ends in an error.
class TSlideshow::TChangeScope {
public:
  explicit TChangeScope(ISlideshowView& view) noexcept : FView(view) {}
  ~TChangeScope() { FView.ChangeFinished(); }
  TChangeScope(const TChangeScope&) = delete;
  TChangeScope& operator=(const TChangeScope&) = delete;

private:
  ISlideshowView& FView;
};

TSlideshow::TSlideshow(ISlideshowView& view, IDesktopPort& desktop, TDirectoryLister& lister, const IClock& clock,
                       ITaskRunner& runner, std::string title, std::uint64_t seed)
    : FView(view),
      FDesktop(desktop),
      FLister(lister),
      FClock(clock),
      FRunner(runner),
      FTitle(std::move(title)),
      FPeriodStart(clock.Milliseconds()),
      FSelector(seed) {}

std::int32_t TSlideshow::SecondsElapsed() const {
  const std::uint64_t now = FClock.Milliseconds();
  return ElapsedSeconds(now > FPeriodStart ? now - FPeriodStart : 0);
}

void TSlideshow::RestartPeriod() {
  FPeriodStart = FClock.Milliseconds();
  FFullScreenWait = false;
}

std::optional<std::int32_t> TSlideshow::SecondsToChange() const {
  if (!CountdownShown(FSettings.Period)) return std::nullopt;
  return tarvell::SecondsToChange(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode, FPictures.empty());
}

std::optional<std::string> TSlideshow::CountdownText() const {
  const std::optional<std::int32_t> left = SecondsToChange();
  if (!left) return std::nullopt;
  if (FFullScreenWait) return std::string(FullScreenWaitText);
  return tarvell::CountdownText(*left);
}

std::string TSlideshow::Caption() const {
  if (FPictures.empty()) return FTitle + "  0(0)";
  return FTitle + "  " + std::to_string(FCurrent + 1) + "(" + std::to_string(Count()) + ")";
}

void TSlideshow::Rebuild(const std::string& folder, bool subfolders) {
  // The new list replaces whatever was asked for before, the listing in flight included.
  FPendingLists.clear();
  FListing = 0;
  FPendingLists.push_back(TListRequest{true, folder, subfolders});
  RunPendingLists();
}

void TSlideshow::AddAll(const std::string& folder) {
  FPendingLists.push_back(TListRequest{false, folder, true});
  RunPendingLists();
}

void TSlideshow::RunPendingLists() {
  // One at a time from the front: a request made meanwhile joins the queue.
  if (FListing != 0 || FPendingLists.empty() || FView.QuestionOpen()) return;
  const TListRequest request = std::move(FPendingLists.front());
  FPendingLists.erase(FPendingLists.begin());
  StartListing(request);
}

void TSlideshow::StartListing(const TListRequest& request) {
  const std::uint64_t ticket = FListing = ++FTickets;
  FView.ListingBusy(true);
  // The work holds the lister, never the slideshow: only its finish, on this thread, may.
  FRunner.Run(TLane::List, [this, &lister = FLister, ticket, request](const std::atomic<bool>&) -> TFinish {
    try {
      const TFileMask mask(PictureMask);
      TPictureWalk walk(lister, mask);
      auto found = std::make_shared<TPictureList>(walk.Collect(request.Folder, request.Subfolders));
      return [this, ticket, request, found] { ListDone(ticket, request, *found); };
    } catch (...) {
      // Out of memory, say: the list is as it was, or empty for a rebuild.
      return [this, ticket, request, error = std::current_exception()] {
        TPictureList none;
        ListDone(ticket, request, none);
        std::rethrow_exception(error);
      };
    }
  });
}

void TSlideshow::ListDone(std::uint64_t ticket, const TListRequest& request, TPictureList& found) {
  if (ticket != FListing) return;  // a newer rebuild replaced it
  FListing = 0;
  FView.ListingBusy(false);
  if (request.Replace) {
    FPictures = std::move(found.Pictures);
    FSelector.NewRound();
  } else if (FPictures.empty()) {
    FPictures = std::move(found.Pictures);
  } else {
    FPictures.Append(found.Pictures);
  }
  FView.ListChanged(FPictures);
  if (found.FirstError != 0) FView.ShowError(InOutErrorText(found.FirstError));
  if (!FPictures.empty()) FCurrent = TPictureSelector::ClampIndex(FCurrent, Count());
  if (request.Replace && !FPictures.empty()) {
    // The preview and the caption stay as they were for a folder without pictures.
    FBook.AssumeOnDesktop(FPictures[static_cast<std::size_t>(FCurrent)]);
    FView.SelectionChanged(FCurrent);
    ShowCurrentPicture(TWorkKind::Show);
  }
  RunPendingLists();
  if (FNextAfterListing && !ListRequestsPending()) {
    FNextAfterListing = false;
    Next();
  }
}

void TSlideshow::SetCurrentIndex(std::int32_t index) noexcept {
  // Whenever the list holds pictures the current index lies within it.
  FCurrent = FPictures.empty() ? index : TPictureSelector::ClampIndex(index, Count());
}

void TSlideshow::KeepSelection() {
  if (!FPictures.empty()) FView.SelectionChanged(FCurrent);
}

void TSlideshow::Pick(std::int32_t index) {
  if (FView.QuestionOpen()) {
    KeepSelection();
    return;
  }
  if (index < 0 || index >= Count()) return;
  FCurrent = index;
  ShowCurrentPicture(TWorkKind::Show);
}

void TSlideshow::PickAndApply(std::int32_t index) {
  if (FView.QuestionOpen()) {
    KeepSelection();
    return;
  }
  if (index < 0 || index >= Count()) return;
  FCurrent = index;
  ShowCurrentPicture(TWorkKind::Change);
}

void TSlideshow::ShowCurrent() {
  if (FView.QuestionOpen()) return;
  ShowCurrentPicture(TWorkKind::Show);
  RunPendingLists();
}

void TSlideshow::ShowCurrentPicture(TWorkKind kind, bool inChain) {
  // A command of the user's, or a due change, starts afresh; a failure's next try goes on.
  if (!inChain) FChain = TChain{};
  // The caption goes first, so it names the position even when the file then fails.
  FView.ShowCaption(Caption());
  TPictureWork work;
  work.Kind = kind;
  if (!FPictures.empty()) {
    work.Path = FPictures[static_cast<std::size_t>(FCurrent)];
  } else if (kind == TWorkKind::Change && !FBook.ShownPath().empty()) {
    // The last picture was deleted: the preview's decode still goes on the desktop.
    work.Path = FBook.ShownPath();
  } else {
    return;
  }
  if (kind == TWorkKind::Change) {
    // Reset before the write: a change that fails is tried again a full period later.
    RestartPeriod();
    work.Round = DealRound();
  }
  StartWork(std::move(work));
}

void TSlideshow::StartWork(TPictureWork work) {
  work.Ticket = ++FTickets;
  work.Screen = FDesktop.DesktopSize();
  work.Shape = FDesktop.DisplayShape();
  work.Started = FClock.Milliseconds();
  FWork = work;
  FRunner.Run(TLane::Picture, [this, &desktop = FDesktop, work = std::move(work)](const std::atomic<bool>& superseded) -> TFinish {
    TPictureDone done;
    try {
      if (work.Kind == TWorkKind::Clear) {
        desktop.ClearWallpaper();
        return [this, ticket = work.Ticket] { WorkDone(ticket, TPictureDone{TLoadResult::Unreadable, {}, false}); };
      }
      done.Result = desktop.LoadPicture(work.Path);
      if (done.Result == TLoadResult::Shown && work.Kind != TWorkKind::Show && !superseded) {
        if (work.Round.empty())
          desktop.ApplyLoadedPicture();
        else
          desktop.ApplyPictures(work.Round);
        // The preview goes back to the picture the user last looked at.
        if (!work.PreviewBack.empty()) done.PreviewBack = desktop.LoadPicture(work.PreviewBack) == TLoadResult::Shown;
      }
    } catch (const std::exception& e) {
      done.ApplyError = e.what();
    } catch (...) {
      done.ApplyError = "The wallpaper could not be written";
    }
    return [this, ticket = work.Ticket, done] { WorkDone(ticket, done); };
  });
}

void TSlideshow::WorkDone(std::uint64_t ticket, const TPictureDone& done) {
  if (!FWork || FWork->Ticket != ticket) return;  // replaced by a newer one, or passed over
  const TPictureWork work = std::move(*FWork);
  FWork.reset();
  if (work.Kind == TWorkKind::Clear) return;
  TChangeScope change(FView);
  if (done.Result != TLoadResult::Shown) {
    // A picture gone meanwhile leaves the wallpaper as it is; the next change replaces it.
    if (work.Kind != TWorkKind::Redecode) Recover(done.Result);
    return;
  }
  if (work.Kind == TWorkKind::Redecode) {
    if (!done.ApplyError.empty()) {
      FView.ShowError(done.ApplyError);
      return;
    }
    FComposedShape = work.Shape;
    FView.DesktopChanged(work.Path);
    if (work.Round.empty()) FBook.Redecoded(work.Screen, done.PreviewBack);
    if (work.PreviewBack.empty() || done.PreviewBack) FView.ShowPicture(FBook.ShownPath());
    return;
  }
  FBook.Shown(work.Path, work.Screen);
  FRecovery.Succeeded();
  FChain = TChain{};
  FView.ShowPicture(work.Path);
  if (work.Kind == TWorkKind::Change) {
    if (!done.ApplyError.empty()) {
      FView.ShowError(done.ApplyError);
    } else {
      if (FSettings.Sound) FView.Beep(ChangeTickHz, ChangeTickMs);
      FComposedShape = work.Shape;
      if (work.Round.empty())
        FRound.Ended();
      else
        FRound.Applied(work.Round);
      FView.DesktopChanged(work.Path);
      FBook.Applied();
    }
  }
  RunPendingLists();
}

void TSlideshow::StallCheck() {
  if (!FWork || FClock.Milliseconds() - FWork->Started < StallLimitMs) return;
  // The read hangs (a share gone, a placeholder that does not download): the runner leaves
  // it, and the picture is passed over for this round like one that cannot be read.
  FRunner.Abandon(TLane::Picture);
  WorkDone(FWork->Ticket, TPictureDone{TLoadResult::Unreadable, {}, false});
}

void TSlideshow::Apply() {
  if (FView.QuestionOpen() || FPictures.empty()) return;
  // The picture the preview holds; the port keeps its decode, so it is not read again.
  const std::string& shown = FBook.ShownPath();
  if (!shown.empty() && !IsCurrent(shown)) {
    const std::size_t found = FPictures.Find(shown);
    if (found < FPictures.size()) FCurrent = static_cast<std::int32_t>(found);
  }
  ShowCurrentPicture(TWorkKind::Change);
}

std::vector<std::string> TSlideshow::DealRound() {
  if (!FSettings.PerMonitor) return {};
  const int monitors = FDesktop.MonitorCount();
  if (monitors < 2) return {};
  return FRound.Deal(FPictures, FCurrent, monitors, FSettings.Random, FSelector);
}

void TSlideshow::RedecodeForDisplay() {
  // The answer to an open question may still change the picture on the desktop, a change in
  // flight makes it anew, and nobody would see the work.
  if (!FBook.CheckDue() || FView.QuestionOpen() || FWork || FUnseen.Any()) return;
  FBook.CheckTaken();
  const std::vector<std::string>& round = FRound.Paths();
  // A wallpaper the user has chosen elsewhere since stays until the next change of ours.
  if ((round.empty() && !FBook.DesktopPath()) || !FDesktop.ShowsOurWallpaper()) return;
  TPictureWork work;
  work.Kind = TWorkKind::Redecode;
  if (!round.empty()) {
    // Monitors added, removed or resized: the same pictures, composed for the new layout.
    // Notices that change neither the monitors nor the style (a theme, a colour) cost nothing.
    if (FDesktop.DisplayShape() == FComposedShape) return;
    work.Path = round.front();
    work.Round = round;
  } else {
    if (!FBook.WantsRedecode(FDesktop.DesktopSize())) return;
    work.Path = *FBook.DesktopPath();
    if (FBook.ShownPath() != work.Path) work.PreviewBack = FBook.ShownPath();
  }
  StartWork(std::move(work));
}

void TSlideshow::SelectNext() {
  if (FPictures.empty()) return;
  // After a round of several monitors, on from its last picture.
  FCurrent = FRound.GoOnFrom(FCurrent, Count());
  FCurrent = FSettings.Random ? FSelector.NextAtRandom(FCurrent, Count())
                              : TPictureSelector::NextInOrder(FCurrent, Count());
}

void TSlideshow::ChangeToCurrent() {
  FView.SelectionChanged(FCurrent);
  // A failure recovers on its own, applying the picture it ends on.
  ShowCurrentPicture(TWorkKind::Change);
}

bool TSlideshow::AsksAbout(TLoadResult failure) const {
  // Only a file that was read and rejected as corrupt may be offered for deletion; and a
  // question never opens on top of another one.
  return failure == TLoadResult::Damaged && FSettings.Sound && !FView.QuestionOpen() && FCurrent >= 0 &&
         FCurrent < Count();
}

bool TSlideshow::IsCurrent(const std::string& path) const noexcept {
  return FCurrent >= 0 && FCurrent < Count() && FPictures.Holds(static_cast<std::size_t>(FCurrent), path);
}

bool TSlideshow::DeleteFileAndEntry(const std::string& path) {
  if (const std::optional<std::string> why = FDesktop.SendToRecycleBin(path)) {
    // The file is still there, so its entry stays too.
    FView.ShowError(*why);
    return false;
  }
  RemoveEntry(path);
  return true;
}

bool TSlideshow::OfferDamagedFile(std::string failed) {
  if (FView.Ask("File " + failed + " appears to be damadged. Do you want to veiw or edit it?", ViewDamagedCaption,
                TDefaultAnswer::Ok))
    FDesktop.OpenFile(failed);
  // The second question names the file that failed, and only while it is still the one shown:
  // naming whatever is current now could offer a healthy picture for deletion.
  if (!IsCurrent(failed)) return false;
  if (!FView.Ask("File " + failed + " appears to be damadged. Do you want to delete it?", DeleteCaption,
                 TDefaultAnswer::Cancel))
    return false;
  return DeleteFileAndEntry(failed);
}

// A picture that cannot be shown: a beep, for a damaged file with Sound the offer to view and
// to delete it, then the next picture, which is applied. One chain beeps once, and goes on at
// the next tick after RecoveryChainEntries pictures or RecoveryChainMs, so that a folder gone
// from the network is not tried entry by entry in one go.
void TSlideshow::Recover(TLoadResult failure) {
  const std::uint64_t now = FClock.Milliseconds();
  if (FChain.Entries == 0) FChain.Started = now;
  // A damaged picture always sounds; one that merely could not be read only with Sound.
  if (!FChain.Beeped && (failure == TLoadResult::Damaged || FSettings.Sound)) {
    FChain.Beeped = true;
    FView.Beep(FailureBeepHz, FailureBeepMs);
  }
  ++FChain.Entries;
  // With every picture failing the chain would never end: after as many failures in a row
  // as the list has entries it stops, and the wallpaper stays as it is.
  const bool tryNext = FRecovery.Failed(Count());
  // Deleted: the picture that followed it is current now.
  const bool removed = AsksAbout(failure) && OfferDamagedFile(FPictures[static_cast<std::size_t>(FCurrent)]);
  if (!removed) {
    if (!tryNext || FPictures.empty()) {
      // A full period until the next try, or an overdue timer would go round the failing
      // pictures again every second.
      FChain = TChain{};
      RestartPeriod();
      return;
    }
    SelectNext();
  }
  FView.SelectionChanged(FCurrent);
  if (FChain.Entries >= RecoveryChainEntries || now - FChain.Started >= RecoveryChainMs) {
    FChain.Waits = true;
    FView.ShowCaption(Caption());
    return;
  }
  ShowCurrentPicture(TWorkKind::Change, true);
}

void TSlideshow::Next() {
  if (FView.QuestionOpen()) return;
  // The list is being made (at start-up, "Change on startup"): the change follows it.
  if (ListRequestsPending()) {
    FNextAfterListing = true;
    return;
  }
  if (FPictures.empty()) return;
  SelectNext();
  ChangeToCurrent();
  RunPendingLists();
}

void TSlideshow::Clear() {
  if (FView.QuestionOpen()) return;
  // On the picture lane, so a change still in flight cannot put a picture back afterwards.
  TPictureWork work;
  work.Kind = TWorkKind::Clear;
  StartWork(std::move(work));
  FView.DesktopChanged("");
  FBook.Cleared();
  FRound.Ended();
  RestartPeriod();
}

void TSlideshow::DeleteCurrent() {
  // No picture to name, or a question already open (a second Ctrl+D opens no second one).
  if (FPictures.empty() || FView.QuestionOpen()) return;
  // The path is fixed now: the answer deletes the file it names, whatever happened meanwhile.
  const std::string path = FPictures[static_cast<std::size_t>(FCurrent)];
  if (FView.Ask("Do you want to delete " + path + " current wallpaper file from disk?", DeleteCaption,
                TDefaultAnswer::Cancel) &&
      DeleteFileAndEntry(path))
    ChangeToCurrent();
  RunPendingLists();
}

void TSlideshow::OpenCurrent() {
  if (FPictures.empty()) return;
  FDesktop.OpenFile(FPictures[static_cast<std::size_t>(FCurrent)]);
}

// Removes the entry of `path`: the current one when it names that file, otherwise the first
// that does. The current picture stays current unless it was the one removed; then the
// following one is (or the new last one).
void TSlideshow::RemoveEntry(const std::string& path) {
  std::int32_t index = -1;
  if (IsCurrent(path)) {
    index = FCurrent;
  } else {
    const std::size_t found = FPictures.Find(path);
    if (found < FPictures.size()) index = static_cast<std::int32_t>(found);
  }
  if (index < 0) return;  // the list was rebuilt meanwhile without it
  FPictures.erase(static_cast<std::size_t>(index));
  FSelector.Removed(index);
  if (index < FCurrent) --FCurrent;
  if (!FPictures.empty() && FCurrent >= Count()) FCurrent = Count() - 1;
  FView.EntryRemoved(index);
}

TTickResult TSlideshow::Tick() {
  StallCheck();
  // A box the slideshow did not open may have kept a list request or a display change waiting.
  RunPendingLists();
  RedecodeForDisplay();
  // While a question is open nothing is switched: its answer may act on the current picture.
  // The clock goes on, so an overdue change follows the answer.
  if (FView.QuestionOpen()) return TTickResult::None;
  if (FChain.Waits && !FWork) {
    // The chain of failing pictures goes on where it stopped, with a new allowance.
    FChain.Entries = 0;
    FChain.Waits = false;
    ShowCurrentPicture(TWorkKind::Change, true);
    return TTickResult::Switched;
  }
  // A change in flight is the change; the clock starts again when it is asked for.
  if (FWork) return TTickResult::None;
  if (!SwitchDue(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode, FPictures.empty())) {
    FFullScreenWait = false;  // a longer period, or an emptied list: nothing waits any more
    return TTickResult::None;
  }
  if (FSettings.Once) {
    // The settings keep the picture that is on the desktop, so the next start's change
    // shows the one after it.
    if (const std::optional<std::string>& desktop = FBook.DesktopPath()) {
      const std::size_t found = FPictures.Find(*desktop);
      if (found < FPictures.size()) FCurrent = static_cast<std::int32_t>(found);
    }
    return TTickResult::Quit;
  }
  // Nobody would see it, or the desktop is not back from sleep: decoding and writing a
  // picture now would be work for nothing. It stays due.
  if (FUnseen.Any()) return TTickResult::None;
  // Asked only now, so an ordinary tick costs no system call; asked again at each tick while
  // the program in front keeps the screen, for one extra period at most.
  FFullScreenWait =
      FullScreenMayHold(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode) && FDesktop.FullScreenBusy();
  if (FFullScreenWait) return TTickResult::None;
  SelectNext();
  ChangeToCurrent();
  return TTickResult::Switched;
}

}  // namespace tarvell
