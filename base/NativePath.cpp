#include "base/NativePath.h"

#include "base/Utf8.h"

#include <vector>

namespace tarvell {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(std::string_view p) {
  return p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' &&
         IsSeparator(p[2]);
}

std::string ForThisSystem(std::string_view path) {
#ifdef _WIN32
  return ExactPath(path);
#else
  return std::string(path);
#endif
}

}  // namespace

std::string ExactPath(std::string_view path) {
  if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == '?' || path[2] == '.') &&
      IsSeparator(path[3]))
    return std::string(path);
  const bool drive = IsDriveRoot(path);
  const bool unc = !drive && path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  if (!drive && !unc) return std::string(path);

  // Split into names; the root's ("C:", or the server and share) are never climbed over.
  std::vector<std::string_view> names;
  std::size_t start = drive ? 3 : 2;
  const std::size_t fixed = unc ? 2 : 0;
  for (std::size_t i = start; i <= path.size(); ++i) {
    if (i < path.size() && !IsSeparator(path[i])) continue;
    const std::string_view name = path.substr(start, i - start);
    start = i + 1;
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      if (names.size() > fixed) names.pop_back();  // never above the root, as the system reads it
      continue;
    }
    names.push_back(name);
  }

  std::string exact = drive ? std::string("\\\\?\\") + path[0] + ":" : std::string("\\\\?\\UNC");
  for (const std::string_view name : names) {
    exact += '\\';
    exact += name;
  }
  // A drive's root keeps its backslash; so does a folder written with one at its end.
  if ((drive && names.empty()) || (!names.empty() && IsSeparator(path.back()))) exact += '\\';
  return exact;
}

std::u16string NativePathUtf16(std::string_view path) { return Utf16FromUtf8(ForThisSystem(path)); }

}  // namespace tarvell
