#include "gui/DirectoryListBox.h"

#include "gui/DriveComboBox.h"
#include "gui/FolderPath.h"
#include "base/DirectoryLister.h"
#include "base/NameOrder.h"
#include "base/PathText.h"
#include "base/WideText.h"

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
  if (FDirectory.size() >= 2 && FDirectory[1] == ':') {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(FDirectory[0])));
  }
  return '\0';
}

void TDirectoryListBox::SetDrive(char drive) {
  if (std::tolower(static_cast<unsigned char>(drive)) == Drive()) return;
  SetDirectory(DriveCurrentFolder(drive));
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
  if (directory.empty() || SamePathText(directory, FDirectory)) return;
  std::string entered = EnterFolder(directory);  // throws, leaving everything as it was
  FDirectory = entered;
  BuildList();
  if (FDriveCombo) FDriveCombo->DirectoryMoved(Drive());
  if (OnChange) OnChange(*this);
}

void TDirectoryListBox::Update() { BuildList(); }

void TDirectoryListBox::SetLister(TDirectoryLister* lister) {
  FLister = lister;
  BuildList();
}

void TDirectoryListBox::BuildList() {
  std::vector<std::string> entries = SplitFolderPath(FDirectory);
  FDirectoryIndex = static_cast<int>(entries.size()) - 1;
  std::vector<TDirEntry> listed;
  if (FLister && FLister->List(FDirectory, listed) == 0) {
    for (TDirEntry& e : listed) {
      if (e.IsFolder && !e.Hidden && !e.System) entries.push_back(std::move(e.Name));
    }
    std::sort(entries.begin() + FDirectoryIndex + 1, entries.end(), NameLess);
  }
  FItems = std::move(entries);
  ShowVirtual(static_cast<int>(FItems.size()), [this](int i) { return FItems[static_cast<std::size_t>(i)]; });
  SetItemIndex(FDirectoryIndex);
}

int TDirectoryListBox::EntryLevel(int index) const noexcept {
  return index <= FDirectoryIndex ? index : FDirectoryIndex + 1;
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

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (dis.itemID == static_cast<UINT>(-1) || static_cast<int>(dis.itemID) >= Count()) return;
  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  HBRUSH back = selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : BackgroundBrush();
  if (back) ::FillRect(dis.hDC, &dis.rcItem, back);
  int index = static_cast<int>(dis.itemID);
  RECT r = dis.rcItem;
  r.left += 2 + EntryLevel(index) * IndentPixels;
  // A small folder glyph: open (filled) for the path, closed (outline) for subfolders.
  int glyph = (r.bottom - r.top) - 6;
  RECT box{r.left, r.top + 3, r.left + glyph + 2, r.bottom - 3};
  COLORREF ink = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  TGdiObject pen(::CreatePen(PS_SOLID, 1, ink));
  TSelectObject selectPen(dis.hDC, pen.get());
  TSelectObject selectBrush(dis.hDC, ::GetStockObject(index <= FDirectoryIndex ? GRAY_BRUSH : NULL_BRUSH));
  ::Rectangle(dis.hDC, box.left, box.top, box.right, box.bottom);
  r.left = box.right + 4;
  TSelectObject font(dis.hDC, Font().Handle());
  ::SetBkMode(dis.hDC, TRANSPARENT);
  ::SetTextColor(dis.hDC, selected ? ink : ColorToRGB(Font().Color()));
  const std::wstring text = Widen(FItems[static_cast<std::size_t>(index)]);
  ::DrawTextW(dis.hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &dis.rcItem);
}

}  // namespace tarvell
