// NativePath apart from the rest of base/NativePath.cpp: a std::filesystem::path brings the
// standard library's locale machinery (its UTF-8 conversion), some 700 KB of code that
// Tarvell.exe, which opens files through the wide calls, links only when it calls this.
#include "base/NativePath.h"

namespace tarvell {

std::filesystem::path NativePath(std::string_view path) {
#ifdef _WIN32
  const std::string text = ExactPath(path);
#else
  const std::string text(path);
#endif
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace tarvell
