#include "gui/Button.h"

#include "gui/Form.h"

namespace tarvell {

TButton::TButton(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TButton::~TButton() {
  if (TForm* form = ParentForm()) form->ButtonRoleChanged(*this, false, false);
  DestroyHandle();
}

void TButton::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "BUTTON";
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TControl::CreateWnd();
  RoleChanged();
}

void TButton::RoleChanged() {
  if (TForm* form = ParentForm()) form->ButtonRoleChanged(*this, FDefault, FCancel);
  if (HasHandle()) Perform(BM_SETSTYLE, FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetDefault(bool on) {
  FDefault = on;
  RoleChanged();
}

void TButton::SetCancel(bool on) {
  FCancel = on;
  RoleChanged();
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace tarvell
