#include "gui/BmpShrink.h"

#include <algorithm>

namespace tarvell {

namespace {

// A table may hold fewer colours than the depth can index (its header says how many); an
// index beyond them names no colour, and reading it would read past the table.
RGBQUAD TableColor(const TBmpPixels& s, unsigned index) noexcept {
  return index < s.ColorCount ? s.Colors[index] : RGBQUAD{0, 0, 0, 0};
}

RGBQUAD PixelAt(const TBmpPixels& s, const std::uint8_t* row, int x) noexcept {
  switch (s.Bits) {
    case 32:
    case 24: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * (s.Bits / 8);
      return RGBQUAD{p[0], p[1], p[2], 0};
    }
    case 8:
      return TableColor(s, row[x]);
    case 4:
      return TableColor(s, (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0Fu);
    default:
      return TableColor(s, (row[x / 8] >> (7 - x % 8)) & 1u);
  }
}

}  // namespace

std::vector<std::uint32_t> ShrinkBmpPixels(const TBmpPixels& s, int width, int height) {
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  // The destination column of each source column.
  std::vector<int> column(static_cast<std::size_t>(s.Width));
  for (int x = 0; x < s.Width; ++x)
    column[static_cast<std::size_t>(x)] = static_cast<int>(static_cast<std::int64_t>(x) * width / s.Width);
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(width) * 4);
  int sourceY = 0;
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    const int end = static_cast<int>(static_cast<std::int64_t>(y + 1) * s.Rows / height);
    for (; sourceY < end; ++sourceY) {
      const int memoryRow = s.BottomUp ? s.Rows - 1 - sourceY : sourceY;
      const std::uint8_t* row = s.Pixels + static_cast<std::uint64_t>(memoryRow) * s.Stride;
      for (int x = 0; x < s.Width; ++x) {
        const RGBQUAD c = PixelAt(s, row, x);
        std::uint64_t* sum = &sums[static_cast<std::size_t>(column[static_cast<std::size_t>(x)]) * 4];
        sum[0] += c.rgbBlue;
        sum[1] += c.rgbGreen;
        sum[2] += c.rgbRed;
        sum[3] += 1;
      }
    }
    std::uint32_t* target = &out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
    for (int x = 0; x < width; ++x) {
      const std::uint64_t* sum = &sums[static_cast<std::size_t>(x) * 4];
      const std::uint64_t n = sum[3] ? sum[3] : 1;
      target[x] =
          static_cast<std::uint32_t>((sum[0] + n / 2) / n | ((sum[1] + n / 2) / n) << 8 | ((sum[2] + n / 2) / n) << 16);
    }
  }
  return out;
}

}  // namespace tarvell
