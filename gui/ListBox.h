// A list of texts in a list box window; the entries are kept here too, so reading them
// costs no window calls.
#pragma once

#include "gui/Control.h"

#include <string>
#include <vector>

namespace tarvell {

class TListBox : public TControl {
public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  const std::vector<std::string>& Items() const noexcept { return FShown ? *FShown : FItems; }
  int Count() const noexcept { return static_cast<int>(Items().size()); }
  const std::string& Item(int index) const { return Items().at(static_cast<std::size_t>(index)); }
  int Add(const std::string& item);
  void Insert(int index, const std::string& item);
  void Delete(int index);
  void Clear();
  void SetItems(std::vector<std::string> items);
  // Shows entries that the caller holds, without a copy: a list of a hundred thousand paths
  // is not kept twice. The caller keeps `items` alive while they are shown and reports every
  // change: ShowItems again after a replacement, Delete after it removed an entry. Add,
  // Insert, SetItems and Clear take the entries over as the list's own again.
  void ShowItems(const std::vector<std::string>& items);

  // The selected entry, or -1.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Suspends redrawing while many entries are added; calls nest.
  void BeginUpdate();
  void EndUpdate();

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool HandleCommand(WORD code) override;
  // Puts every entry into the window again (after its creation or a replacement of the entries).
  void FillWindow();

  int FItemIndex = -1;

private:
  // The entries become the list's own (a copy of those shown from the caller's list).
  void OwnItems();

  int FUpdateCount = 0;
  std::vector<std::string> FItems;
  const std::vector<std::string>* FShown = nullptr;  // the caller's entries, when shown from there
};

}  // namespace tarvell
