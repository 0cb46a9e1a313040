// A chooser of file masks ("Description|mask|..."); the chosen mask goes to an attached
// file list. Attaching the list does not change the list's mask.
#pragma once

#include "gui/ComboBox.h"

#include <string>
#include <vector>

namespace tarvell {

class TFileListBox;

class TFilterComboBox : public TComboBox {
public:
  explicit TFilterComboBox(TComponent* AOwner);

  const std::string& Filter() const noexcept { return FFilter; }
  void SetFilter(const std::string& filter);
  // The mask of the chosen entry ("*.*" when none is chosen).
  std::string Mask() const;
  TFileListBox* FileList() const noexcept { return FFileList; }
  void SetFileList(TFileListBox* list) noexcept { FFileList = list; }

protected:
  void SelectionChanged() override;

private:
  std::string FFilter;
  std::vector<std::string> FMasks;
  TFileListBox* FFileList = nullptr;
};

}  // namespace tarvell
