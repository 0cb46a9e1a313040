#include "picture/Picture.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"

namespace tarvell {

namespace {

// Offsets in the information header, which follows the 14-byte file header.
constexpr std::size_t WidthOffset = BmpFileHeaderSize + 4;
constexpr std::size_t HeightOffset = BmpFileHeaderSize + 8;
constexpr std::size_t BitCountOffset = BmpFileHeaderSize + 14;

}  // namespace

std::int32_t TPicture::HeaderField(std::size_t offset) const noexcept {
  if (FBmp.size() < BmpFileHeaderSize + BmpInfoHeaderSize) {
    return 0;
  }
  return static_cast<std::int32_t>(ReadBmpU32(FBmp.data() + offset));
}

int TPicture::Width() const noexcept { return HeaderField(WidthOffset); }

int TPicture::Height() const noexcept { return HeaderField(HeightOffset); }

int TPicture::BitsPerPixel() const noexcept { return HeaderField(BitCountOffset) & 0xFFFF; }

}  // namespace tarvell
