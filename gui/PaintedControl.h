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
  // Whether what lies behind the control shows where its content paints nothing.
  virtual bool ShowsThrough() const noexcept { return true; }

  void CreateParams(TWndCreateParams& params) override;
  // Paints the whole client area: what lies behind when it shows through, then the content.
  void PaintWindow(HDC dc);
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace tarvell
