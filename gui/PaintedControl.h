// A control of the program's own window class that paints itself whole, for the screen and
// for WM_PRINTCLIENT alike.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TPaintedControl : public TControl {
public:
  using TControl::TControl;

protected:
  // One class per kind, so tests and tools can tell them apart.
  virtual const char* WindowClassName() const noexcept = 0;
  // Whether what lies behind the control shows where its content paints nothing.
  virtual bool ShowsThrough() const noexcept { return true; }

  void CreateParams(TWndCreateParams& params) override;
  void PaintWindow(HDC dc);
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace tarvell
