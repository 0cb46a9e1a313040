#include "windows/DibFile.h"

#include <cstdlib>

namespace tarvell {

namespace {

constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t CompressionRgb = 0;
constexpr std::uint32_t CompressionBitFields = 3;
constexpr std::uint64_t BitFieldMasksSize = 12;

std::uint32_t Read16(const std::uint8_t* p) noexcept { return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8; }
std::uint32_t Read32(const std::uint8_t* p) noexcept { return Read16(p) | Read16(p + 2) << 16; }

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BmpFileFromPackedDib(const std::uint8_t* dib, std::size_t size) {
  if (!dib || size < InfoHeaderSize) return {};
  const std::uint32_t headerSize = Read32(dib);
  const auto width = static_cast<std::int32_t>(Read32(dib + 4));
  const auto height = static_cast<std::int32_t>(Read32(dib + 8));
  const std::uint32_t planes = Read16(dib + 12);
  const std::uint32_t bitCount = Read16(dib + 14);
  const std::uint32_t compression = Read32(dib + 16);
  const std::uint32_t colorsUsed = Read32(dib + 32);

  if (headerSize < InfoHeaderSize || headerSize > size || planes != 1) return {};
  if (width <= 0 || height == 0) return {};
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return {};
  if (compression != CompressionRgb && compression != CompressionBitFields) return {};
  if (compression == CompressionBitFields && bitCount != 16 && bitCount != 32) return {};

  // Everything in 64 bits: the fields come from the bytes, not from us.
  std::uint64_t colors = colorsUsed;
  if (colors == 0 && bitCount <= 8) colors = std::uint64_t{1} << bitCount;
  if (bitCount <= 8 && colors > (std::uint64_t{1} << bitCount)) return {};
  std::uint64_t pixelsAt = headerSize + colors * 4;
  // A 40-byte header keeps its three masks after it; larger headers hold them inside.
  if (compression == CompressionBitFields && headerSize == InfoHeaderSize) pixelsAt += BitFieldMasksSize;
  const std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(width)} * bitCount + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(height));
  if (pixelsAt > size || stride * rows > size - pixelsAt) return {};

  const std::uint64_t fileSize = FileHeaderSize + size;
  if (fileSize > UINT32_MAX) return {};

  std::vector<std::uint8_t> bmp;
  bmp.reserve(static_cast<std::size_t>(fileSize));
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, static_cast<std::uint32_t>(fileSize));
  Put16(bmp, 0);
  Put16(bmp, 0);
  Put32(bmp, static_cast<std::uint32_t>(FileHeaderSize + pixelsAt));
  bmp.insert(bmp.end(), dib, dib + size);
  return bmp;
}

}  // namespace tarvell
