// The 24-bit bottom-up BMP file image that the PNG and WebP decoders fill row by row, turned
// as the picture's EXIF orientation says; the same layout, header and size checks as the JPEG
// path's writer.
#pragma once

#include "picture/BMPLayout.h"
#include "base/DefaultInitAllocator.h"

#include <cstdint>

namespace tarvell {

// Refuses (EJPEGException, Unsupported) a picture of more than maxMegapixels million pixels,
// before anything is allocated for it.
void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::uint32_t maxMegapixels);

class TBmpCanvas {
public:
  // For a decode of width x height pixels (before turning) into output. Refuses, like
  // CheckPictureSize, a picture over the cap or too large for a BMP file; allocates nothing.
  TBmpCanvas(TByteBuffer& output, std::uint32_t width, std::uint32_t height, int orientation,
             std::uint32_t maxMegapixels);

  // Sizes the output to the file size (without zero-filling it) and zeroes the rows' pad bytes.
  // May throw std::bad_alloc.
  void Start();
  // Stores decoded row y, given as width pixels of blue, green, red.
  void PutRow(std::uint32_t y, const std::uint8_t* bgr) noexcept;
  // Stores the one pixel (x, y) of the decode.
  void PutPixel(std::uint32_t x, std::uint32_t y, const std::uint8_t* bgr) noexcept;
  // Writes the headers; call when every row is stored.
  void Finish();

  // Where row y may be decoded straight into as blue, green, red bytes, when the picture is
  // not turned; else null.
  std::uint8_t* RowInPlace(std::uint32_t y) noexcept;
  const TBmpLayout& Layout() const noexcept { return FLayout; }
  int Orientation() const noexcept { return FOrientation; }

private:
  TByteBuffer& FOutput;
  TBmpLayout FLayout;
  std::uint32_t FWidth;
  std::uint32_t FHeight;
  int FOrientation;
};

}  // namespace tarvell
