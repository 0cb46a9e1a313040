#include "gui/PaintedControl.h"

namespace tarvell {

void TPaintedControl::CreateParams(TWndCreateParams& p) {
  TWnd::RegisterWndClass(WindowClassName(), CS_DBLCLKS);
  TControl::CreateParams(p);
  p.ClassName = WindowClassName();
}

void TPaintedControl::PaintWindow(HDC dc) {
  if (ShowsThrough() && Parent()) Parent()->PaintBehind(*this, dc);
  PaintContent(dc);
}

bool TPaintedControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;  // WM_PAINT covers everything: no flicker
      return true;
    case WM_PAINT: {
      TPaintScope paint(Handle());
      PaintWindow(paint.DC());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintWindow(reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
    default:
      return TControl::HandleMessage(msg, wp, lp, result);
  }
}

}  // namespace tarvell
