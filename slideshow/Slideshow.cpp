#include "slideshow/Slideshow.h"

#include "slideshow/Countdown.h"
#include "slideshow/FullScreenWait.h"

#include <utility>

namespace tarvell {

TSlideshow::TSlideshow(ISlideshowView& view, IDesktopPort& desktop, TDirectoryLister& lister, const IClock& clock,
                       ITaskRunner& runner, std::string title, std::uint64_t seed)
    : FView(view),
      FDesktop(desktop),
      FLister(lister),
      FClock(clock),
      FRunner(runner),
      FTitle(std::move(title)),
      FPeriod{clock.Milliseconds(), false},
      FSelector(seed) {}

std::int32_t TSlideshow::SecondsElapsed() const {
  const std::uint64_t now = FClock.Milliseconds();
  return ElapsedSeconds(now > FPeriod.Start ? now - FPeriod.Start : 0);
}

void TSlideshow::RestartPeriod() {
  FPeriod.Start = FClock.Milliseconds();
  FPeriod.FullScreenWait = false;
}

std::optional<std::int32_t> TSlideshow::SecondsToChange() const {
  if (!CountdownShown(FSettings.Period)) return std::nullopt;
  return tarvell::SecondsToChange(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode, FPictures.empty());
}

std::optional<std::string> TSlideshow::CountdownText() const {
  const std::optional<std::int32_t> left = SecondsToChange();
  if (!left) return std::nullopt;
  if (FPeriod.Paused) return std::string(PausedText);
  if (FPeriod.FullScreenWait) return std::string(FullScreenWaitText);
  return tarvell::CountdownText(*left);
}

std::string TSlideshow::Caption() const {
  if (FPictures.empty()) return FTitle + "  0(0)";
  return FTitle + "  " + std::to_string(FCurrent + 1) + "(" + std::to_string(Count()) + ")";
}

void TSlideshow::SetCurrentIndex(std::int32_t index) noexcept {
  // Whenever the list holds pictures the current index lies within it.
  FCurrent = FPictures.empty() ? index : TPictureSelector::ClampIndex(index, Count());
}

TTickResult TSlideshow::Tick() {
  StallCheck();
  // A box the slideshow did not open may have kept a list request or a display change waiting.
  RunPendingLists();
  RedecodeForDisplay();
  // While a question is open nothing is switched: its answer may act on the current picture.
  // The clock goes on, so an overdue change follows the answer.
  if (FView.QuestionOpen()) return TTickResult::None;
  if (FInFlight.Chain.Waits && !FInFlight.Work) {
    // The chain of failing pictures goes on where it stopped, with a new allowance.
    FInFlight.Chain.Entries = 0;
    FInFlight.Chain.Waits = false;
    ShowCurrentPicture(TWorkKind::Change, true);
    return TTickResult::Switched;
  }
  // A change in flight is the change; the clock starts again when it is asked for.
  if (FInFlight.Work || FPeriod.Paused) return TTickResult::None;
  if (!SwitchDue(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode, FPictures.empty())) {
    FPeriod.FullScreenWait = false;  // a longer period, or an emptied list: nothing waits any more
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
  if (FSight.DesktopUnseen()) return TTickResult::None;
  // Asked only now, so an ordinary tick costs no system call; asked again at each tick while
  // the program in front keeps the screen, for one extra period at most.
  FPeriod.FullScreenWait =
      FullScreenMayHold(SecondsElapsed(), FSettings.Period, FSettings.SecondsMode) && FDesktop.FullScreenBusy();
  if (FPeriod.FullScreenWait) return TTickResult::None;
  SelectNext();
  ChangeToCurrent();
  return TTickResult::Switched;
}

}  // namespace tarvell
