// Path text without a file system: joining a folder and a name, comparing folder texts.
#pragma once

#include <string>
#include <string_view>

namespace tarvell {

// folder + separator + name. No separator is added after a folder that already ends in one
// ('\\' or '/', so "C:\" + name keeps the root's single backslash), and an empty folder
// gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name, char separator = '\\');

// folder + separator + name, the separator always added: the picture walk writes its entries
// this way, so a picture in a drive's root reads "C:\\name".
std::string AppendPathName(std::string_view folder, std::string_view name, char separator);

// Whether the text names a file by a full path: a drive's ("C:\...") or a share's
// ("\\server\...", the "\\?\" forms too), with '\\' or '/'. Relative ones ("a\b", "\a", "C:a") are not.
bool IsFullPath(std::string_view path) noexcept;

// Whether two path texts are the same text, ignoring the case of every letter (base/CaseFold.h).
bool SamePathText(std::string_view a, std::string_view b) noexcept;

// Paths at least this long (in bytes, which is never fewer than UTF-16 units) take the
// extended-length form; 248 rather than 260 because folders are created with 12 characters
// left for an 8.3 name.
inline constexpr std::size_t ClassicPathLimit = 248;

// The "\\?\" form of a long absolute path, so calls reach past the classic length limit:
// "C:\..." becomes "\\?\C:\..." and "\\server\share\..." becomes "\\?\UNC\server\share\...",
// with '/' turned into '\\' and doubled separators made single (the extended form takes
// names literally). Short, relative or already extended paths are returned as they are.
std::string ExtendedLengthPath(std::string_view path);

}  // namespace tarvell
