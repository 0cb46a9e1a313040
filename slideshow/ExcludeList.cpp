#include "slideshow/ExcludeList.h"

#include "base/PathText.h"
#include "base/TextLines.h"

#include <algorithm>

namespace tarvell {

namespace {

bool IsPathLine(std::string_view line) { return IsFullPath(line) && line.find_first_of("\r\n") == line.npos; }

}  // namespace

TExcludeList TExcludeList::Parse(std::string_view text) {
  TExcludeList list;
  for (const std::string_view line : TextLines(text)) {
    const bool path = IsPathLine(line);
    if (!path || !list.Contains(line)) list.FLines.push_back(TLine{std::string(line), path});
  }
  return list;
}

std::string TExcludeList::Format(const TExists& exists) {
  std::erase_if(FLines, [&](const TLine& line) { return line.Path && !exists(line.Text); });
  std::string text;
  for (const TLine& line : FLines) {
    text += line.Text;
    text += "\r\n";
  }
  return text;
}

bool TExcludeList::Contains(std::string_view path) const noexcept {
  return std::ranges::any_of(FLines, [&](const TLine& line) { return line.Path && SamePathText(line.Text, path); });
}

bool TExcludeList::Add(std::string_view path) {
  if (!IsPathLine(path) || Contains(path)) return false;
  FLines.push_back(TLine{std::string(path), true});
  return true;
}

bool TExcludeList::Remove(std::string_view path) {
  return std::erase_if(FLines, [&](const TLine& line) { return line.Path && SamePathText(line.Text, path); }) > 0;
}

std::vector<std::string> TExcludeList::Paths() const {
  std::vector<std::string> paths;
  for (const TLine& line : FLines)
    if (line.Path) paths.push_back(line.Text);
  return paths;
}

}  // namespace tarvell
