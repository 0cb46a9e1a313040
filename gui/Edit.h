// One-line text field; the program's period and countdown fields are read-only.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TEdit : public TControl {
public:
  explicit TEdit(TComponent* AOwner);
  ~TEdit() override;

  // Both set before the window is made; no border: a field without a frame.
  void SetReadOnly(bool on) noexcept { FReadOnly = on; }
  void SetBorder(bool on) noexcept { FBorder = on; }

protected:
  void CreateParams(TWndCreateParams& params) override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool ClicksOnMouseUp() const noexcept override { return true; }

private:
  bool FReadOnly = false;
  bool FBorder = true;
};

}  // namespace tarvell
