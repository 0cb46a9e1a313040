// A drop-down list of texts (the drive and filter choosers build on it).
#pragma once

#include "gui/Control.h"

#include <string>
#include <vector>

namespace tarvell {

class TComboBox : public TControl {
public:
  explicit TComboBox(TComponent* AOwner);

  const std::vector<std::string>& Items() const noexcept { return FItems; }
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const;
  void SetItemIndex(int index);

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool HandleCommand(WORD code) override;
  // The user picked another entry; raises OnClick by default.
  virtual void SelectionChanged() { Click(); }

private:
  void FillWindow();

  std::vector<std::string> FItems;
  int FItemIndex = -1;
};

}  // namespace tarvell
