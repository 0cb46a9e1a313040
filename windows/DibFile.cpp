#include "windows/DibFile.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"

#include <optional>
#include <span>

namespace tarvell {

namespace {

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
  if (!dib) return {};
  const std::optional<TBmpInfo> info = ReadPackedDibInfo(std::span<const std::uint8_t>(dib, size));
  if (!info) return {};
  const std::uint64_t pixelsAt = info->PixelsAt;

  const std::uint64_t fileSize = std::uint64_t{BmpFileHeaderSize} + size;
  if (fileSize > UINT32_MAX) return {};

  std::vector<std::uint8_t> bmp;
  bmp.reserve(static_cast<std::size_t>(fileSize));
  bmp.push_back('B');
  bmp.push_back('M');
  Put32(bmp, static_cast<std::uint32_t>(fileSize));
  Put16(bmp, 0);
  Put16(bmp, 0);
  Put32(bmp, static_cast<std::uint32_t>(std::uint64_t{BmpFileHeaderSize} + pixelsAt));
  bmp.insert(bmp.end(), dib, dib + size);
  return bmp;
}

}  // namespace tarvell
