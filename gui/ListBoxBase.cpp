#include "gui/ListBoxBase.h"

namespace tarvell {

TListBoxBase::TListBoxBase(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

void TListBoxBase::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "LISTBOX";
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBoxBase::FinishFill() {
  Perform(LB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
  if (FUpdateCount == 0) {
    Perform(WM_SETREDRAW, TRUE);
    Invalidate();
  }
}

int TListBoxBase::ItemIndex() const {
  if (HasHandle()) return static_cast<int>(Perform(LB_GETCURSEL));
  return FItemIndex;
}

void TListBoxBase::SetItemIndex(int index) {
  FItemIndex = (index >= 0 && index < Count()) ? index : -1;
  if (HasHandle()) Perform(LB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
}

void TListBoxBase::BeginUpdate() {
  if (FUpdateCount++ == 0 && HasHandle()) Perform(WM_SETREDRAW, FALSE);
}

void TListBoxBase::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && HasHandle()) {
    Perform(WM_SETREDRAW, TRUE);
    Invalidate();
  }
}

bool TListBoxBase::HandleCommand(WORD code) {
  switch (code) {
    case LBN_SELCHANGE:
      FItemIndex = ItemIndex();
      Click();
      return true;
    case LBN_DBLCLK:
      DblClick();
      return true;
    default:
      return false;
  }
}

}  // namespace tarvell
