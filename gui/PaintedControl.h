// A control of the program's own window class that paints itself whole (labels, pictures,
// grids): no background erase, the same painting for the screen and for WM_PRINTCLIENT.
#pragma once

#include "gui/Control.h"

namespace tarvell {

class TPaintedControl : public TControl {
public:
  explicit TPaintedControl(TComponent* AOwner) : TControl(AOwner) {}

protected:
  // The window class, registered on first use; one per kind, so tests and tools can tell them apart.
  virtual const char* WindowClassName() const noexcept = 0;
  // Paints the whole client area.
  virtual void PaintWindow(HDC dc) = 0;

  void CreateParams(TWndCreateParams& params) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace tarvell
