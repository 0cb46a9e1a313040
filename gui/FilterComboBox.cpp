#include "gui/FilterComboBox.h"

#include "gui/FileListBox.h"

namespace tarvell {

TFilterComboBox::TFilterComboBox(TComponent* AOwner) : TComboBox(AOwner) { SetFilter("All files (*.*)|*.*"); }

void TFilterComboBox::SetFilter(const std::string& filter) {
  FFilter = filter;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= filter.size()) {
    std::size_t end = filter.find('|', start);
    if (end == std::string::npos) end = filter.size();
    parts.push_back(filter.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> descriptions;
  FMasks.clear();
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    descriptions.push_back(parts[i]);
    FMasks.push_back(parts[i + 1]);
  }
  SetItems(std::move(descriptions));
  SetItemIndex(FMasks.empty() ? -1 : 0);
}

std::string TFilterComboBox::Mask() const {
  int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(FMasks.size())) return "*.*";
  return FMasks[static_cast<std::size_t>(index)];
}

void TFilterComboBox::SelectionChanged() {
  if (FFileList) FFileList->SetMask(Mask());
  TComboBox::SelectionChanged();
}

}  // namespace tarvell
