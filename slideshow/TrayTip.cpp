#include "slideshow/TrayTip.h"

namespace tarvell {

std::string TrayTipForPath(std::string_view path) {
  if (FitsTrayTip(path)) return std::string(path);
  constexpr std::string_view ellipsis = "...";
  return std::string(ellipsis) + std::string(path.substr(path.size() - (MaxTrayTipLength - ellipsis.size())));
}

}  // namespace tarvell
