#pragma once
// The tool tip of the tray icon. Windows' record holds 127 UTF-16 units and a terminating
// zero (a tray icon that speaks the record's first version, fewer); the icon keeps its
// previous tip when given a longer one. A picture path longer than the tray takes is
// therefore shortened for the tip, keeping its end (the file name) with "..." in front, so
// the tip always names the picture that is on the desktop. Length is counted in UTF-16
// units, as the record holds the text, and the path is cut only between characters, so a
// surrogate pair is never split.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr std::size_t MaxTrayTipUnits = 127;

// The UTF-16 units that the UTF-8 `text` takes.
std::size_t Utf16Units(std::string_view text) noexcept;

// Whether a tray that takes `maxUnits` takes `tip` as it is.
bool FitsTrayTip(std::string_view tip, std::size_t maxUnits = MaxTrayTipUnits) noexcept;

// `path` itself when it fits, else "..." and as much of its end as fits behind it.
std::string TrayTipForPath(std::string_view path, std::size_t maxUnits = MaxTrayTipUnits);

}  // namespace tarvell
