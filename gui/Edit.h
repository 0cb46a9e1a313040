// A text field: one line (the program's period and countdown fields, read-only), or many
// lines with both scroll bars (the help text).
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TEdit : public TControl {
public:
  explicit TEdit(TComponent* AOwner);

  // All set before the window is made; no border: a field without a frame.
  void SetReadOnly(bool on) noexcept { FReadOnly = on; }
  void SetBorder(bool on) noexcept { FBorder = on; }
  void SetMultiLine(bool on) noexcept { FMultiLine = on; }

  // The text changed (typed, or set by an up-down that drives the field).
  TNotifyEvent OnChange;

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clWindow; }
  bool ClicksOnMouseUp() const noexcept override { return !FMultiLine; }
  bool HandleCommand(WORD code) override;

private:
  bool FReadOnly = false;
  bool FBorder = true;
  bool FMultiLine = false;
};

}  // namespace tarvell
