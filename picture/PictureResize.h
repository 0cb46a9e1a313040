// Resampling of 24-bit pixel rows to an exact size: area averaging where a side shrinks,
// Catmull-Rom where it grows, each side on its own (a Stretch may do both at once).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvell {

// A block of 24-bit pixels, Stride bytes from one row to the next in memory order.
struct TPixelBlock {
  std::uint8_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  std::size_t Stride = 0;
};

// The part of a block that is resampled, in pixels of the block, in memory order; fractions
// are kept, so a centred crop stays centred to the sub-pixel.
struct TPixelRegion {
  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;
};

// Resamples region of from into the whole of to (not overlapping). False when the library
// could not get its working memory or a size is not positive.
bool ResamplePixels(const TPixelBlock& from, const TPixelRegion& region, const TPixelBlock& to) noexcept;

}  // namespace tarvell
