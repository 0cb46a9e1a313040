// The classic folder list: the path of its folder from the drive's root down (the folder
// itself selected), then its subfolders by name; a double click moves to the entry's folder.
#pragma once

#include "gui/VirtualListBox.h"

#include <string>
#include <vector>

namespace tarvell {

class TDirectoryLister;
class TDriveComboBox;

class TDirectoryListBox : public TVirtualListBox {
public:
  explicit TDirectoryListBox(TComponent* AOwner);
  ~TDirectoryListBox() override;

  const std::string& Directory() const noexcept { return FDirectory; }
  // Enters another folder (EInOutError when it cannot, and nothing changes), lists it and
  // raises OnChange; the present folder, in any case, changes nothing.
  void SetDirectory(const std::string& directory);
  // The folder's drive letter, in lower case.
  char Drive() const noexcept;
  void SetDrive(char drive);

  const std::vector<std::string>& Items() const noexcept { return FItems; }
  // The entry of the folder itself; the entries after it are its subfolders.
  int DirectoryIndex() const noexcept { return FDirectoryIndex; }
  std::string ItemPath(int index) const;
  // Where the subfolders come from (not owned); without one the list shows the path only.
  void SetLister(TDirectoryLister* lister);

  TNotifyEvent OnChange;

protected:
  int DrawBeforeText(HDC dc, const RECT& row, int index, bool selected) override;
  void DblClick() override;

private:
  friend class TDriveComboBox;
  void BuildList();

  std::vector<std::string> FItems;
  std::string FDirectory;
  int FDirectoryIndex = 0;
  TDirectoryLister* FLister = nullptr;
  TDriveComboBox* FDriveCombo = nullptr;
};

}  // namespace tarvell
