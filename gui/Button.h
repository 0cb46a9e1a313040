// A push button; the form's default button answers Enter, its cancel button Esc.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TButton : public TControl {
public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool on);
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool on);

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  bool HandleCommand(WORD code) override;

private:
  void RoleChanged();

  bool FDefault = false;
  bool FCancel = false;
};

}  // namespace tarvell
