#include "gui/FileListBox.h"

#include "gui/DirectoryListBox.h"
#include "gui/FolderLister.h"
#include "gui/FolderPath.h"

namespace tarvell {

TFileListBox::TFileListBox(TComponent* AOwner) : TListBox(AOwner), FDirectory(EnterLastFolder()) { Update(); }

TFileListBox::~TFileListBox() {
  if (FDirList) FDirList->FFileList = nullptr;
  DestroyHandle();
}

void TFileListBox::Update() {
  SetItems(FLister ? FLister->MatchingFiles(FDirectory, FMask) : std::vector<std::string>());
}

void TFileListBox::SetLister(TFolderLister* lister) {
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
