#include "base/MaskPatterns.h"

#include "base/CaseFold.h"

namespace tarvell {

std::vector<std::string_view> SplitMask(std::string_view mask) {
  std::vector<std::string_view> patterns;
  std::size_t start = 0;
  while (start <= mask.size()) {
    std::size_t end = mask.find(';', start);
    if (end == std::string_view::npos) end = mask.size();
    if (end > start) patterns.push_back(mask.substr(start, end - start));
    start = end + 1;
  }
  return patterns;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
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
