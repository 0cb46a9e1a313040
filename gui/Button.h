// A push button; the form's default button answers Enter, its cancel button Esc.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TButton : public TControl {
public:
  explicit TButton(TComponent* AOwner);

  // Set before the window is made.
  void SetDefault(bool on) noexcept { FDefault = on; }
  void SetCancel(bool on) noexcept { FCancel = on; }
  bool IsDefault() const noexcept { return FDefault; }
  bool IsCancel() const noexcept { return FCancel; }

protected:
  void CreateParams(TWndCreateParams& params) override;
  bool HandleCommand(WORD code) override;

private:
  bool FDefault = false;
  bool FCancel = false;
};

}  // namespace tarvell
