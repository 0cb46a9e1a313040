// The drive chooser: the drives that exist; the chosen one moves an attached folder list.
#pragma once

#include "gui/ComboBox.h"

#include <cstdint>

namespace tarvell {

class TDirectoryListBox;

class TDriveComboBox : public TComboBox {
public:
  explicit TDriveComboBox(TComponent* AOwner);
  ~TDriveComboBox() override;

  // Lower-case drive letter.
  char Drive() const noexcept { return FDrive; }
  // Selects the drive and moves the folder list to its current folder; when the list cannot
  // go there, the chooser goes back and the error is raised.
  void SetDrive(char drive);

  void SetDirList(TDirectoryListBox* list);

  // The drives of a GetLogicalDrives mask ("c:"), with the volume names of fixed drives ("c: [SYSTEM]").
  static std::vector<std::string> DriveItems(std::uint32_t driveMask, bool withVolumeNames);

protected:
  // OnClick first, then the folder list moves.
  void SelectionChanged() override;

private:
  friend class TDirectoryListBox;
  void DirectoryMoved(char drive);
  int IndexOfDrive(char drive) const;

  char FDrive;
  TDirectoryListBox* FDirList = nullptr;
};

}  // namespace tarvell
