#include "slideshow/FileMask.h"

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

}  // namespace tarvell
