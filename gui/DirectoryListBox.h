// The classic folder list: the path of its folder from the drive's root down (the folder
// itself selected), then the folder's subfolders by name. Moving it enters the folder and
// raises OnChange; a double click moves it to the clicked entry's folder.
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
  // Nothing happens when the text names the present folder (ignoring case). Otherwise the
  // folder is entered (EInOutError when it cannot be, and the list keeps its folder), listed
  // and OnChange is raised.
  void SetDirectory(const std::string& directory);
  // The drive letter of the folder, in lower case.
  char Drive() const noexcept;
  // Moves to the current folder of another drive.
  void SetDrive(char drive);

  const std::vector<std::string>& Items() const noexcept { return FItems; }
  // The entry of the folder itself; the entries after it are its subfolders.
  int DirectoryIndex() const noexcept { return FDirectoryIndex; }
  // The full path of an entry.
  std::string ItemPath(int index) const;
  // Reads the subfolders again.
  void Update();
  // Where the subfolders come from; without one the list shows the path only. The list shows
  // those neither hidden nor system, by name (base/NameOrder.h). Not owned.
  void SetLister(TDirectoryLister* lister);

  TNotifyEvent OnChange;

protected:
  void DrawItem(const DRAWITEMSTRUCT& dis) override;
  void DblClick() override;

private:
  friend class TDriveComboBox;
  void BuildList();
  int EntryLevel(int index) const noexcept;

  std::vector<std::string> FItems;
  std::string FDirectory;
  int FDirectoryIndex = 0;
  TDirectoryLister* FLister = nullptr;
  TDriveComboBox* FDriveCombo = nullptr;
};

}  // namespace tarvell
