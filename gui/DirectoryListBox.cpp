#include "gui/DirectoryListBox.h"

#include "gui/DriveComboBox.h"
#include "gui/FolderPath.h"
#include "base/DirectoryLister.h"
#include "base/NameOrder.h"
#include "base/PathText.h"

#include <algorithm>
#include <cctype>

namespace tarvell {

namespace {
constexpr int IndentPixels = 10;
}

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner) : TVirtualListBox(AOwner), FDirectory(EnterLastFolder()) {
  FRowSpacing = 2;
  BuildList();
}

TDirectoryListBox::~TDirectoryListBox() {
  if (FDriveCombo) FDriveCombo->FDirList = nullptr;
  DestroyHandle();
}

char TDirectoryListBox::Drive() const noexcept {
  const bool lettered = FDirectory.size() >= 2 && FDirectory[1] == ':';
  return lettered ? static_cast<char>(std::tolower(static_cast<unsigned char>(FDirectory[0]))) : '\0';
}

void TDirectoryListBox::SetDrive(char drive) {
  if (std::tolower(static_cast<unsigned char>(drive)) == Drive()) return;
  SetDirectory(DriveCurrentFolder(drive));
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
  if (directory.empty() || SamePathText(directory, FDirectory)) return;
  FDirectory = EnterFolder(directory);  // throws, leaving everything as it was
  BuildList();
  if (FDriveCombo) FDriveCombo->DirectoryMoved(Drive());
  if (OnChange) OnChange(*this);
}

void TDirectoryListBox::SetLister(TDirectoryLister* lister) {
  FLister = lister;
  BuildList();
}

void TDirectoryListBox::BuildList() {
  std::vector<std::string> entries = SplitFolderPath(FDirectory);
  FDirectoryIndex = static_cast<int>(entries.size()) - 1;
  std::vector<TDirEntry> listed;
  if (FLister && FLister->List(FDirectory, listed) == 0) {
    for (TDirEntry& e : listed)
      if (e.IsFolder && !e.Hidden && !e.System) entries.push_back(std::move(e.Name));
    std::sort(entries.begin() + FDirectoryIndex + 1, entries.end(), NameLess);
  }
  FItems = std::move(entries);
  ShowVirtual(static_cast<int>(FItems.size()), [this](int i) { return FItems[static_cast<std::size_t>(i)]; });
  SetItemIndex(FDirectoryIndex);
}

std::string TDirectoryListBox::ItemPath(int index) const {
  if (index < 0 || index >= Count()) return FDirectory;
  if (index > FDirectoryIndex) return JoinPath(FDirectory, FItems[static_cast<std::size_t>(index)]);
  std::string path = FItems[0];
  for (int i = 1; i <= index; ++i) path = JoinPath(path, FItems[static_cast<std::size_t>(i)]);
  return path;
}

void TDirectoryListBox::DblClick() {
  TVirtualListBox::DblClick();  // the handler runs first: it may show the busy cursor for the move
  int index = ItemIndex();
  if (index >= 0) SetDirectory(ItemPath(index));
}

// A small folder glyph: open (filled) for the path, closed (outline) for subfolders.
int TDirectoryListBox::DrawBeforeText(HDC dc, const RECT& row, int index, bool selected) {
  const int left = row.left + 2 + (index <= FDirectoryIndex ? index : FDirectoryIndex + 1) * IndentPixels;
  const int right = left + (row.bottom - row.top) - 4;
  TGdiObject pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
  TSelectObject selectPen(dc, pen.get());
  TSelectObject selectBrush(dc, ::GetStockObject(index <= FDirectoryIndex ? GRAY_BRUSH : NULL_BRUSH));
  ::Rectangle(dc, left, row.top + 3, right, row.bottom - 3);
  return right + 4;
}

}  // namespace tarvell
