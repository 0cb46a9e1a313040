#include "gui/Button.h"

namespace tarvell {

TButton::TButton(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

void TButton::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "BUTTON";
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

bool TButton::HandleCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

}  // namespace tarvell
