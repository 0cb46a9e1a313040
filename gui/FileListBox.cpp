#include "gui/FileListBox.h"

#include "gui/DirectoryListBox.h"
#include "gui/FolderPath.h"
#include "base/DirectoryLister.h"
#include "base/MaskPatterns.h"
#include "base/NameOrder.h"

#include <algorithm>

namespace tarvell {

TFileListBox::TFileListBox(TComponent* AOwner) : TListBox(AOwner), FDirectory(EnterLastFolder()) { Update(); }

TFileListBox::~TFileListBox() {
  if (FDirList) FDirList->FFileList = nullptr;
  DestroyHandle();
}

void TFileListBox::Update() {
  FUnread = true;
  if (Visible()) Read();
}

void TFileListBox::Read() {
  FUnread = false;
  std::vector<TDirEntry> listed;
  std::vector<std::string> names;
  if (FLister && FLister->List(FDirectory, listed) == 0) {
    for (std::string_view pattern : SplitMask(FMask)) {
      for (const TDirEntry& e : listed) {
        if (!e.IsFolder && !e.Hidden && !e.System && MatchesPattern(pattern, e.Name)) names.push_back(e.Name);
      }
    }
    std::stable_sort(names.begin(), names.end(), NameLess);
  }
  SetItems(std::move(names));
}

const std::vector<std::string>& TFileListBox::Items() {
  if (FUnread) Read();
  return TListBox::Items();
}

void TFileListBox::SetVisible(bool visible) {
  if (visible && FUnread) Read();
  TListBox::SetVisible(visible);
}

void TFileListBox::SetLister(TDirectoryLister* lister) {
  FLister = lister;
  Update();
}

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

}  // namespace tarvell
