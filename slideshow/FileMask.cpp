#include "slideshow/FileMask.h"

#include "base/CaseFold.h"
#include "base/MaskPatterns.h"

namespace tarvell {

TFileMask::TFileMask(std::string_view mask) : Patterns() {
  for (std::string_view pattern : SplitMask(mask)) Patterns.emplace_back(pattern);
}

bool TFileMask::Matches(std::string_view name) const {
  for (const auto& pattern : Patterns)
    if (MatchesPattern(pattern, name)) return true;
  return false;
}

bool TFileMask::MatchesPattern(std::string_view pattern, std::string_view name) {
  // Greedy matching with one backtrack point: on a mismatch the last "*" takes one more
  // character. Linear for patterns with a single "*" run, never exponential. Positions
  // move by whole characters, so a "*" never takes half of one.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string_view::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    std::size_t nextP = p;
    std::size_t nextN = n;
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && NextFoldedCharacter(pattern, nextP) == NextFoldedCharacter(name, nextN)) {
      p = nextP;
      n = nextN;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      NextFoldedCharacter(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tarvell
