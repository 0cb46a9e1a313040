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
  if (TForm* form = ParentForm()) form->ButtonRoleChanged(*this, FDefault, FCancel);
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace tarvell
