// An empty grid of cells (the main window keeps a hidden one-column grid; nothing writes
// into its cells, so it holds none).
#pragma once

#include "gui/PaintedControl.h"

namespace tarvell {

class TStringGrid : public TPaintedControl {
public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  int RowCount() const noexcept { return FRowCount; }
  void SetSize(int colCount, int rowCount);

  bool PaintContent(HDC dc) override;

protected:
  const char* WindowClassName() const noexcept override { return "TTarvellGrid"; }
  void PaintWindow(HDC dc) override { PaintContent(dc); }
  void CreateParams(TWndCreateParams& params) override;
  TColor DefaultColor() const noexcept override { return clWindow; }

private:
  int FColCount = 5;
  int FRowCount = 5;
};

}  // namespace tarvell
