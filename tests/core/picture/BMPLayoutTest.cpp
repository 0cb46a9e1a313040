#include "picture/BMPLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace tarvell {
namespace {

// The cap counts pixels, to the exact pixel. With the cap raised, the 32-bit size fields must
// still refuse a file above 4 GB, computed without wrapping; greyscale needs a third of the bytes.
TEST(BMPLayout, FitsUnderTheCapAndTheBmpSizeFields) {
  struct Case {
    std::uint32_t Width, Height, Components, Cap;
    TBmpFit Fit;
  };
  const Case cases[] = {
      {16384, 12288, 3, DefaultMaxMegapixels, TBmpFit::Fits},  // 201 megapixels
      {1000, 1000, 3, 1, TBmpFit::Fits},
      {1000, 1001, 3, 1, TBmpFit::TooManyPixels},
      {65000, 65000, 3, DefaultMaxMegapixels, TBmpFit::TooManyPixels},
      {65000, 65000, 3, 100000, TBmpFit::TooLargeForBmp},
      {37836, 37836, 3, 100000, TBmpFit::Fits},  // just below 4 GB
      {37840, 37840, 3, 100000, TBmpFit::TooLargeForBmp},
      {37840, 37840, 1, 100000, TBmpFit::Fits},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeBmpLayout(c.Width, c.Height, c.Components, c.Cap).Fit, c.Fit) << c.Width << " x " << c.Height;
  }
  EXPECT_EQ(ComputeBmpLayout(16384, 12288, 3, DefaultMaxMegapixels).FileSize, 54u + 16384ull * 3 * 12288);
  EXPECT_EQ(ComputeBmpLayout(65000, 65000, 3, 100000).FileSize, 54u + 195000ull * 65000);
}

TEST(BMPLayout, HeadersAreWrittenByteForByte) {
  TBmpHeaderInfo info;
  info.XPixelsPerMetre = 2800;
  info.YPixelsPerMetre = 0x01020304;
  std::array<std::uint8_t, 54> out{};
  ASSERT_TRUE(WriteBmpHeaders(ComputeBmpLayout(2, 3, 1, DefaultMaxMegapixels), info, out.data(), out.size()));
  const std::array<std::uint8_t, 54> expected = {
      'B',  'M',  0x42, 0x04, 0, 0,  // file size 1078 + 4 * 3 = 1090
      0,    0,    0,    0,           // reserved
      0x36, 0x04, 0,    0,           // pixel rows at 1078
      40,   0,    0,    0,           // information header size
      2,    0,    0,    0,           // width
      3,    0,    0,    0,           // height: positive, rows bottom-up
      1,    0,                       // planes
      8,    0,                       // bits per pixel
      0,    0,    0,    0,           // no compression
      0,    0,    0,    0,           // image size left 0
      0xF0, 0x0A, 0,    0,           // 2800 pixels per metre
      4,    3,    2,    1,           // little-endian
      0,    1,    0,    0,           // 256 colours used
      0,    0,    0,    0,           // important colours
  };
  EXPECT_EQ(out, expected);

  ASSERT_TRUE(WriteBmpHeaders(ComputeBmpLayout(2, 2, 3, DefaultMaxMegapixels), {}, out.data(), out.size()));
  EXPECT_EQ(out[2], 70);
  EXPECT_EQ(out[10], 54);
  EXPECT_EQ(out[28], 24);
  EXPECT_EQ(out[46], 0) << "no colour table, so no colours used";
}

}  // namespace
}  // namespace tarvell
