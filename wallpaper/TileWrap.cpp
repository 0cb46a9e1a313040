#include "wallpaper/TileWrap.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"

#include <algorithm>
#include <span>

namespace tarvell {

namespace {

int Wrap(int v, int size) noexcept { return ((v % size) + size) % size; }

}  // namespace

TBitmapPoint TiledBitmapPoint(int x, int y, const TScreenRect& screen) noexcept {
  if (screen.Width <= 0 || screen.Height <= 0) return {};
  return {Wrap(x, screen.Width), Wrap(y, screen.Height)};
}

void WrapForTiling(TByteBuffer& bmp, const TScreenRect& screen) {
  const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(bmp.data(), bmp.size()));
  if (!info || info->BitsPerPixel != 24 || !info->BottomUp() || info->Width != screen.Width ||
      static_cast<std::int64_t>(info->Rows) != screen.Height)
    throw EJPEGException("The bitmap does not cover the screen", TDecodeFailure::Unsupported);
  std::uint8_t* pixels = bmp.data() + BmpFileHeaderSize + info->PixelsAt;
  // Column c (from the left edge, at screen x Left + c) goes to Wrap(Left + c).
  const int shiftRight = Wrap(screen.Left, screen.Width);
  if (shiftRight != 0) {
    for (std::uint64_t r = 0; r < info->Rows; ++r) {
      std::uint8_t* row = pixels + r * info->Stride;
      std::rotate(row, row + 3 * (screen.Width - shiftRight), row + 3 * screen.Width);
    }
  }
  // Row r from the top goes to Wrap(Top + r); stored bottom-up, that moves each row down by
  // Wrap(Top) in memory.
  const int shiftDown = Wrap(screen.Top, screen.Height);
  if (shiftDown != 0) std::rotate(pixels, pixels + shiftDown * info->Stride, pixels + info->Rows * info->Stride);
}

}  // namespace tarvell
