// A text label painted by the program: optionally transparent over the controls behind it,
// word-wrapped, with its own font colour; clicks and mouse moves are reported.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TLabel : public TControl {
public:
  explicit TLabel(TComponent* AOwner);
  ~TLabel() override;

  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool on);
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool on);

  bool SetProperty(std::string_view name, std::string_view value) override;
  bool PaintContent(HDC dc) override;

protected:
  void CreateParams(TWndCreateParams& params) override;
  bool ClicksOnMouseUp() const noexcept override { return true; }
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  void PaintText(HDC dc);
  void PaintWhole(HDC dc);

  bool FTransparent = false;
  bool FWordWrap = false;
};

}  // namespace tarvell
