#include "gui/Edit.h"

namespace tarvell {

TEdit::TEdit(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

void TEdit::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= ES_AUTOHSCROLL;
  if (FMultiLine) p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FBorder) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
  TControl::CreateWnd();
  if (FMultiLine) Perform(EM_SETLIMITTEXT, 0);  // no 32 KB cap on the text
}

bool TEdit::HandleCommand(WORD code) {
  if (code != EN_CHANGE) return false;
  if (OnChange && !Loading()) OnChange(*this);
  return true;
}

}  // namespace tarvell
