// A picture that failed: the beep, the offer to view and to delete a damaged file, and the
// chain on to the next picture.
#include "slideshow/Slideshow.h"

namespace tarvell {

bool TSlideshow::AsksAbout(TLoadResult failure) const {
  // Only a file that was read and rejected as corrupt may be offered for deletion; and a
  // question never opens on top of another one.
  return failure == TLoadResult::Damaged && FSettings.Sound && !FView.QuestionOpen() && FCurrent >= 0 &&
         FCurrent < Count();
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
  if (FInFlight.Chain.Entries == 0) FInFlight.Chain.Started = now;
  // A damaged picture always sounds; one that merely could not be read only with Sound.
  if (!FInFlight.Chain.Beeped && (failure == TLoadResult::Damaged || FSettings.Sound)) {
    FInFlight.Chain.Beeped = true;
    FView.Beep(FailureBeepHz, FailureBeepMs);
  }
  ++FInFlight.Chain.Entries;
  // With every picture failing the chain would never end: after as many failures in a row
  // as the list has entries it stops, and the wallpaper stays as it is.
  const bool tryNext = FRecovery.Failed(Count());
  // Deleted: the picture that followed it is current now.
  const bool removed = AsksAbout(failure) && OfferDamagedFile(FPictures[static_cast<std::size_t>(FCurrent)]);
  if (!removed) {
    if (!tryNext || FPictures.empty()) {
      // A full period until the next try, or an overdue timer would go round the failing
      // pictures again every second.
      FInFlight.Chain = TFailureChain{};
      RestartPeriod();
      return;
    }
    SelectNext();
  }
  FView.SelectionChanged(FCurrent);
  if (FInFlight.Chain.Entries >= RecoveryChainEntries || now - FInFlight.Chain.Started >= RecoveryChainMs) {
    FInFlight.Chain.Waits = true;
    FView.ShowCaption(Caption());
    return;
  }
  ShowCurrentPicture(TWorkKind::Change, true);
}

}  // namespace tarvell
