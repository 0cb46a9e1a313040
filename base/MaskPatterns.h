// A file mask such as "*.jpg;*.jpeg*": its patterns, separated by ";", and how one pattern
// matches a name. In a pattern "*" stands for any run of characters (also none) and every
// other character must match letter for letter, ignoring the case of every letter
// (base/CaseFold.h).
#pragma once

#include <string_view>
#include <vector>

namespace tarvell {

// Empty patterns dropped, order kept; the views point into mask.
std::vector<std::string_view> SplitMask(std::string_view mask);

bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace tarvell
