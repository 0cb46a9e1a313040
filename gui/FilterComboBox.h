// A chooser of file masks for an attached file list. The main window keeps a hidden one that
// nobody opens, so it offers the one entry "All files (*.*)". Attaching the list does not
// change the list's mask.
#pragma once

#include "gui/ComboBox.h"

#include <string>

namespace tarvell {

class TFileListBox;

class TFilterComboBox : public TComboBox {
public:
  explicit TFilterComboBox(TComponent* AOwner);

  // The mask of the chosen entry.
  std::string Mask() const { return "*.*"; }
  void SetFileList(TFileListBox* list) noexcept { FFileList = list; }

protected:
  void SelectionChanged() override;

private:
  TFileListBox* FFileList = nullptr;
};

}  // namespace tarvell
