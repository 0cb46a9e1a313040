// A path of the program's UTF-8 text as the standard library's file calls take it. On Windows
// the text is read as UTF-8 (not in the process's code page) and an absolute path takes its
// exact "\\?\" form, so names in any script, paths past 260 characters and names that end in
// a dot or a space open as themselves.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvell {

// The "\\?\" form of an absolute path ("C:\..." or "\\server\share\..."), whatever its length:
// "C:\..." becomes "\\?\C:\..." and "\\server\share\..." becomes "\\?\UNC\server\share\...",
// with '/' made '\\', doubled separators made single and "." and ".." resolved (the form
// takes every name literally). Nothing else changes, so "a.jpeg." stays "a.jpeg." instead of
// becoming its neighbour "a.jpeg". Relative paths, and paths already in a "\\?\" or "\\.\"
// form, are returned as they are.
std::string ExactPath(std::string_view path);

std::filesystem::path NativePath(std::string_view path);

// The UTF-16 text of NativePath, for the wide Windows calls of the core's Windows files.
std::u16string NativePathUtf16(std::string_view path);

}  // namespace tarvell
