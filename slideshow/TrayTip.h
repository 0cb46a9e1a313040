#pragma once
// The tool tip of the tray icon: the record that carries it holds 127 UTF-16 units and a
// terminating zero. A picture path longer than that is shortened for the tip, keeping its
// end (the file name) with "..." in front, so the tip always names the picture that is on
// the desktop. Length is counted in UTF-16 units, as the record holds the text, and the
// path is cut only between characters, so a surrogate pair is never split.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr std::size_t MaxTrayTipUnits = 127;

// The UTF-16 units that the UTF-8 `text` takes.
std::size_t Utf16Units(std::string_view text) noexcept;

// Whether the tray icon takes `tip` as it is.
bool FitsTrayTip(std::string_view tip) noexcept;

// `path` itself when it fits, else "..." and as much of its end as fits behind it.
std::string TrayTipForPath(std::string_view path);

}  // namespace tarvell
