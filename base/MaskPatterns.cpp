#include "base/MaskPatterns.h"

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

}  // namespace tarvell
