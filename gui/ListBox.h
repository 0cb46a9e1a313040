// A list of texts in a list box window; the entries are kept here too, so reading them
// costs no window calls. (A long list the owner holds itself is a TVirtualListBox.)
#pragma once

#include "gui/ListBoxBase.h"

#include <string>
#include <vector>

namespace tarvell {

class TListBox : public TListBoxBase {
public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  const std::vector<std::string>& Items() const noexcept { return FItems; }
  int Count() const noexcept override { return static_cast<int>(Items().size()); }
  const std::string& Item(int index) const { return Items().at(static_cast<std::size_t>(index)); }
  void SetItems(std::vector<std::string> items);

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  // Puts every entry into the window again (after its creation or a replacement of the entries).
  void FillWindow();

private:
  std::vector<std::string> FItems;
};

}  // namespace tarvell
