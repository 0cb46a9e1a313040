// The picture work: the current picture decoded, composed and applied off the window's
// thread, its finish applied here, a read that stalls passed over, and the desktop's picture
// made again for a larger screen or a new layout of monitors.
#include "slideshow/Slideshow.h"

#include <exception>
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

namespace {

// The picture work itself, on the runner's thread.
TPictureDone DoPictureWork(IDesktopPort& desktop, const TPictureWork& work, const std::atomic<bool>& superseded) {
  TPictureDone done;
  try {
    if (work.Kind == TWorkKind::Clear) {
      desktop.ClearWallpaper();
    } else if (!work.Round.empty()) {
      // The composition decodes each picture once and says how the primary's went; the
      // preview's decode is made only for a preview somebody sees.
      if (superseded) return done;
      done.Result = desktop.ApplyPictures(work.Round);
      done.Previewed =
          work.Preview && done.Result == TLoadResult::Shown && desktop.LoadPicture(work.Path) == TLoadResult::Shown;
    } else {
      done.Result = desktop.LoadPicture(work.Path);
      done.Previewed = done.Result == TLoadResult::Shown;
      if (done.Previewed && work.Kind != TWorkKind::Show && !superseded) {
        desktop.ApplyLoadedPicture();
        // The preview goes back to the picture the user last looked at.
        if (!work.PreviewBack.empty()) done.PreviewBack = desktop.LoadPicture(work.PreviewBack) == TLoadResult::Shown;
      }
    }
  } catch (const std::exception& e) {
    done.ApplyError = e.what();
  } catch (...) {
    done.ApplyError = "The wallpaper could not be written";
  }
  return done;
}

}  // namespace

void TSlideshow::ShowCurrentPicture(TWorkKind kind, bool inChain) {
  // A command of the user's, or a due change, starts afresh; a failure's next try goes on.
  if (!inChain) FInFlight.Chain = TFailureChain{};
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
    work.Preview = FSight.Preview;
  }
  StartWork(std::move(work));
}

void TSlideshow::StartWork(TPictureWork work) {
  work.Ticket = ++FInFlight.Tickets;
  work.Screen = FDesktop.DesktopSize();
  work.Shape = FDesktop.DisplayShape();
  work.Started = FClock.Milliseconds();
  FInFlight.Work = work;
  FRunner.Run(TLane::Picture, [this, &desktop = FDesktop, work = std::move(work)](const std::atomic<bool>& superseded) {
    TPictureDone done = DoPictureWork(desktop, work, superseded);
    desktop.WorkEnded();
    return [this, ticket = work.Ticket, done = std::move(done)] { WorkDone(ticket, done); };
  });
}

void TSlideshow::WorkDone(std::uint64_t ticket, const TPictureDone& done) {
  if (!FInFlight.Work || FInFlight.Work->Ticket != ticket) return;  // replaced by a newer one, or passed over
  const TPictureWork work = std::move(*FInFlight.Work);
  FInFlight.Work.reset();
  if (work.Kind == TWorkKind::Clear) return;
  TChangeScope change(FView);
  if (done.Result != TLoadResult::Shown) {
    // A picture gone meanwhile leaves the wallpaper as it is; the next change replaces it.
    // A change of the history again is not the list's to recover from.
    if (work.Kind != TWorkKind::Redecode && !work.Replay) Recover(done.Result);
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
    if (done.Previewed && (work.PreviewBack.empty() || done.PreviewBack)) FView.ShowPicture(FBook.ShownPath());
    return;
  }
  FBook.Shown(work.Path, work.Screen);
  FRecovery.Succeeded();
  FInFlight.Chain = TFailureChain{};
  if (done.Previewed) FView.ShowPicture(work.Path);
  if (work.Kind == TWorkKind::Change) {
    if (!done.ApplyError.empty()) {
      FView.ShowError(done.ApplyError);
    } else {
      if (FSettings.Sound) FView.Beep(ChangeTickHz, ChangeTickMs);
      FComposedShape = work.Shape;
      // A change of the history again keeps where the next round goes on from.
      if (work.Round.empty() && !work.Replay)
        FRound.Ended();
      else
        FRound.Applied(work.Round);
      if (!work.Replay) FHistory.Record(work.Round.empty() ? THistoryEntry{work.Path} : work.Round);
      FView.DesktopChanged(work.Path);
      FBook.Applied();
    }
  }
  RunPendingLists();
}

void TSlideshow::StallCheck() {
  if (!FInFlight.Work || FClock.Milliseconds() - FInFlight.Work->Started < StallLimitMs) return;
  // The read hangs (a share gone, a placeholder that does not download): the runner leaves
  // it, and the picture is passed over for this round like one that cannot be read.
  FRunner.Abandon(TLane::Picture);
  WorkDone(FInFlight.Work->Ticket, TPictureDone{TLoadResult::Unreadable, {}, false});
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
  if (!FBook.CheckDue() || FView.QuestionOpen() || FInFlight.Work || FSight.DesktopUnseen()) return;
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

}  // namespace tarvell
