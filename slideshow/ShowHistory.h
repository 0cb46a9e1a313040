#pragma once
// The wallpapers shown, newest last, for Previous and for Next after it: a browser's back and
// forward over the last HistoryCapacity changes. An entry is one change: one path per monitor,
// in monitor order (a single path without monitors of their own).
//
// Use: Record() each change made anew (automatic, Next with nothing ahead, a pick, Set
// wallpaper); Previous applies what Back() gives; Next applies what Forward() gives while
// SteppedBack(), else takes a new picture and records it. What Back() and Forward() give is
// not recorded again: the position has moved to it already. The file system is the caller's:
// both take a predicate that says whether a file is there, and pass over entries with one gone.
//
// The file "Tarvell.history": UTF-8, one entry a line, newest last, its paths joined by '|'
// (no Windows name holds one). While stepped back, a first line "<N" says the entry shown is N
// before the newest; '<' starts no full path. Lines that are not entries (empty, damaged,
// not full paths) are dropped when read.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

inline constexpr std::size_t HistoryCapacity = 500;

using THistoryEntry = std::vector<std::string>;

class TShowHistory {
public:
  using TExists = std::function<bool(const std::string& path)>;

  // Drops what does not read back as an entry; see above.
  static TShowHistory Parse(std::string_view text);
  // The file's text, CR LF after each line.
  std::string Format() const;

  // After a change made anew: it goes at the end, also while stepped back, and is the one shown;
  // the oldest goes beyond HistoryCapacity. The same paths as the newest, shown again, are not a
  // new step (or Previous would seem to do nothing). An entry that would not read back from the
  // file (no path, a path that is not full or holds '|' or a line break) is not recorded: false.
  bool Record(THistoryEntry entry);

  // The nearest entry before (after) the one shown whose files are all there, which then is the
  // one shown; nothing, and no move, when there is none.
  std::optional<THistoryEntry> Back(const TExists& exists);
  std::optional<THistoryEntry> Forward(const TExists& exists);

  // Whether entries follow the one shown: Next walks forward before it takes a new picture.
  bool SteppedBack() const noexcept { return !FEntries.empty() && FShown + 1 < FEntries.size(); }

  const std::vector<THistoryEntry>& Entries() const noexcept { return FEntries; }
  // The index of the entry shown; 0 in an empty history.
  std::size_t Shown() const noexcept { return FShown; }

private:
  std::optional<THistoryEntry> StepTo(std::size_t step, const TExists& exists);

  std::vector<THistoryEntry> FEntries;
  std::size_t FShown = 0;
};

}  // namespace tarvell
