// A multi-line text field with both scroll bars; Lines are its text split at line breaks.
#pragma once

#include "gui/Control.h"

#include <string>
#include <vector>

namespace tarvell {

class TMemo : public TControl {
public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  // The text as lines; CR LF, a lone CR and a lone LF each end a line.
  std::vector<std::string> Lines() const;
  // Replaces the text with the lines joined by CR LF.
  void SetLines(const std::vector<std::string>& lines);

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clWindow; }
};

}  // namespace tarvell
