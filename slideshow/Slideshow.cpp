#include "slideshow/Slideshow.h"

#include "base/Exception.h"

#include "slideshow/Countdown.h"
#include "slideshow/FileMask.h"
#include "slideshow/FullScreenWait.h"
#include "slideshow/PictureWalk.h"

#include <algorithm>
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
                       std::string title, std::uint64_t seed)
    : FView(view),
      FDesktop(desktop),
      FLister(lister),
      FClock(clock),
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

int TSlideshow::Append(const std::string& folder, bool subfolders) {
  const TFileMask mask(PictureMask);
  TPictureWalk walk(FLister, mask);
  TPictureList found = walk.Collect(folder, subfolders);
  if (FPictures.empty())
    FPictures = std::move(found.Pictures);
  else
    FPictures.Append(found.Pictures);
  return found.FirstError;
}

int TSlideshow::Rebuild(const std::string& folder, bool subfolders) {
  FPendingLists.clear();  // the new list replaces whatever was asked for before
  if (FView.QuestionOpen()) {
    FPendingLists.push_back(TListRequest{true, folder, subfolders});
    return 0;
  }
  const int error = RebuildNow(folder, subfolders);
  RunPendingLists();
  return error;
}

int TSlideshow::AddAll(const std::string& folder) {
  if (FView.QuestionOpen()) {
    FPendingLists.push_back(TListRequest{false, folder, true});
    return 0;
  }
  RunPendingLists();  // what was asked for earlier comes first
  return AddAllNow(folder);
}

int TSlideshow::RebuildNow(const std::string& folder, bool subfolders) {
  FPictures.clear();
  int error = 0;
  try {
    error = Append(folder, subfolders);
  } catch (...) {
    // The list (out of memory, say) stays empty: the view must not go on showing the old one.
    FView.ListChanged(FPictures);
    throw;
  }
  FSelector.NewRound();
  FView.ListChanged(FPictures);
  if (FPictures.empty()) return error;  // the preview and the caption stay as they were
  FCurrent = TPictureSelector::ClampIndex(FCurrent, Count());
  FBook.AssumeOnDesktop(FPictures[static_cast<std::size_t>(FCurrent)]);
  TChangeScope change(FView);
  FView.SelectionChanged(FCurrent);
  ShowAndRecover();
  return error;
}

int TSlideshow::AddAllNow(const std::string& folder) {
  const int error = Append(folder, true);
  if (!FPictures.empty()) FCurrent = TPictureSelector::ClampIndex(FCurrent, Count());
  FView.ListChanged(FPictures);
  return error;
}

void TSlideshow::RunPendingLists() {
  int firstError = 0;
  // One at a time from the front: a request made while one runs (its picture may ask) joins
  // the queue, and an error that leaves a run leaves the rest for the next tick.
  while (!FPendingLists.empty() && !FView.QuestionOpen()) {
    const TListRequest request = std::move(FPendingLists.front());
    FPendingLists.erase(FPendingLists.begin());
    const int error = request.Replace ? RebuildNow(request.Folder, request.Subfolders) : AddAllNow(request.Folder);
    if (firstError == 0) firstError = error;
  }
  // The window reports an unreadable folder of the rebuilds it asked for; these ran later.
  if (firstError != 0) FView.ShowError(InOutErrorText(firstError));
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
  {
    TChangeScope change(FView);
    FCurrent = index;
    ShowAndRecover();
  }
  RunPendingLists();
}

void TSlideshow::PickAndApply(std::int32_t index) {
  if (FView.QuestionOpen()) {
    KeepSelection();
    return;
  }
  if (index < 0 || index >= Count()) return;
  FCurrent = index;
  ApplyShown();  // the click that comes before every double click has loaded it
}

TLoadResult TSlideshow::LoadCurrent() {
  // The caption goes first, so it names the position even when the file then fails.
  FView.ShowCaption(Caption());
  if (FPictures.empty()) return TLoadResult::Shown;
  std::string path = FPictures[static_cast<std::size_t>(FCurrent)];
  const TSize screen = FDesktop.DesktopSize();
  const TLoadResult result = Load(path);
  if (result == TLoadResult::Shown) {
    FBook.Shown(std::move(path), screen);
    FRecovery.Succeeded();
  }
  return result;
}

TLoadResult TSlideshow::Load(const std::string& path) {
  const TLoadResult result = FDesktop.LoadPicture(path);
  if (result == TLoadResult::Shown) FView.ShowPicture(path);
  return result;
}

bool TSlideshow::ShowCurrent() {
  if (FView.QuestionOpen()) return false;
  const bool shown = ShowAndRecover();
  RunPendingLists();
  return shown;
}

bool TSlideshow::ShowAndRecover() {
  const TLoadResult result = LoadCurrent();
  if (result == TLoadResult::Shown) return true;
  Recover(result);
  return false;
}

