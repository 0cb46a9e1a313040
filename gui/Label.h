// A text label painted by the program: optionally transparent over the controls behind it,
// word-wrapped, with its own font colour; clicks and mouse moves are reported.
#pragma once

#include "gui/PaintedControl.h"

namespace tarvell {

class TLabel : public TPaintedControl {
public:
  using TPaintedControl::TPaintedControl;

  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool on);
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool on);

  bool PaintContent(HDC dc) override;

protected:
  const char* WindowClassName() const noexcept override { return "TTarvellLabel"; }
  bool ShowsThrough() const noexcept override { return FTransparent; }
  bool ClicksOnMouseUp() const noexcept override { return true; }
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  bool FTransparent = false;
  bool FWordWrap = false;
};

}  // namespace tarvell
