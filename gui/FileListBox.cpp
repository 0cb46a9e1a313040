#include "gui/FileListBox.h"

#include "gui/DirectoryListBox.h"
#include "gui/FolderPath.h"
#include "slideshow/FileMask.h"
#include "slideshow/NameOrder.h"
#include "slideshow/Win32DirectoryLister.h"

#include <algorithm>

namespace tarvell {

TFileListBox::TFileListBox(TComponent* AOwner) : TListBox(AOwner), FDirectory(EnterFolder(".")) { Update(); }

TFileListBox::~TFileListBox() {
  if (FDirList) FDirList->FFileList = nullptr;
  DestroyHandle();
}

std::vector<std::string> TFileListBox::MatchingNames(const std::string& folder, const std::string& mask) {
  std::vector<TDirEntry> entries;
  TWin32DirectoryLister lister;
  std::vector<std::string> names;
  if (lister.List(folder, entries) != 0) return names;
  std::size_t start = 0;
  while (start <= mask.size()) {
    std::size_t end = mask.find(';', start);
    if (end == std::string::npos) end = mask.size();
    std::string_view pattern(mask.data() + start, end - start);
    if (!pattern.empty()) {
      for (const TDirEntry& e : entries) {
        if (!e.IsFolder && !e.Hidden && !e.System && TFileMask::MatchesPattern(pattern, e.Name)) {
          names.push_back(e.Name);
        }
      }
    }
    start = end + 1;
  }
  // Equal names keep the order of the patterns that found them, as sorted insertion would.
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return NameLess(a, b); });
  return names;
}

void TFileListBox::Update() { SetItems(MatchingNames(FDirectory, FMask)); }

void TFileListBox::SetMask(const std::string& mask) {
  if (mask == FMask) return;
  FMask = mask;
  Update();
}

void TFileListBox::SetDirectory(const std::string& directory) {
  if (directory.empty() || SameFolderText(directory, FDirectory)) return;
  FDirectory = EnterFolder(directory);
  Update();
}

bool TFileListBox::SetProperty(std::string_view name, std::string_view value) {
  if (name == "Mask") {
    SetMask(std::string(value));
    return true;
  }
  return TListBox::SetProperty(name, value);
}

}  // namespace tarvell
