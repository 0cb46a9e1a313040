// A grid of texts drawn in cells (the main window keeps a hidden one-column grid).
#pragma once

#include "gui/PaintedControl.h"

#include <string>
#include <vector>

namespace tarvell {

class TStringGrid : public TPaintedControl {
public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  int ColCount() const noexcept { return FColCount; }
  int RowCount() const noexcept { return FRowCount; }
  // Resizing keeps the texts of the cells that remain.
  void SetSize(int colCount, int rowCount);
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  int DefaultColWidth() const noexcept { return FColWidth; }
  int DefaultRowHeight() const noexcept { return FRowHeight; }

  bool PaintContent(HDC dc) override;

protected:
  const char* WindowClassName() const noexcept override { return "TTarvellGrid"; }
  void PaintWindow(HDC dc) override { PaintContent(dc); }
  void CreateParams(TWndCreateParams& params) override;
  TColor DefaultColor() const noexcept override { return clWindow; }

private:
  std::size_t CellIndex(int col, int row) const;

  int FColCount = 5;
  int FRowCount = 5;
  int FColWidth = 64;
  int FRowHeight = 24;
  std::vector<std::string> FCells;
};

}  // namespace tarvell
