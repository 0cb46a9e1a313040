// Reading the headers of a BMP image: of a whole .bmp file image (file header first) or of a
// packed bitmap (information header first, as a bitmap resource holds it). What is read is
// checked against the bytes, so nothing read through it lies past their end. The counterpart
// of the headers BMPLayout.h writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tarvell {

constexpr std::uint32_t BmpCompressionRgb = 0;
constexpr std::uint32_t BmpCompressionBitFields = 3;

// Little-endian fields; the caller makes sure the bytes are there.
std::uint16_t ReadBmpU16(const std::uint8_t* at) noexcept;
std::uint32_t ReadBmpU32(const std::uint8_t* at) noexcept;

struct TBmpInfo {
  std::uint32_t HeaderSize = 0;  // of the information header
  std::int32_t Width = 0;        // more than 0
  std::int32_t Height = 0;       // not 0; below 0 for top-down rows
  std::uint16_t BitsPerPixel = 0;
  std::uint32_t Compression = BmpCompressionRgb;  // or BmpCompressionBitFields at 16 or 32 bits
  // Colour table entries: the header's count, or the full table of an 8-bit or smaller depth
  // when it says 0.
  std::uint64_t Colors = 0;
  std::uint64_t ColorsAt = 0;  // from the start of the information header
  std::uint64_t PixelsAt = 0;  // from the start of the information header
  std::uint64_t Stride = 0;    // bytes of one row, a multiple of 4
  std::uint64_t Rows = 0;

  bool BottomUp() const noexcept { return Height > 0; }
};

// A packed bitmap: the rows follow the colour table. Nothing when the bitmap is not
// uncompressed (or bit fields) at 1, 4, 8, 16, 24 or 32 bits, or its headers, colour table and
// rows do not all lie inside the bytes.
std::optional<TBmpInfo> ReadPackedDibInfo(std::span<const std::uint8_t> dib) noexcept;

// A BMP file image: "BM", then the file header's offset says where the rows are. Nothing on
// the same terms as above, or when the offset falls inside the headers or the colour table of
// an 8-bit or smaller depth.
std::optional<TBmpInfo> ReadBmpFileInfo(std::span<const std::uint8_t> bmp) noexcept;

}  // namespace tarvell
