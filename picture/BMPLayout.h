// Sizes and header bytes of the BMP file image that a decode produces.
// Platform-free and free of libjpeg, so the arithmetic can be checked on its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvell {

constexpr std::uint32_t BmpFileHeaderSize = 14;
constexpr std::uint32_t BmpInfoHeaderSize = 40;
constexpr std::uint32_t BmpColorTableEntries = 256;

// Pictures above this many pixels are refused before anything is allocated for them.
// 250 megapixels: a colour BMP of that size is 750 MB, well inside the 4 GB that its
// 32-bit size fields can describe, and far above any screen.
constexpr std::uint32_t DefaultMaxMegapixels = 250;

enum class TBmpFit : std::uint8_t { Fits, TooManyPixels, TooLargeForBmp };

struct TBmpLayout {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t BitsPerPixel = 0;  // 8 or 24
  std::uint64_t DataWidth = 0;     // pixel bytes of one row
  std::uint64_t RowWidth = 0;      // DataWidth raised to a multiple of 4
  std::uint64_t HeaderSize = 0;    // 54, or 1078 with a colour table
  std::uint64_t FileSize = 0;      // HeaderSize + RowWidth * Height
  TBmpFit Fit = TBmpFit::Fits;
};

// Lays out a picture of width x height with components bytes per pixel (3 gives 24-bit rows
// without a colour table, 1 gives 8-bit rows with one). All sizes are computed in 64 bits;
// Fit tells whether the pixel count stays within maxMegapixels (millions of pixels) and the
// file within the BMP format's 32-bit size and dimension fields.
TBmpLayout ComputeBmpLayout(std::uint32_t width, std::uint32_t height, std::uint32_t components,
                            std::uint32_t maxMegapixels) noexcept;

// Header fields that do not follow from the layout.
struct TBmpHeaderInfo {
  std::uint32_t XPixelsPerMetre = 0;
  std::uint32_t YPixelsPerMetre = 0;
};

// Writes the 14-byte file header and the 40-byte information header, little-endian, field by
// field. Returns false, writing nothing, when fewer than 54 bytes are available.
bool WriteBmpHeaders(const TBmpLayout& layout, const TBmpHeaderInfo& info, std::uint8_t* out,
                     std::size_t available) noexcept;

}  // namespace tarvell
