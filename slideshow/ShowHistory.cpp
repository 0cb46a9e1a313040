#include "slideshow/ShowHistory.h"

#include "base/PathText.h"
#include "base/TextLines.h"
#include "base/WholeNumber.h"

#include <algorithm>

namespace tarvell {

namespace {

constexpr char PathSeparator = '|';
constexpr char StepsBackMark = '<';

bool Writable(const THistoryEntry& entry) {
  return !entry.empty() && std::ranges::all_of(entry, [](const std::string& path) {
    return IsFullPath(path) && path.find_first_of("|\r\n") == std::string::npos;
  });
}

bool SamePaths(const THistoryEntry& a, const THistoryEntry& b) {
  return std::ranges::equal(a, b, [](const std::string& x, const std::string& y) { return SamePathText(x, y); });
}

THistoryEntry SplitEntry(std::string_view line) {
  THistoryEntry entry;
  for (;;) {
    const std::size_t end = line.find(PathSeparator);
    entry.emplace_back(line.substr(0, end));
    if (end == std::string_view::npos) return entry;
    line.remove_prefix(end + 1);
  }
}

}  // namespace

TShowHistory TShowHistory::Parse(std::string_view text) {
  TShowHistory history;
  const auto lines = TextLines(text);
  std::size_t stepsBack = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 0 && lines[0].starts_with(StepsBackMark)) {
      const auto steps = ParseWholeNumber(lines[0].substr(1));
      if (steps && *steps > 0) stepsBack = static_cast<std::size_t>(*steps);
      continue;
    }
    THistoryEntry entry = SplitEntry(lines[i]);
    if (Writable(entry)) history.FEntries.push_back(std::move(entry));
  }
  auto& entries = history.FEntries;
  if (entries.size() > HistoryCapacity) entries.erase(entries.begin(), entries.end() - HistoryCapacity);
  if (!entries.empty()) history.FShown = entries.size() - 1 - std::min(stepsBack, entries.size() - 1);
  return history;
}

std::string TShowHistory::Format() const {
  std::string text;
  if (SteppedBack()) text = StepsBackMark + std::to_string(FEntries.size() - 1 - FShown) + "\r\n";
  for (const THistoryEntry& entry : FEntries) {
    for (std::size_t i = 0; i < entry.size(); ++i) {
      if (i > 0) text += PathSeparator;
      text += entry[i];
    }
    text += "\r\n";
  }
  return text;
}

bool TShowHistory::Record(THistoryEntry entry) {
  if (!Writable(entry)) return false;
  if (FEntries.empty() || !SamePaths(FEntries.back(), entry)) {
    FEntries.push_back(std::move(entry));
    if (FEntries.size() > HistoryCapacity) FEntries.erase(FEntries.begin());
  }
  FShown = FEntries.size() - 1;
  return true;
}

std::optional<THistoryEntry> TShowHistory::Back(const TExists& exists) { return StepTo(~std::size_t{0}, exists); }

std::optional<THistoryEntry> TShowHistory::Forward(const TExists& exists) { return StepTo(1, exists); }

std::optional<THistoryEntry> TShowHistory::StepTo(std::size_t step, const TExists& exists) {
  // Unsigned: a step back from the first entry wraps past the end and stops the walk.
  for (std::size_t at = FShown + step; at < FEntries.size(); at += step) {
    if (std::ranges::all_of(FEntries[at], exists)) {
      FShown = at;
      return FEntries[at];
    }
  }
  return std::nullopt;
}

}  // namespace tarvell
