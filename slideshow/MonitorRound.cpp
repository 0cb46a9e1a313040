#include "slideshow/MonitorRound.h"

#include <algorithm>

namespace tarvell {

std::vector<std::string> TMonitorRound::Deal(const TPicturePaths& pictures, std::int32_t current, int monitors,
                                             bool random, TPictureSelector& selector) {
  const auto count = static_cast<std::int32_t>(pictures.size());
  std::vector<std::string> round{pictures[static_cast<std::size_t>(current)]};
  // The shuffle keeps a round's end and the next one's start apart by a whole change; a list
  // too short for that may still deal one again, and it is passed over.
  if (random) selector.SetPicturesPerChange(monitors);
  const auto wanted = static_cast<std::size_t>(std::min(monitors, count));
  std::int32_t at = current;
  for (std::int32_t tries = 0; round.size() < wanted && tries < 2 * count; ++tries) {
    at = random ? selector.NextAtRandom(at, count) : TPictureSelector::NextInOrder(at, count);
    std::string path = pictures[static_cast<std::size_t>(at)];
    if (std::find(round.begin(), round.end(), path) == round.end()) round.push_back(std::move(path));
  }
  FEnd = at;
  return round;
}

void TMonitorRound::Ended() noexcept {
  FPaths.clear();
  FEnd.reset();
}

std::int32_t TMonitorRound::GoOnFrom(std::int32_t current, std::int32_t count) noexcept {
  if (FEnd && !FPaths.empty() && *FEnd < count) current = *FEnd;
  FEnd.reset();
  return current;
}

}  // namespace tarvell
