#pragma once
// Chooses the next picture of the list.
//
// In list order the next entry follows, and the first follows the last.
// At random the list is dealt in rounds: every picture comes once per round in a random
// order, and a new round is shuffled when one ends. The picture that is current is never
// chosen again at once (with two or more pictures), also across the start of a round.
// A current picture that was not dealt here (picked by hand, shown at start-up or after
// a deletion) counts as dealt in the running round. The generator is seeded once per run.
//
// The round outlives listings and restarts: it is kept as the pictures' keys (ShuffleFile.h),
// and each listing (Relist) carries it over to the new list. Pictures still listed keep their
// place, shown or not; pictures gone leave; new ones join the part not shown yet at random.
// Where a round ends, the pictures of the last changes (PicturesPerChange each) are kept out
// of the new round's first changes, so no change repeats one of the change before it.

#include "slideshow/PicturePaths.h"
#include "slideshow/ShuffleFile.h"

#include <cstdint>
#include <optional>
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

  // The list is now `pictures` (each listing): the round goes on over it, as said above.
  // An empty list deals nothing; the round is kept for the next listing that has pictures
  // (a folder that could not be read for a while loses nothing).
  void Relist(const TPicturePaths& pictures);

  // The entry at `index` was removed from the list; the round goes on without it.
  void Removed(std::int32_t index);

  // How many pictures a change shows (one per monitor): that many changes' pictures are kept
  // apart where one round ends and the next begins.
  void SetPicturesPerChange(std::int32_t pictures) noexcept { FPerChange = pictures < 1 ? 1 : pictures; }

  // The round as keys, to be saved; and one saved before, applied at the next Relist.
  TShuffleState State() const;
  void Restore(TShuffleState state);
  // Grows whenever State() changes: the round's file needs writing only then.
  std::uint64_t Changes() const noexcept { return FChanges; }

  // A current index for a list of `count` entries: one beyond the end is pulled back to
  // the last entry and a negative one to the first; with an empty list it stays as it is.
  static std::int32_t ClampIndex(std::int32_t index, std::int32_t count);

private:
  void Shuffle(std::int32_t count, std::int32_t current);
  // Moves the pictures of `recent` out of the first places of the round just shuffled.
  void KeepApart(const std::vector<std::int32_t>& recent);

  std::mt19937_64 Generator;
  std::vector<std::int32_t> Round;  // the current round's order, as list indexes
  std::size_t Position;             // how much of the round has been dealt
  std::int32_t LastDealt;           // the index returned last, -1 when none
  std::vector<std::uint32_t> FKeys;        // each listed picture's key, by index
  std::optional<TShuffleState> FRestored;  // a round waiting for the next listing
  std::int32_t FPerChange = 1;
  std::uint64_t FChanges = 0;
};

}  // namespace tarvell
