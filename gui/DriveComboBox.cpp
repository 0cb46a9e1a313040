#include "gui/DriveComboBox.h"

#include "gui/DirectoryListBox.h"
#include "gui/FolderPath.h"
#include "base/WideText.h"

#include <cctype>

namespace tarvell {

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
}  // namespace

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TComboBox(AOwner), FDrive('c') {
  const std::string folder = EnteredFolder();
  if (folder.size() >= 2 && folder[1] == ':') FDrive = Lower(folder[0]);
  const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  SetItems(DriveItems(::GetLogicalDrives(), true));
  ::SetErrorMode(oldMode);
  SetItemIndex(IndexOfDrive(FDrive));
}

TDriveComboBox::~TDriveComboBox() {
  if (FDirList) FDirList->FDriveCombo = nullptr;
  DestroyHandle();
}

std::vector<std::string> TDriveComboBox::DriveItems(std::uint32_t driveMask, bool withVolumeNames) {
  std::vector<std::string> items;
  for (int i = 0; i < 26; ++i) {
    if (!(driveMask & (1u << i))) continue;
    char letter = static_cast<char>('a' + i);
    std::string text{letter, ':'};
    if (withVolumeNames) {
      const wchar_t root[4] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
      // Only fixed drives are asked: asking an empty floppy or CD drive stalls or prompts.
      if (::GetDriveTypeW(root) == DRIVE_FIXED) {
        wchar_t volume[MAX_PATH + 1] = {};  // the most the call ever fills
        if (::GetVolumeInformationW(root, volume, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
            volume[0] != L'\0')
          text += " [" + Narrow(volume) + "]";
      }
    }
    items.push_back(text);
  }
  return items;
}

int TDriveComboBox::IndexOfDrive(char drive) const {
  for (std::size_t i = 0; i < Items().size(); ++i)
    if (Lower(Items()[i][0]) == Lower(drive)) return static_cast<int>(i);
  return -1;
}

void TDriveComboBox::SetDrive(char drive) {
  const char previous = FDrive;
  DirectoryMoved(drive);
  if (!FDirList) return;
  try {
    FDirList->SetDrive(FDrive);
  } catch (...) {
    DirectoryMoved(previous);  // the folder list stayed where it was
    throw;
  }
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (FDirList) FDirList->FDriveCombo = nullptr;
  FDirList = list;
  if (!list) return;
  list->FDriveCombo = this;
  if (list->Drive() != '\0') DirectoryMoved(list->Drive());
}

void TDriveComboBox::DirectoryMoved(char drive) {
  FDrive = Lower(drive);
  SetItemIndex(IndexOfDrive(FDrive));
}

void TDriveComboBox::SelectionChanged() {
  int index = ItemIndex();
  Click();
  if (index >= 0 && index < static_cast<int>(Items().size())) SetDrive(Items()[static_cast<std::size_t>(index)][0]);
}

}  // namespace tarvell
