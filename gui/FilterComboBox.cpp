#include "gui/FilterComboBox.h"

#include "gui/FileListBox.h"

namespace tarvell {

TFilterComboBox::TFilterComboBox(TComponent* AOwner) : TComboBox(AOwner) {
  SetItems({"All files (*.*)"});
  SetItemIndex(0);
}

void TFilterComboBox::SelectionChanged() {
  if (FFileList) FFileList->SetMask(Mask());
  TComboBox::SelectionChanged();
}

}  // namespace tarvell
