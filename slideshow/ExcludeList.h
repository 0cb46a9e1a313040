#pragma once
// The pictures never to show again, kept in "Tarvell.exclude" beside the settings: UTF-8, one
// full path a line. The user may edit the file while the program is not running, so blank
// lines, lines starting with '#' and lines that are not full paths are kept as they are and
// written back in their places. Paths compare as Windows compares names, ignoring case; a path
// listed twice counts once and is written once.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

class TExcludeList {
public:
  using TExists = std::function<bool(const std::string& path)>;

  static TExcludeList Parse(std::string_view text);

  // The file's text, CR LF after each line. The pictures whose files are gone leave the list
  // first, so what is shown matches what is saved.
  std::string Format(const TExists& exists);

  bool Contains(std::string_view path) const noexcept;
  // False when the path is already listed, or is not a full path (it would not read back).
  bool Add(std::string_view path);
  // False when it is not listed.
  bool Remove(std::string_view path);

  // The excluded pictures in the file's order, for the list the user takes them back from.
  std::vector<std::string> Paths() const;

private:
  struct TLine {
    std::string Text;
    bool Path;  // else a comment, a blank line or something else the user wrote, kept as it is
  };
  std::vector<TLine> FLines;
};

}  // namespace tarvell
