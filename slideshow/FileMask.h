#pragma once
// A file mask such as "*.jpg;*.jpeg*": patterns separated by ";". In a pattern "*"
// stands for any run of characters (also none) and every other character must match
// letter for letter, ignoring the case of every letter (base/CaseFold.h). A name matches
// the mask when it matches any of its patterns, so a name matching two patterns is still
// one match.

#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

inline constexpr std::string_view PictureMask = "*.jpg;*.jpeg*;*.png;*.webp";

class TFileMask {
public:
  explicit TFileMask(std::string_view mask);

  bool Matches(std::string_view name) const;

  // A single pattern against a name.
  static bool MatchesPattern(std::string_view pattern, std::string_view name);

private:
  std::vector<std::string> Patterns;
};

}  // namespace tarvell
