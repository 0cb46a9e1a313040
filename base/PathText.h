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

// Whether two path texts are the same text, ignoring ASCII case.
bool SamePathText(std::string_view a, std::string_view b) noexcept;

}  // namespace tarvell
