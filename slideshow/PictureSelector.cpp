#include "slideshow/PictureSelector.h"

#include <algorithm>
#include <chrono>
#include <numeric>

namespace tarvell {

TPictureSelector::TPictureSelector(std::uint64_t seed) : Generator(seed), Round(), Position(0), LastDealt(-1) {}

std::uint64_t TPictureSelector::RunSeed() {
  std::random_device device;
  const auto now = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  return (static_cast<std::uint64_t>(device()) << 32 | device()) ^ now;
}

std::int32_t TPictureSelector::NextInOrder(std::int32_t current, std::int32_t count) {
  return (current >= 0 && current < count - 1) ? current + 1 : 0;
}

std::int32_t TPictureSelector::ClampIndex(std::int32_t index, std::int32_t count) {
  if (count <= 0) return index;
  return std::clamp(index, 0, count - 1);
}

void TPictureSelector::NewRound() {
  Round.clear();
  Position = 0;
  LastDealt = -1;
}

void TPictureSelector::Removed(std::int32_t index) {
  const auto at = std::find(Round.begin(), Round.end(), index);
  if (LastDealt == index)
    LastDealt = -1;
  else if (LastDealt > index)
    --LastDealt;
  if (at == Round.end()) return;
  if (static_cast<std::size_t>(at - Round.begin()) < Position) --Position;
  Round.erase(at);
  for (auto& entry : Round)
    if (entry > index) --entry;
}

void TPictureSelector::Shuffle(std::int32_t count, std::int32_t avoidFirst) {
  Round.resize(static_cast<std::size_t>(count));
  std::iota(Round.begin(), Round.end(), 0);
  std::shuffle(Round.begin(), Round.end(), Generator);
  Position = 0;
  if (count >= 2 && Round.front() == avoidFirst) {
    std::uniform_int_distribution<std::size_t> other(1, Round.size() - 1);
    std::swap(Round.front(), Round[other(Generator)]);
  }
}

std::int32_t TPictureSelector::NextAtRandom(std::int32_t current, std::int32_t count) {
  if (count <= 1) return 0;
  // A round dealt for another list (changed without telling us) cannot go on.
  if (Round.size() != static_cast<std::size_t>(count)) Shuffle(count, current);
  // A current picture that was not dealt by us (picked by hand, or shown at start-up or
  // after a deletion) is on the desktop already: it counts as dealt in this round.
  if (current != LastDealt) {
    const auto undealt = Round.begin() + static_cast<std::ptrdiff_t>(Position);
    if (const auto at = std::find(undealt, Round.end(), current); at != Round.end()) {
      std::iter_swap(undealt, at);
      ++Position;
    }
  }
  if (Position == Round.size()) Shuffle(count, current);
  LastDealt = Round[Position++];
  return LastDealt;
}

}  // namespace tarvell
