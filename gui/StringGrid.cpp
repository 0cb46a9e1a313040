#include "gui/StringGrid.h"

#include "base/Exception.h"

namespace tarvell {

TStringGrid::TStringGrid(TComponent* AOwner) : TPaintedControl(AOwner) {}

TStringGrid::~TStringGrid() { DestroyHandle(); }

void TStringGrid::CreateParams(TWndCreateParams& p) {
  TPaintedControl::CreateParams(p);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::SetSize(int colCount, int rowCount) {
  if (colCount < 1 || rowCount < 1) throw Exception("Grid index out of range");
  FColCount = colCount;
  FRowCount = rowCount;
  Invalidate();
}

bool TStringGrid::PaintContent(HDC dc) {
  constexpr int ColWidth = 64;
  constexpr int RowHeight = 24;
  RECT all{0, 0, Width(), Height()};
  if (HBRUSH brush = BackgroundBrush()) ::FillRect(dc, &all, brush);
  HBRUSH line = ::GetSysColorBrush(COLOR_BTNSHADOW);
  for (int r = 0; r < FRowCount; ++r) {
    for (int c = 0; c < FColCount; ++c) {
      RECT cell{c * ColWidth, r * RowHeight, (c + 1) * ColWidth, (r + 1) * RowHeight};
      if (cell.left > all.right || cell.top > all.bottom) continue;
      ::FrameRect(dc, &cell, line);
    }
  }
  return true;
}

}  // namespace tarvell
