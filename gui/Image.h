// A picture control: paints a BMP file image scaled to the control when Stretch is set,
// otherwise at natural size at the top left.
#pragma once

#include "gui/PaintedControl.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarvell {

class TImage : public TPaintedControl {
public:
  using TPaintedControl::TPaintedControl;

  // The control's own picture; PictureChanged after changing it.
  std::vector<std::uint8_t>& Bitmap() noexcept { return FBitmap; }
  // The picture painted: the own one unless a derived control shows another.
  virtual std::span<const std::uint8_t> ShownBitmap() const noexcept { return FBitmap; }
  // Repaints the control and those in front of it that let it show through.
  void PictureChanged();

  bool Stretch() const noexcept { return FStretch; }
  void SetStretch(bool on);

  bool PaintContent(HDC dc) override;

  // False (nothing painted) when the headers describe no bitmap that fits in the image.
  static bool PaintBmp(HDC dc, std::span<const std::uint8_t> bmp, const RECT& rect);

protected:
  const char* WindowClassName() const noexcept override { return "TTarvellImage"; }
  bool ClicksOnMouseUp() const noexcept override { return true; }

private:
  std::vector<std::uint8_t> FBitmap;
  bool FStretch = false;
};

}  // namespace tarvell
