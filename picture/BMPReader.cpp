#include "picture/BMPReader.h"

#include "picture/BMPLayout.h"

namespace tarvell {

namespace {

constexpr std::uint64_t BitFieldMasksSize = 12;

// The information header's fields and what follows from them, checked against `size` bytes
// from its start; PixelsAt is where a packed bitmap's rows begin.
std::optional<TBmpInfo> ReadInfoHeader(const std::uint8_t* info, std::size_t size) noexcept {
  if (size < BmpInfoHeaderSize) return std::nullopt;
  TBmpInfo b;
  b.HeaderSize = ReadBmpU32(info);
  b.Width = static_cast<std::int32_t>(ReadBmpU32(info + 4));
  b.Height = static_cast<std::int32_t>(ReadBmpU32(info + 8));
  const std::uint16_t planes = ReadBmpU16(info + 12);
  b.BitsPerPixel = ReadBmpU16(info + 14);
  b.Compression = ReadBmpU32(info + 16);
  const std::uint32_t colorsUsed = ReadBmpU32(info + 32);

  const std::uint16_t bits = b.BitsPerPixel;
  if (b.HeaderSize < BmpInfoHeaderSize || b.HeaderSize > size || planes != 1) return std::nullopt;
  if (b.Width <= 0 || b.Height == 0 || b.Height == INT32_MIN) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  if (b.Compression != BmpCompressionRgb && b.Compression != BmpCompressionBitFields) return std::nullopt;
  if (b.Compression == BmpCompressionBitFields && bits != 16 && bits != 32) return std::nullopt;

  // Everything in 64 bits: the fields come from the bytes, not from us.
  b.Colors = colorsUsed;
  if (b.Colors == 0 && bits <= 8) b.Colors = std::uint64_t{1} << bits;
  if (bits <= 8 && b.Colors > (std::uint64_t{1} << bits)) return std::nullopt;
  b.ColorsAt = b.HeaderSize;
  // A 40-byte header keeps its three masks after it; larger headers hold them inside.
  if (b.Compression == BmpCompressionBitFields && b.HeaderSize == BmpInfoHeaderSize) b.ColorsAt += BitFieldMasksSize;
  b.PixelsAt = b.ColorsAt + b.Colors * 4;
  b.Stride = (std::uint64_t{static_cast<std::uint32_t>(b.Width)} * bits + 31) / 32 * 4;
  b.Rows = b.Height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(b.Height))
                        : static_cast<std::uint64_t>(b.Height);
  return b;
}

bool RowsFit(const TBmpInfo& b, std::uint64_t size) noexcept {
  return b.PixelsAt <= size && b.Stride * b.Rows <= size - b.PixelsAt;
}

}  // namespace

std::uint16_t ReadBmpU16(const std::uint8_t* at) noexcept { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

std::uint32_t ReadBmpU32(const std::uint8_t* at) noexcept {
  return std::uint32_t{ReadBmpU16(at)} | std::uint32_t{ReadBmpU16(at + 2)} << 16;
}

std::optional<TBmpInfo> ReadPackedDibInfo(std::span<const std::uint8_t> dib) noexcept {
  std::optional<TBmpInfo> info = ReadInfoHeader(dib.data(), dib.size());
  if (!info || !RowsFit(*info, dib.size())) return std::nullopt;
  return info;
}

std::optional<TBmpInfo> ReadBmpFileInfo(std::span<const std::uint8_t> bmp) noexcept {
  if (bmp.size() < BmpFileHeaderSize + BmpInfoHeaderSize || bmp[0] != 'B' || bmp[1] != 'M') return std::nullopt;
  const std::uint64_t offBits = ReadBmpU32(bmp.data() + 10);
  if (offBits < BmpFileHeaderSize) return std::nullopt;
  std::optional<TBmpInfo> info = ReadInfoHeader(bmp.data() + BmpFileHeaderSize, bmp.size() - BmpFileHeaderSize);
  if (!info) return std::nullopt;
  // Past an 8-bit or smaller depth's table the offset alone says where the rows are.
  const std::uint64_t tableEnd = info->BitsPerPixel <= 8 ? info->PixelsAt : info->ColorsAt;
  info->PixelsAt = offBits - BmpFileHeaderSize;
  if (tableEnd > info->PixelsAt || !RowsFit(*info, bmp.size() - BmpFileHeaderSize)) return std::nullopt;
  return info;
}

}  // namespace tarvell
