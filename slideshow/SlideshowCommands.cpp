// The user's commands on the current picture and the list: pick, show, apply, clear,
// delete and open.
#include "slideshow/Slideshow.h"

#include <utility>

namespace tarvell {

void TSlideshow::Pick(std::int32_t index, TWorkKind kind) {
  if (FView.QuestionOpen()) {
    // The refused pick left the list's selection on another entry: put it back.
    if (!FPictures.empty()) FView.SelectionChanged(FCurrent);
    return;
  }
  if (index < 0 || index >= Count()) return;
  FCurrent = index;
  ShowCurrentPicture(kind);
}

void TSlideshow::ShowCurrent() {
  if (FView.QuestionOpen()) return;
  ShowCurrentPicture(TWorkKind::Show);
  RunPendingLists();
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

void TSlideshow::SelectNext() {
  if (FPictures.empty()) return;
  // After a round of several monitors, on from its last picture.
  FCurrent = FRound.GoOnFrom(FCurrent, Count());
  // Where a shuffled round ends, a change with a picture per monitor keeps apart from the one
  // before it as a whole, not only from its primary.
  if (FSettings.Random) FSelector.SetPicturesPerChange(FSettings.PerMonitor ? FDesktop.MonitorCount() : 1);
  FCurrent = FSettings.Random ? FSelector.NextAtRandom(FCurrent, Count())
                              : TPictureSelector::NextInOrder(FCurrent, Count());
}

void TSlideshow::ChangeToCurrent() {
  FView.SelectionChanged(FCurrent);
  // A failure recovers on its own, applying the picture it ends on.
  ShowCurrentPicture(TWorkKind::Change);
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

}  // namespace tarvell
