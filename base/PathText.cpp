#include "base/PathText.h"

#include "base/CaseFold.h"

namespace tarvell {

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += separator;
  path += name;
  return path;
}

std::string AppendPathName(std::string_view folder, std::string_view name, char separator) {
  // Exactly the room it needs: a picture list keeps one such path per picture, and growing
  // a copy of the folder would leave about as much again unused in each.
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path += folder;
  path += separator;
  path += name;
  return path;
}

bool IsFullPath(std::string_view path) noexcept {
  const auto separator = [&](std::size_t at) { return path.size() > at && (path[at] == '\\' || path[at] == '/'); };
  const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return (letter && path.size() > 1 && path[1] == ':' && separator(2)) || (separator(0) && separator(1));
}

bool SamePathText(std::string_view a, std::string_view b) noexcept { return CompareFolded(a, b) == 0; }

std::string ExtendedLengthPath(std::string_view path) {
  if (path.size() < ClassicPathLimit) return std::string(path);
  std::string p(path);
  for (char& c : p)
    if (c == '/') c = '\\';
  if (p.rfind("\\\\?\\", 0) == 0 || p.rfind("\\\\.\\", 0) == 0) return p;
  const bool drive =
      p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' && p[2] == '\\';
  const bool unc = !drive && p.rfind("\\\\", 0) == 0;
  if (!drive && !unc) return p;
  // The extended form takes "a\\b" literally; the picture walk writes a root's entries that way.
  std::string body;
  for (std::size_t i = unc ? 2 : 0; i < p.size(); ++i)
    if (p[i] != '\\' || body.empty() || body.back() != '\\') body += p[i];
  return (unc ? "\\\\?\\UNC\\" : "\\\\?\\") + body;
}

}  // namespace tarvell
