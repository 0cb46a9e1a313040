// The drive chooser: the drives A to Z that exist, the chosen one moving an attached
// folder list to that drive's current folder.
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
  // Selects the drive and moves the attached folder list there. When the folder list cannot
  // enter the drive, the chooser goes back to the drive it showed and the error is raised.
  void SetDrive(char drive);

  void SetDirList(TDirectoryListBox* list);

  // Texts of the drives in a drive mask as GetLogicalDrives reports it ("c:"), plus the
  // volume name of fixed drives ("c: [SYSTEM]").
  static std::vector<std::string> DriveItems(std::uint32_t driveMask, bool withVolumeNames);
  // Reads the drives again.
  void Update();

protected:
  // The choice is reported first (OnClick), then the folder list moves.
  void SelectionChanged() override;

private:
  friend class TDirectoryListBox;
  void DirectoryMoved(char drive);
  int IndexOfDrive(char drive) const;

  char FDrive;
  TDirectoryListBox* FDirList = nullptr;
};

}  // namespace tarvell
