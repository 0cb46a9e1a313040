// The user steers the show: back and forth through the changes made, a pause, and pictures
// never to show again.
#include "slideshow/Slideshow.h"

#include <utility>

namespace tarvell {

bool TSlideshow::CanReplay(const std::string& path) { return !FExcluded.Contains(path) && FDesktop.PictureExists(path); }

bool TSlideshow::Replay(const std::optional<THistoryEntry>& entry) {
  if (!entry) return false;
  FInFlight.Chain = TFailureChain{};
  RestartPeriod();
  TPictureWork work;
  work.Kind = TWorkKind::Change;
  work.Replay = true;
  work.Path = entry->front();
  if (entry->size() > 1) work.Round = *entry;
  work.Preview = FSight.Preview;
  StartWork(std::move(work));
  return true;
}

void TSlideshow::Previous() {
  if (FView.QuestionOpen()) return;
  Replay(FHistory.Back([this](const std::string& path) { return CanReplay(path); }));
}

void TSlideshow::Next() {
  if (FView.QuestionOpen()) return;
  // Stepped back through the history: forward through it first, as a browser goes.
  if (FHistory.SteppedBack() && Replay(FHistory.Forward([this](const std::string& path) { return CanReplay(path); })))
    return;
  // The list is being made (at start-up, "Change on startup"): the change follows it.
  if (ListRequestsPending()) {
    FInFlight.NextAfterListing = true;
    return;
  }
  if (FPictures.empty()) return;
  SelectNext();
  ChangeToCurrent();
  RunPendingLists();
}

void TSlideshow::SetPaused(bool paused) {
  if (paused == FPeriod.Paused) return;
  FPeriod.Paused = paused;
  if (!paused) RestartPeriod();
}

bool TSlideshow::ExcludeCurrent() {
  if (FView.QuestionOpen()) return false;
  // The picture the user sees on the desktop, which the tray names; else the list's current.
  std::string path = FBook.DesktopPath().value_or(std::string());
  if (path.empty() && !FPictures.empty()) path = FPictures[static_cast<std::size_t>(FCurrent)];
  if (path.empty() || !FExcluded.Add(path)) return false;
  const bool wasCurrent = IsCurrent(path);
  RemoveEntry(path);
  if (FPictures.empty()) return true;
  if (!wasCurrent) SelectNext();
  ChangeToCurrent();
  return true;
}

}  // namespace tarvell
