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

TShuffleState TPictureSelector::State() const {
  if (FRestored) return *FRestored;
  TShuffleState state;
  state.Order.reserve(Round.size());
  for (std::size_t i = 0; i < Round.size(); ++i) {
    const auto index = static_cast<std::size_t>(Round[i]);
    if (index >= FKeys.size()) continue;  // dealt for a list never given to Relist
    state.Order.push_back(FKeys[index]);
    if (i < Position) ++state.Shown;
  }
  return state;
}

void TPictureSelector::Restore(TShuffleState state) {
  state.Shown = std::min<std::uint64_t>(state.Shown, state.Order.size());
  FRestored = std::move(state);
  ++FChanges;
}

void TPictureSelector::Relist(const TPicturePaths& pictures) {
  const TShuffleState before = State();
  TShuffleState base = FRestored ? std::move(*FRestored) : before;
  FRestored.reset();
  // Whatever is current was not dealt for this list: it counts as dealt at the next choice.
  LastDealt = -1;
  Round.clear();
  Position = 0;
  FKeys.clear();
  if (pictures.empty()) {
    FRestored = std::move(base);
    return;
  }
  const std::size_t count = pictures.size();
  FKeys.resize(count);
  for (std::size_t i = 0; i < count; ++i) FKeys[i] = PictureKey(pictures[i]);

  // Each key's listed pictures, chained in list order: the round's places for a key go to
  // them in turn, so pictures whose keys collide still get one place each. The chains' heads
  // sit in an open-addressed table of at least twice the list's size: one block, no node a key.
  constexpr std::int32_t Empty = -1, Taken = -2;  // a slot never used; a key whose pictures all have a place
  struct TSlot {
    std::uint32_t Key = 0;
    std::int32_t Head = Empty;
  };
  int bits = 1;
  while ((std::size_t{1} << bits) < 2 * count) ++bits;
  std::vector<TSlot> table(std::size_t{1} << bits);
  const auto slotOf = [&](std::uint32_t key) -> TSlot& {
    auto at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - bits));  // the product's top bits
    while (table[at].Head != Empty && table[at].Key != key) at = (at + 1) % table.size();
    return table[at];
  };
  std::vector<std::int32_t> next(count, Taken);
  for (std::size_t i = count; i-- > 0;) {
    TSlot& slot = slotOf(FKeys[i]);
    next[i] = slot.Head == Empty ? Taken : slot.Head;
    slot = {FKeys[i], static_cast<std::int32_t>(i)};
  }
  std::vector<bool> placed(count, false);
  Round.reserve(count);
  for (std::size_t j = 0; j < base.Order.size(); ++j) {
    TSlot& slot = slotOf(base.Order[j]);
    if (slot.Head < 0) continue;  // gone from the list
    Round.push_back(slot.Head);
    placed[static_cast<std::size_t>(slot.Head)] = true;
    slot.Head = next[static_cast<std::size_t>(slot.Head)];
    if (j < base.Shown) ++Position;
  }

  // The new pictures, in random order, at random places among those not shown yet; the ones
  // there keep their order.
  std::vector<std::int32_t> added;
  for (std::size_t i = 0; i < count; ++i)
    if (!placed[i]) added.push_back(static_cast<std::int32_t>(i));
  if (!added.empty()) {
    std::shuffle(added.begin(), added.end(), Generator);
    const std::vector<std::int32_t> waiting(Round.begin() + static_cast<std::ptrdiff_t>(Position), Round.end());
    std::vector<bool> takesAdded(waiting.size() + added.size(), false);
    std::fill_n(takesAdded.begin(), added.size(), true);
    std::shuffle(takesAdded.begin(), takesAdded.end(), Generator);
    Round.resize(Position);
    auto old = waiting.begin();
    auto fresh = added.begin();
    for (const bool takes : takesAdded) Round.push_back(takes ? *fresh++ : *old++);
  }
  if (State() != before) ++FChanges;
}

void TPictureSelector::Removed(std::int32_t index) {
  if (index >= 0 && static_cast<std::size_t>(index) < FKeys.size()) FKeys.erase(FKeys.begin() + index);
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
  ++FChanges;
}

void TPictureSelector::Shuffle(std::int32_t count, std::int32_t current) {
  // The end of the round that is over, most recent last; nothing of a round for another list.
  const auto apart = static_cast<std::size_t>(2 * FPerChange - 1);
  std::vector<std::int32_t> recent;
  if (Round.size() == static_cast<std::size_t>(count))
    recent.assign(Round.end() - static_cast<std::ptrdiff_t>(std::min(apart, Round.size())), Round.end());
  if (current >= 0 && current < count && std::find(recent.begin(), recent.end(), current) == recent.end())
    recent.push_back(current);
  Round.resize(static_cast<std::size_t>(count));
  std::iota(Round.begin(), Round.end(), 0);
  std::shuffle(Round.begin(), Round.end(), Generator);
  Position = 0;
  KeepApart(recent);
}

void TPictureSelector::KeepApart(const std::vector<std::int32_t>& recent) {
  // With k pictures a change, the change where a round ends takes j of its pictures from the
  // old round's end and k - j from the new one's start, and the change after it k more; so
  // the new round's first 2k - 1 places must hold none of the old round's last 2k - 1.
  // A list too short for that keeps the most recent ones out of as many places as it can.
  const std::size_t count = Round.size();
  if (count < 2 || recent.empty()) return;
  const std::size_t kept = std::min(recent.size(), count - 1);
  const std::size_t front = std::min(static_cast<std::size_t>(2 * FPerChange - 1), count - kept);
  std::vector<bool> isRecent(count, false);
  for (auto it = recent.end() - static_cast<std::ptrdiff_t>(kept); it != recent.end(); ++it)
    isRecent[static_cast<std::size_t>(*it)] = true;
  std::vector<std::size_t> others;  // places behind the front that may take a recent one
  for (std::size_t i = front; i < count; ++i)
    if (!isRecent[static_cast<std::size_t>(Round[i])]) others.push_back(i);
  for (std::size_t i = 0; i < front; ++i) {
    if (!isRecent[static_cast<std::size_t>(Round[i])]) continue;
    std::uniform_int_distribution<std::size_t> pick(0, others.size() - 1);
    const std::size_t chosen = pick(Generator);
    std::swap(Round[i], Round[others[chosen]]);
    others[chosen] = others.back();
    others.pop_back();
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
  ++FChanges;
  return LastDealt;
}

}  // namespace tarvell
