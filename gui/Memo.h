// A multi-line text field with both scroll bars.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TMemo : public TControl {
public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clWindow; }
};

}  // namespace tarvell
