#include "picture/RowPlacement.h"

namespace tarvell {

TRowPlacement PlaceRow(const TBmpLayout& layout, int orientation, std::uint8_t* image, std::uint32_t row,
                       std::uint32_t width, std::uint32_t height) noexcept {
  const std::int64_t w = width;
  const std::int64_t h = height;
  const std::int64_t y = row;
  std::int64_t dx = 0;
  std::int64_t dy = 0;
  std::int64_t stepX = 0;
  std::int64_t stepY = 0;
  switch (orientation) {
    case 2:
      dx = w - 1;
      dy = y;
      stepX = -1;
      break;
    case 3:
      dx = w - 1;
      dy = h - 1 - y;
      stepX = -1;
      break;
    case 4:
      dx = 0;
      dy = h - 1 - y;
      stepX = 1;
      break;
    case 5:
      dx = y;
      dy = 0;
      stepY = 1;
      break;
    case 6:
      dx = h - 1 - y;
      dy = 0;
      stepY = 1;
      break;
    case 7:
      dx = h - 1 - y;
      dy = w - 1;
      stepY = -1;
      break;
    case 8:
      dx = y;
      dy = w - 1;
      stepY = -1;
      break;
    default:
      dx = 0;
      dy = y;
      stepX = 1;
      break;
  }
  const auto pixelBytes = static_cast<std::int64_t>(layout.BitsPerPixel / 8);
  const auto rowWidth = static_cast<std::int64_t>(layout.RowWidth);
  const std::int64_t offset = static_cast<std::int64_t>(layout.HeaderSize) +
                              rowWidth * (static_cast<std::int64_t>(layout.Height) - 1 - dy) + dx * pixelBytes;
  return {image + offset, static_cast<std::ptrdiff_t>(stepX * pixelBytes - stepY * rowWidth)};
}

}  // namespace tarvell
