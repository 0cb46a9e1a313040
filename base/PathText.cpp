#include "base/PathText.h"

namespace tarvell {

namespace {
constexpr char FoldAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += separator;
  path += name;
  return path;
}

std::string AppendPathName(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  path += separator;
  path += name;
  return path;
}

bool SamePathText(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace tarvell
