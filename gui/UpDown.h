// Up-down arrows bound to an edit: each step writes the new position into the edit's text.
#pragma once

#include "gui/Control.h"

#include <string>

namespace tarvell {

class TUpDown : public TControl {
public:
  explicit TUpDown(TComponent* AOwner);
  ~TUpDown() override;

  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  void SetRange(int min, int max);
  // Read from the control once it exists: the arrows change it.
  int Position() const;
  void SetPosition(int position);
  void SetWrap(bool on) noexcept { FWrap = on; }
  void SetAssociate(TControl* buddy);

  // Raised after each step of the arrows.
  TNotifyEvent OnChange;

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  bool FWrap = false;
  TControl* FAssociate = nullptr;
};

}  // namespace tarvell
