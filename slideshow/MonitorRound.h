#pragma once
// Each monitor its own picture: the round of pictures a change puts on the monitors, and
// where the change after it goes on from. A round gives each monitor the next picture of the
// list (in order or shuffled), the current one on the primary, none twice; the next change
// goes on after the last picture of the round, so the list is shown through, not in steps of
// one. A display change composes the same round again for the new layout.

#include "slideshow/PicturePaths.h"
#include "slideshow/PictureSelector.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

class TMonitorRound {
public:
  // The pictures for `monitors` (≥ 2) monitors: the one at `current` first, then the ones
  // that follow it. A list shorter than the monitors gives each picture once (the desktop
  // repeats them). Remembers where the round ended, also when it is never applied.
  std::vector<std::string> Deal(const TPicturePaths& pictures, std::int32_t current, int monitors, bool random,
                                TPictureSelector& selector);
  // The round dealt last is on the desktop now.
  void Applied(std::vector<std::string> round) noexcept { FPaths = std::move(round); }
  // One picture, or none, is on the desktop now.
  void Ended() noexcept;
  // The pictures on the monitors, the primary's first; empty while one picture is shown.
  const std::vector<std::string>& Paths() const noexcept { return FPaths; }
  // The index the next change goes on from in a list of `count`: after a round on the
  // desktop its last picture, else `current`. The round's end is used once.
  std::int32_t GoOnFrom(std::int32_t current, std::int32_t count) noexcept;

private:
  std::vector<std::string> FPaths;
  std::optional<std::int32_t> FEnd;  // the last picture dealt
};

}  // namespace tarvell
