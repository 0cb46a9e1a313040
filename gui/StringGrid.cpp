#include "gui/StringGrid.h"

#include "base/Exception.h"
#include "base/WideText.h"

namespace tarvell {

TStringGrid::TStringGrid(TComponent* AOwner)
    : TPaintedControl(AOwner), FCells(static_cast<std::size_t>(FColCount) * static_cast<std::size_t>(FRowCount)) {}

TStringGrid::~TStringGrid() { DestroyHandle(); }

void TStringGrid::CreateParams(TWndCreateParams& p) {
  TPaintedControl::CreateParams(p);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

std::size_t TStringGrid::CellIndex(int col, int row) const {
  if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount) {
    throw Exception("Grid index out of range");
  }
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(FColCount) + static_cast<std::size_t>(col);
}

void TStringGrid::SetSize(int colCount, int rowCount) {
  if (colCount < 1 || rowCount < 1) throw Exception("Grid index out of range");
  std::vector<std::string> cells(static_cast<std::size_t>(colCount) * static_cast<std::size_t>(rowCount));
  for (int r = 0; r < rowCount && r < FRowCount; ++r) {
    for (int c = 0; c < colCount && c < FColCount; ++c) {
      cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(colCount) + static_cast<std::size_t>(c)] =
          std::move(FCells[CellIndex(c, r)]);
    }
  }
  FCells = std::move(cells);
  FColCount = colCount;
  FRowCount = rowCount;
  Invalidate();
}

const std::string& TStringGrid::Cell(int col, int row) const { return FCells[CellIndex(col, row)]; }

void TStringGrid::SetCell(int col, int row, const std::string& text) {
  FCells[CellIndex(col, row)] = text;
  Invalidate();
}

bool TStringGrid::PaintContent(HDC dc) {
  RECT all{0, 0, Width(), Height()};
  if (HBRUSH brush = BackgroundBrush()) ::FillRect(dc, &all, brush);
  TSelectObject font(dc, Font().Handle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ColorToRGB(Font().Color()));
  HBRUSH line = ::GetSysColorBrush(COLOR_BTNSHADOW);
  for (int r = 0; r < FRowCount; ++r) {
    for (int c = 0; c < FColCount; ++c) {
      RECT cell{c * FColWidth, r * FRowHeight, (c + 1) * FColWidth, (r + 1) * FRowHeight};
      if (cell.left > all.right || cell.top > all.bottom) continue;
      ::FrameRect(dc, &cell, line);
      RECT text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
      const std::wstring s = Widen(FCells[CellIndex(c, r)]);
      ::DrawTextW(dc, s.c_str(), static_cast<int>(s.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  return true;
}

}  // namespace tarvell
