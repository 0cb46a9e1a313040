#include "app/SystemFolderLister.h"

#include "base/MaskPatterns.h"
#include "slideshow/FileMask.h"
#include "slideshow/NameOrder.h"
#include "app/Win32DirectoryLister.h"

#include <algorithm>

namespace tarvell {

namespace {

bool Visible(const TDirEntry& e) noexcept { return !e.Hidden && !e.System; }

bool ByName(const std::string& a, const std::string& b) { return NameLess(a, b); }

}  // namespace

std::vector<std::string> TSystemFolderLister::Subfolders(const std::string& folder) {
  std::vector<TDirEntry> entries;
  std::vector<std::string> names;
  if (TWin32DirectoryLister().List(folder, entries) != 0) return names;
  for (const TDirEntry& e : entries) {
    if (e.IsFolder && Visible(e)) names.push_back(e.Name);
  }
  std::sort(names.begin(), names.end(), ByName);
  return names;
}

std::vector<std::string> TSystemFolderLister::MatchingFiles(const std::string& folder, const std::string& mask) {
  std::vector<TDirEntry> entries;
  std::vector<std::string> names;
  if (TWin32DirectoryLister().List(folder, entries) != 0) return names;
  for (std::string_view pattern : SplitMask(mask)) {
    for (const TDirEntry& e : entries) {
      if (!e.IsFolder && Visible(e) && TFileMask::MatchesPattern(pattern, e.Name)) names.push_back(e.Name);
    }
  }
  std::stable_sort(names.begin(), names.end(), ByName);
  return names;
}

}  // namespace tarvell
