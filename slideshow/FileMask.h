#pragma once
// A file mask such as "*.jpg;*.jpeg*" (its patterns: base/MaskPatterns.h). A name matches
// the mask when it matches any of its patterns, so a name matching two patterns is still
// one match.

#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

inline constexpr std::string_view PictureMask = "*.jpg;*.jpeg*";

class TFileMask {
public:
  explicit TFileMask(std::string_view mask);

  bool Matches(std::string_view name) const;

private:
  std::vector<std::string> Patterns;
};

}  // namespace tarvell
