#include "wallpaper/TileWrap.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvell {
namespace {

TEST(TileWrap, NegativeCoordinatesWrapToTheFarSide) {
  const TScreenRect screen{-1920, -200, 1920 + 2560, 1440 + 200};
  struct Case {
    int X, Y;
    TBitmapPoint Expected;
  };
  const Case cases[] = {
      {0, 0, {0, 0}},  // the primary's corner is the tiles' origin
      {2559, 1439, {2559, 1439}},
      {-1920, 0, {2560, 0}},  // the left monitor's corner lands right of the primary's part
      {-1, -1, {4479, 1639}},
      {-1920, -200, {2560, 1440}},
  };
  for (const auto& c : cases) EXPECT_EQ(TiledBitmapPoint(c.X, c.Y, screen), c.Expected) << c.X << ',' << c.Y;
}

// A bitmap whose every pixel tells its own position, so any misplaced pixel shows.
TByteBuffer Numbered(const TScreenRect& s) {
  const TBmpLayout layout = ComputeBmpLayout(s.Width, s.Height, 3, DefaultMaxMegapixels);
  TByteBuffer bmp(layout.FileSize, 0);
  WriteBmpHeaders(layout, {}, bmp.data(), bmp.size());
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x) {
      std::uint8_t* p = bmp.data() + layout.HeaderSize + (s.Height - 1 - y) * layout.RowWidth + 3 * x;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = 7;
    }
  return bmp;
}

std::pair<int, int> PixelAt(const TByteBuffer& bmp, int bx, int by) {
  const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(bmp.data(), bmp.size()));
  const std::uint8_t* p = bmp.data() + BmpFileHeaderSize + info->PixelsAt + (info->Height - 1 - by) * info->Stride + 3 * bx;
  return {p[0], p[1]};
}

TEST(TileWrap, EveryScreenPointShowsItsOwnPixelWhenTiled) {
  const TScreenRect layouts[] = {
      {0, 0, 30, 20},      // the primary alone: nothing moves
      {-12, 0, 30, 20},    // a monitor left of the primary
      {0, -7, 30, 20},     // one above
      {-13, -5, 31, 17},   // both, with odd sizes (rows padded)
      {-29, -19, 30, 20},  // the primary's corner at the far end
  };
  for (const auto& s : layouts) {
    TByteBuffer bmp = Numbered(s);
    WrapForTiling(bmp, s);
    int wrong = 0;
    for (int y = s.Top; y < s.Top + s.Height; ++y)
      for (int x = s.Left; x < s.Left + s.Width; ++x) {
        const TBitmapPoint b = TiledBitmapPoint(x, y, s);
        const std::pair<int, int> expected{x - s.Left, y - s.Top};
        if (PixelAt(bmp, b.X, b.Y) != expected && wrong++ == 0)
          ADD_FAILURE() << "screen " << x << ',' << y << " of layout at " << s.Left << ',' << s.Top;
      }
  }
}

}  // namespace
}  // namespace tarvell