void TSlideshow::ApplyShown() {
  if (FSettings.Sound) FView.Beep(ChangeTickHz, ChangeTickMs);
  // Reset before the write: a change that fails is tried again a full period later.
  RestartPeriod();
  std::vector<std::string> round = DealRound();
  if (round.empty()) {
    FRound.Ended();
    FDesktop.ApplyLoadedPicture();
    FView.DesktopChanged(FBook.ShownPath());
  } else {
    FDesktop.ApplyPictures(round);
    FView.DesktopChanged(round.front());
    FRound.Applied(std::move(round));
  }
  FBook.Applied();
}

std::vector<std::string> TSlideshow::DealRound() {
  if (!FSettings.PerMonitor || !IsCurrent(FBook.ShownPath())) return {};
  const int monitors = FDesktop.MonitorCount();
  if (monitors < 2) return {};
  return FRound.Deal(FPictures, FCurrent, monitors, FSettings.Random, FSelector);
}

void TSlideshow::DisplayChanged() {
  FBook.DisplayChanged();
  RedecodeForLargerScreen();
}

void TSlideshow::RedecodeForLargerScreen() {
  // The answer to an open question may still change the picture on the desktop.
  if (!FBook.CheckDue() || FView.QuestionOpen()) return;
  FBook.CheckTaken();
  const std::vector<std::string>& round = FRound.Paths();
  // A wallpaper the user has chosen elsewhere since stays until the next change of ours.
  if ((round.empty() && !FBook.DesktopPath()) || !FDesktop.ShowsOurWallpaper()) return;
  if (!round.empty()) {
    // Monitors added, removed or resized: the same pictures, composed for the new layout.
    TChangeScope change(FView);
    FDesktop.ApplyPictures(round);
    FView.DesktopChanged(round.front());
    return;
  }
  const TSize now = FDesktop.DesktopSize();
  if (!FBook.WantsRedecode(now)) return;
  TChangeScope change(FView);
  const std::string desktop = *FBook.DesktopPath();  // the calls out must not change what is named
  // A picture gone meanwhile leaves the wallpaper as it is; the next change replaces it.
  if (Load(desktop) != TLoadResult::Shown) return;
  // No change of picture: no tick, and the period goes on.
  FDesktop.ApplyLoadedPicture();
  FView.DesktopChanged(desktop);
  // The preview goes back to the picture the user last looked at.
  const std::string shown = FBook.ShownPath();
  FBook.Redecoded(now, shown == desktop || Load(shown) == TLoadResult::Shown);
}

void TSlideshow::SelectNext() {
  if (FPictures.empty()) return;
  // After a round of several monitors, on from its last picture.
  FCurrent = FRound.GoOnFrom(FCurrent, Count());
  FCurrent = FSettings.Random ? FSelector.NextAtRandom(FCurrent, Count())
                              : TPictureSelector::NextInOrder(FCurrent, Count());
}

void TSlideshow::ChangeToCurrent() {
  TChangeScope change(FView);
  FView.SelectionChanged(FCurrent);
  // A failure recovers on its own, applying the picture it ends on.
  if (ShowAndRecover()) ApplyShown();
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
// to delete it, then the next picture, which is applied. Failures that follow one another are
// handled here in turn, not by nested calls, so a long run of them cannot exhaust the stack.
void TSlideshow::Recover(TLoadResult failure) {
  for (;;) {
    // A damaged picture always sounds; one that merely could not be read only with Sound.
    if (failure == TLoadResult::Damaged || FSettings.Sound) FView.Beep(FailureBeepHz, FailureBeepMs);
    // With every picture failing the chain would never end: after as many failures in a row
    // as the list has entries it stops, and the wallpaper stays as it is.
    const bool tryNext = FRecovery.Failed(Count());
    // Deleted: the picture that followed it is current now.
    const bool removed = AsksAbout(failure) && OfferDamagedFile(FPictures[static_cast<std::size_t>(FCurrent)]);
    if (!removed) {
      if (!tryNext || FPictures.empty()) {
        // A full period until the next try, or an overdue timer would go round the failing
        // pictures again every second.
        RestartPeriod();
        return;
      }
      SelectNext();
    }
    FView.SelectionChanged(FCurrent);
    failure = LoadCurrent();
    if (failure == TLoadResult::Shown) {
      ApplyShown();
      return;
    }
  }
}

void TSlideshow::Next() {
  if (FPictures.empty() || FView.QuestionOpen()) return;
  SelectNext();
  ChangeToCurrent();
  RunPendingLists();
}

void TSlideshow::Apply() {
  if (FView.QuestionOpen()) return;
  ApplyShown();
}

void TSlideshow::Clear() {
  if (FView.QuestionOpen()) return;
  FDesktop.ClearWallpaper();
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
  // A box the slideshow did not open may have kept a list request or a display change waiting.
  RunPendingLists();
  RedecodeForLargerScreen();
  // While a question is open nothing is switched: its answer may act on the current picture.
  // The clock goes on, so an overdue change follows the answer.
  if (FView.QuestionOpen()) return TTickResult::None;
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
  if (FUnseen.Locked || FUnseen.Disconnected || FUnseen.Sleeping) return TTickResult::None;
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
