#pragma once
// The tool tip of the tray icon holds at most 63 characters; the icon keeps its previous
// tip when given a longer one. A picture path that long is therefore shortened for the
// tip, keeping its end (the file name) with "..." in front, so the tip always names the
// picture that is on the desktop. Characters are code points of the UTF-8 text, and the
// path is cut only between them.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr std::size_t MaxTrayTipLength = 63;

// Whether the tray icon takes `tip` as it is.
bool FitsTrayTip(std::string_view tip) noexcept;

// `path` itself when it fits, else "..." and its last 60 characters.
std::string TrayTipForPath(std::string_view path);

}  // namespace tarvell
