#include "gui/ComboBox.h"

#include "base/WideText.h"

namespace tarvell {

TComboBox::TComboBox(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

void TComboBox::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "COMBOBOX";
  p.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
  // The window's height includes its open list; the closed box takes its height from the font.
  p.Height += 200;
}

void TComboBox::CreateWnd() {
  TControl::CreateWnd();
  FillWindow();
}

void TComboBox::FillWindow() {
  if (!HasHandle()) return;
  Perform(CB_RESETCONTENT);
  for (const std::string& item : FItems) Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  Perform(CB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
}

void TComboBox::SetItems(std::vector<std::string> items) {
  FItems = std::move(items);
  FItemIndex = -1;
  FillWindow();
}

int TComboBox::ItemIndex() const { return HasHandle() ? static_cast<int>(Perform(CB_GETCURSEL)) : FItemIndex; }

void TComboBox::SetItemIndex(int index) {
  FItemIndex = (index >= 0 && index < static_cast<int>(FItems.size())) ? index : -1;
  if (HasHandle()) Perform(CB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
}

bool TComboBox::HandleCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  SelectionChanged();
  return true;
}

}  // namespace tarvell
