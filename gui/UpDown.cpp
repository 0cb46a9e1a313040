#include "gui/UpDown.h"

#include <commctrl.h>

namespace tarvell {

void TUpDown::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = UPDOWN_CLASSA;
  // Plain digits: a thousands separator would make the field's text unreadable as a number.
  p.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
  TControl::CreateWnd();
  SetRange(FMin, FMax);
  SetAssociate(FAssociate);
}

void TUpDown::SetRange(int min, int max) {
  FMin = min;
  FMax = max;
  if (HasHandle()) Perform(UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TUpDown::Position() const { return HasHandle() ? static_cast<int>(Perform(UDM_GETPOS32)) : FPosition; }

void TUpDown::SetPosition(int position) {
  FPosition = position;
  if (HasHandle()) Perform(UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

// The buddy shows the position from then on, as the arrows will write it.
void TUpDown::SetAssociate(TControl* buddy) {
  FAssociate = buddy;
  if (HasHandle() && buddy && buddy->HasHandle()) Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()));
  SetPosition(FPosition);
}

}  // namespace tarvell
