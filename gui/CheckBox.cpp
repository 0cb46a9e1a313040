#include "gui/CheckBox.h"

namespace tarvell {

TCheckBox::TCheckBox(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

void TCheckBox::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "BUTTON";
  // The program keeps the state; the box only reports clicks.
  p.Style |= BS_CHECKBOX;
  if (FAlignment == TAlignment::taLeftJustify) p.Style |= BS_LEFTTEXT | BS_RIGHTBUTTON;
}

void TCheckBox::CreateWnd() {
  TControl::CreateWnd();
  Perform(BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  if (HasHandle()) Perform(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
  if (!Loading()) Click();
}

bool TCheckBox::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  SetChecked(!FChecked);  // raises OnClick
  return true;
}

}  // namespace tarvell
