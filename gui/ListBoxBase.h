// What every list box window of the program shares, whoever holds its entries: the class and
// its frame, the selection, redrawing held during updates, and the clicks.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TListBoxBase : public TControl {
public:
  virtual int Count() const noexcept = 0;

  // The selected entry, or -1.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Suspends redrawing while many entries change; calls nest.
  void BeginUpdate();
  void EndUpdate();

protected:
  explicit TListBoxBase(TComponent* AOwner);
  void CreateParams(TWndCreateParams& params) override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool HandleCommand(WORD code) override;
  // Ends filling the window anew: the selection back, and drawn unless an update holds it.
  void FinishFill();
  // Entry `index` has gone; `selected` was the selection before. Deleting the selected entry
  // leaves no selection, as the window itself does.
  void EntryDeleted(int index, int selected) noexcept {
    FItemIndex = selected == index ? -1 : (selected > index ? selected - 1 : selected);
  }

  int FItemIndex = -1;

private:
  int FUpdateCount = 0;
};

}  // namespace tarvell
