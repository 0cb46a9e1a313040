#include "gui/Edit.h"

namespace tarvell {

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TEdit::~TEdit() { DestroyHandle(); }

void TEdit::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= ES_AUTOHSCROLL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FBorder) p.ExStyle |= WS_EX_CLIENTEDGE;
}

}  // namespace tarvell
