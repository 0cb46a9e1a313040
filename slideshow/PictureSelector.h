#pragma once
// Chooses the next picture of the list.
//
// In list order the next entry follows, and the first follows the last.
// At random the list is dealt in rounds: every picture comes once per round in a random
// order, and a new round is shuffled when one ends. The picture that is current is never
// chosen again at once (with two or more pictures), also across the start of a round.
// A current picture that was not dealt here (picked by hand, shown at start-up or after
// a deletion) counts as dealt in the running round. The generator is seeded once per run.

#include <cstdint>
#include <random>
#include <vector>

namespace tarvell {

class TPictureSelector {
public:
  explicit TPictureSelector(std::uint64_t seed);

  // A seed that differs from run to run.
  static std::uint64_t RunSeed();

  // The index after `current` in a list of `count` (≥ 1) entries, in list order.
  static std::int32_t NextInOrder(std::int32_t current, std::int32_t count);

  // The next index at random in a list of `count` (≥ 1) entries; `current` is the
  // picture shown now. A list of one gives 0.
  std::int32_t NextAtRandom(std::int32_t current, std::int32_t count);

  // The list was rebuilt: the next random choice starts a new round.
  void NewRound();

  // The entry at `index` was removed from the list; the round goes on without it.
  void Removed(std::int32_t index);

  // A current index for a list of `count` entries: one beyond the end is pulled back to
  // the last entry and a negative one to the first; with an empty list it stays as it is.
  static std::int32_t ClampIndex(std::int32_t index, std::int32_t count);

private:
  void Shuffle(std::int32_t count, std::int32_t avoidFirst);

  std::mt19937_64 Generator;
  std::vector<std::int32_t> Round;  // the current round's order
  std::size_t Position;             // how much of the round has been dealt
  std::int32_t LastDealt;           // the index returned last, -1 when none
};

}  // namespace tarvell
