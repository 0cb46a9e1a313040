// Shrinking a BMP file image's pixels to the size they are painted at, by averaging each
// destination pixel's area. Painting a large picture small through StretchDIBits in HALFTONE
// mode makes GDI build a full-size 32-bit copy of it; under Wine that copy's memory stayed
// with the process after the picture was gone. This builds only the small result.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tarvell {

// A validated bitmap inside a BMP file image (see TImage::PaintBmp).
struct TBmpPixels {
  const std::uint8_t* Pixels;  // the first row in memory
  const RGBQUAD* Colors;       // the colour table for 1, 4 and 8 bits
  int Width;
  int Rows;
  bool BottomUp;
  int Bits;  // 1, 4, 8, 24 or 32
  std::uint64_t Stride;
  std::uint32_t ColorCount;  // entries in Colors; a pixel beyond them is black
};

// Top-down 32-bit BGRX pixels of width x height (each at most the source's), every one the
// average of the source pixels it covers.
std::vector<std::uint32_t> ShrinkBmpPixels(const TBmpPixels& source, int width, int height);

}  // namespace tarvell
