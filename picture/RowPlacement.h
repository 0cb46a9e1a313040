// Where the pixels of one decoded row go in a bottom-up BMP file image, for each EXIF
// orientation: every decoder's writer stores its rows through this one rule.
#pragma once

#include "picture/BMPLayout.h"

#include <cstddef>
#include <cstdint>

namespace tarvell {

// The first pixel's place and the distance from one pixel's place to the next (negative when
// the row runs backwards or up the file).
struct TRowPlacement {
  std::uint8_t* First;
  std::ptrdiff_t Step;
};

// Decoded pixel (x, y) of a width x height decode shows at (dx, dy) of the turned picture:
// 1 (x, y), 2 (W-1-x, y), 3 (W-1-x, H-1-y), 4 (x, H-1-y), 5 (y, x), 6 (H-1-y, x),
// 7 (H-1-y, W-1-x), 8 (y, W-1-x). layout is that of the turned picture; image its BMP file image.
TRowPlacement PlaceRow(const TBmpLayout& layout, int orientation, std::uint8_t* image, std::uint32_t row,
                       std::uint32_t width, std::uint32_t height) noexcept;

}  // namespace tarvell
