#include "gui/UpDown.h"

#include "gui/CommonControls.h"

#include <commctrl.h>

namespace tarvell {

TUpDown::TUpDown(TComponent* AOwner) : TControl(AOwner) {}

TUpDown::~TUpDown() { DestroyHandle(); }

void TUpDown::CreateParams(TWndCreateParams& p) {
  EnsureCommonControls();
  TControl::CreateParams(p);
  p.ClassName = UPDOWN_CLASSA;
  // Plain digits: a thousands separator would make the field's text unreadable as a number.
  p.Style |= UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
  TControl::CreateWnd();
  Perform(UDM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
  if (FAssociate && FAssociate->HasHandle()) Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()));
  Perform(UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
}

void TUpDown::Loaded() {
  // A buddy given by a layout is attached once every window of the form exists.
  if (FAssociate) SetAssociate(FAssociate);
}

void TUpDown::SetRange(int min, int max) {
  FMin = min;
  FMax = max;
  if (HasHandle()) Perform(UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TUpDown::Position() const {
  if (!HasHandle()) return FPosition;
  return static_cast<int>(Perform(UDM_GETPOS32));
}

void TUpDown::SetPosition(int position) {
  FPosition = position;
  if (HasHandle()) Perform(UDM_SETPOS32, 0, static_cast<LPARAM>(position));
}

void TUpDown::SetAssociate(TControl* buddy) {
  FAssociate = buddy;
  if (HasHandle() && buddy && buddy->HasHandle()) {
    Perform(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()));
    // The buddy shows the position from now on, as the arrows will write it.
    Perform(UDM_SETPOS32, 0, static_cast<LPARAM>(FPosition));
  }
}

}  // namespace tarvell
