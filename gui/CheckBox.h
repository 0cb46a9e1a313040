// A check box. Changing Checked, by the user or by the program, raises OnClick as a click
// does (not while the layout is loading).
#pragma once

#include "gui/Control.h"

namespace tarvell {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify };

class TCheckBox : public TControl {
public:
  explicit TCheckBox(TComponent* AOwner);

  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool checked);
  // taLeftJustify puts the caption left of the box; set before the window is made.
  void SetAlignment(TAlignment alignment) noexcept { FAlignment = alignment; }

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  bool HandleCommand(WORD code) override;

private:
  bool FChecked = false;
  TAlignment FAlignment = TAlignment::taRightJustify;
};

}  // namespace tarvell
