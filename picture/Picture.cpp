#include "picture/Picture.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"
#include "base/NativePath.h"

#include <fstream>

namespace tarvell {

namespace {

// Offsets in the information header, which follows the 14-byte file header.
constexpr std::size_t WidthOffset = kBmpFileHeaderSize + 4;
constexpr std::size_t HeightOffset = kBmpFileHeaderSize + 8;
constexpr std::size_t BitCountOffset = kBmpFileHeaderSize + 14;

}  // namespace

std::int32_t TPicture::HeaderField(std::size_t offset) const noexcept {
  if (FBmp.size() < kBmpFileHeaderSize + BmpInfoHeaderSize) {
    return 0;
  }
  return static_cast<std::int32_t>(ReadBmpU32(FBmp.data() + offset));
}

int TPicture::Width() const noexcept { return HeaderField(WidthOffset); }

int TPicture::Height() const noexcept { return HeaderField(HeightOffset); }

int TPicture::BitsPerPixel() const noexcept { return HeaderField(BitCountOffset) & 0xFFFF; }

void TPicture::SaveToFile(const std::string& path) const {
  if (FBmp.empty()) {
    return;
  }
  std::ofstream file(NativePath(path), std::ios::binary | std::ios::trunc);
  if (!file) {
    throw EFCreateError("Cannot create file " + path);
  }
  file.write(reinterpret_cast<const char*>(FBmp.data()), static_cast<std::streamsize>(FBmp.size()));
  // A full disk may only show when the buffered tail is flushed.
  file.close();
  if (file.fail()) {
    throw EWriteError("Stream write error");
  }
}

}  // namespace tarvell
