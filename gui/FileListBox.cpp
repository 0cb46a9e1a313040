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
  FUnread = true;
  if (Visible()) Read();
}

void TFileListBox::Read() {
  FUnread = false;
  SetItems(FLister ? FLister->MatchingFiles(FDirectory, FMask) : std::vector<std::string>());
}

const std::vector<std::string>& TFileListBox::Items() {
  if (FUnread) Read();
  return TListBox::Items();
}

void TFileListBox::SetVisible(bool visible) {
  if (visible && FUnread) Read();
  TListBox::SetVisible(visible);
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
