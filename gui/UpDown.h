// Up-down arrows bound to an edit: each step writes the new position into the edit's text.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TUpDown : public TControl {
public:
  using TControl::TControl;

  void SetRange(int min, int max);
  // Read from the control once it exists: the arrows change it.
  int Position() const;
  void SetPosition(int position);
  void SetAssociate(TControl* buddy);

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  // A buddy given by a layout is attached once every window of the form exists.
  void Loaded() override { SetAssociate(FAssociate); }

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  TControl* FAssociate = nullptr;
};

}  // namespace tarvell
