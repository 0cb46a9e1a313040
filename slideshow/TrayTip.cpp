#include "slideshow/TrayTip.h"

#include "base/Utf8.h"

namespace tarvell {

namespace {

// A code point beyond the Basic Multilingual Plane takes a surrogate pair.
std::size_t UnitsOf(char32_t c) noexcept { return c > 0xFFFF ? 2 : 1; }

}  // namespace

std::size_t Utf16Units(std::string_view text) noexcept {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) units += UnitsOf(NextCodePoint(text, at));
  return units;
}

bool FitsTrayTip(std::string_view tip, std::size_t maxUnits) noexcept { return Utf16Units(tip) <= maxUnits; }

std::string TrayTipForPath(std::string_view path, std::size_t maxUnits) {
  const std::size_t total = Utf16Units(path);
  if (total <= maxUnits) return std::string(path);
  constexpr std::string_view Ellipsis = "...";
  if (maxUnits <= Ellipsis.size()) return std::string(Ellipsis.substr(0, maxUnits));
  // Drop whole characters from the front until the rest fits behind the ellipsis.
  std::size_t excess = total - (maxUnits - Ellipsis.size());
  std::size_t at = 0;
  while (excess > 0) {
    const std::size_t units = UnitsOf(NextCodePoint(path, at));
    excess = units >= excess ? 0 : excess - units;
  }
  return std::string(Ellipsis) + std::string(path.substr(at));
}

}  // namespace tarvell
