#include "gui/Memo.h"

namespace tarvell {

TMemo::TMemo(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TMemo::~TMemo() { DestroyHandle(); }

void TMemo::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "EDIT";
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::CreateWnd() {
  TControl::CreateWnd();
  Perform(EM_SETLIMITTEXT, 0);  // no 32 KB cap on the text
}

}  // namespace tarvell
