// The files of one folder that match a mask (base/MaskPatterns.h), neither hidden nor system,
// sorted by name (base/NameOrder.h). For each pattern of the mask in turn every matching file
// is listed, so a name that matches two patterns appears twice; equal names keep the order of
// the patterns that found them. The folder is read when the list moves to another folder or gets another
// mask, and not otherwise; a hidden list waits until its items are asked for or it is shown,
// so a folder of many pictures on a slow drive is not scanned for a list nobody reads.
#pragma once

#include "gui/ListBox.h"

#include <string>
#include <vector>

namespace tarvell {

class TDirectoryListBox;
class TDirectoryLister;

class TFileListBox : public TListBox {
public:
  explicit TFileListBox(TComponent* AOwner);
  ~TFileListBox() override;

  const std::string& Mask() const noexcept { return FMask; }
  void SetMask(const std::string& mask);
  const std::string& Directory() const noexcept { return FDirectory; }
  // Enters the folder (EInOutError when it cannot be) and reads it, unless the text names
  // the present folder.
  void SetDirectory(const std::string& directory);
  // Reads the folder again.
  void Update();

  // The entries, the folder read first when a change is still unread.
  const std::vector<std::string>& Items();
  int Count() { return static_cast<int>(Items().size()); }
  const std::string& Item(int index) { return Items().at(static_cast<std::size_t>(index)); }
  void SetVisible(bool visible) override;

  // Where the files come from; without one the list is empty. Not owned.
  void SetLister(TDirectoryLister* lister);

private:
  friend class TDirectoryListBox;
  void Read();

  bool FUnread = false;
  std::string FMask = "*.*";
  std::string FDirectory;
  TDirectoryListBox* FDirList = nullptr;
  TDirectoryLister* FLister = nullptr;
};

}  // namespace tarvell
