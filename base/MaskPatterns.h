// A file mask such as "*.jpg;*.jpeg*" split into its patterns: separated by ";", empty
// patterns dropped, order kept.
#pragma once

#include <string_view>
#include <vector>

namespace tarvell {

// The views point into mask.
std::vector<std::string_view> SplitMask(std::string_view mask);

}  // namespace tarvell
