#include "slideshow/Slideshow.h"

#include "slideshow/ClockAlign.h"
#include "slideshow/Countdown.h"
#include "slideshow/FullScreenWait.h"

#include <algorithm>
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
      FPeriod{static_cast<std::int64_t>(clock.Milliseconds()), clock.UtcSeconds(), std::nullopt},
      FSelector(seed) {}

std::int32_t TSlideshow::SecondsElapsed() const {
  const auto now = static_cast<std::int64_t>(FClock.Milliseconds());
  return ElapsedSeconds(now > FPeriod.Start ? static_cast<std::uint64_t>(now - FPeriod.Start) : 0);
}

void TSlideshow::RestartPeriod() {
  FPeriod.Start = static_cast<std::int64_t>(FClock.Milliseconds());
  FPeriod.StartUtc = FClock.UtcSeconds();
  FPeriod.CatchUpAfter.reset();
  FPeriod.FullScreenWait = false;
}

void TSlideshow::StartPeriod(std::optional<std::int64_t> lastChangeUtc) {
  RestartPeriod();
  if (!lastChangeUtc || FPeriod.Paused || FSettings.Period <= 0) return;
  // Ahead of the clock: the clock was set back since, and the period starts now. Further back
  // than twice the longest period changes nothing more and keeps the counts in range.
  constexpr std::int64_t Longest = std::int64_t{MaxPeriod} * 86400;
  const std::int64_t since = std::clamp<std::int64_t>(FPeriod.StartUtc - *lastChangeUtc, 0, 2 * Longest);
  FPeriod.Start -= since * 1000;
  FPeriod.StartUtc -= since;
  if (ChangeDue()) FPeriod.CatchUpAfter = SecondsElapsed() + StartupChangeDelaySeconds;
}

std::optional<std::int64_t> TSlideshow::DueAfter() const {
  if (FPeriod.CatchUpAfter) return FPeriod.CatchUpAfter;
  if (!FSettings.OnTheClock || FSettings.Period < 1) return std::nullopt;
  const auto period = static_cast<std::int64_t>(FSettings.Period) * UnitSeconds(FSettings.Unit);
  const TLocalOffset offset = [this](std::int64_t utc) { return FClock.LocalOffsetSeconds(utc); };
  return NextClockBoundary(FPeriod.StartUtc, period, offset) - FPeriod.StartUtc;
}

bool TSlideshow::ChangeDue() const {
  if (FSettings.Period == 0) return false;
  const std::optional<std::int64_t> due = DueAfter();
  return due ? SecondsElapsed() >= *due : SwitchDue(SecondsElapsed(), FSettings.Period, FSettings.Unit, false);
}

std::optional<std::int64_t> TSlideshow::SecondsToChange() const {
  if (!CountdownShown(FSettings.Period)) return std::nullopt;
  if (const std::optional<std::int64_t> due = DueAfter(); due && !FPictures.empty())
    return std::max<std::int64_t>(*due - SecondsElapsed(), 0);
  return tarvell::SecondsToChange(SecondsElapsed(), FSettings.Period, FSettings.Unit, FPictures.empty());
}

std::optional<std::string> TSlideshow::CountdownText() const {
  const std::optional<std::int64_t> left = SecondsToChange();
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
  if (FPictures.empty() || !ChangeDue()) {
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
  // Counted from the moment the change fell due, which on the clock is not one period in.
  const std::int64_t periodSeconds = static_cast<std::int64_t>(FSettings.Period * UnitSeconds(FSettings.Unit));
  const std::int64_t sinceDue = SecondsElapsed() - DueAfter().value_or(periodSeconds) + periodSeconds;
  FPeriod.FullScreenWait = FullScreenMayHold(sinceDue, FSettings.Period, FSettings.Unit) && FDesktop.FullScreenBusy();
  if (FPeriod.FullScreenWait) return TTickResult::None;
  SelectNext();
  ChangeToCurrent();
  return TTickResult::Switched;
}

}  // namespace tarvell
