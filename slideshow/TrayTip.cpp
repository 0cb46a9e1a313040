#include "slideshow/TrayTip.h"

#include "base/Utf8.h"

namespace tarvell {

bool FitsTrayTip(std::string_view tip) noexcept { return CodePointCount(tip) <= MaxTrayTipLength; }

std::string TrayTipForPath(std::string_view path) {
  if (FitsTrayTip(path)) return std::string(path);
  constexpr std::string_view ellipsis = "...";
  return std::string(ellipsis) + std::string(LastCodePoints(path, MaxTrayTipLength - ellipsis.size()));
}

}  // namespace tarvell
