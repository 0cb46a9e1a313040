#include "jpeg/BMPWriter.h"

#include "jpeg/DecodeJpeg.h"
#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarvell {
namespace {

using test::Bytes;
using test::Le16;
using test::Le32;

TDecodeOptions TrueColour() {
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  return options;
}

std::string DecodeError(const Bytes& jpeg, const TDecodeOptions& options) {
  try {
    (void)DecodeJpegToBmp(jpeg, options);
  } catch (const EJPEGException& e) {
    return e.what();
  }
  return "(decoded)";
}

TEST(BMPWriter, TwoByTwoColourPictureIs70BytesWithTheBottomRowFirst) {
  test::TJpegSample sample;
  sample.Width = 2;
  sample.Height = 2;
  sample.Quality = 100;
  sample.HSampling = sample.VSampling = 1;
  sample.Pixel = [](int, int y, std::uint8_t* p) {  // top row red, bottom row blue
    p[0] = y == 0 ? 255 : 0;
    p[1] = 0;
    p[2] = y == 0 ? 0 : 255;
  };
  const TByteBuffer bmp = DecodeJpegToBmp(test::MakeJpeg(sample), TrueColour());
  ASSERT_EQ(bmp.size(), 70u);
  const Bytes header{'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,         // file size, pixels at
                     40,  0,   0,  0, 2, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0,  // 2 x 2 bottom-up, 24 bits
                     0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0,  // no density given
                     0,   0,   0,  0, 0, 0, 0, 0};                           // no colour table
  EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 54), header);
  // Row 0 of the file is the picture's bottom (blue) row, stored blue, green, red.
  for (int x = 0; x < 2; ++x) {
    const std::size_t bottom = 54 + 3 * x;
    const std::size_t top = 62 + 3 * x;
    EXPECT_GT(bmp[bottom + 0], 200) << x;
    EXPECT_LT(bmp[bottom + 2], 60) << x;
    EXPECT_LT(bmp[top + 0], 60) << x;
    EXPECT_GT(bmp[top + 2], 200) << x;
  }
  EXPECT_EQ(bmp[60], 0);
  EXPECT_EQ(bmp[61], 0);
  EXPECT_EQ(bmp[68], 0);
  EXPECT_EQ(bmp[69], 0);
}

TEST(BMPWriter, TwoByTwoGreyPictureIs1086BytesWithAGreyRamp) {
  test::TJpegSample sample;
  sample.Width = 2;
  sample.Height = 2;
  sample.Components = 1;
  sample.Quality = 100;
  sample.Pixel = [](int x, int y, std::uint8_t* p) { p[0] = static_cast<std::uint8_t>(y == 0 ? 250 - x : 10 + x); };
  const TByteBuffer bmp = DecodeJpegToBmp(test::MakeJpeg(sample), TrueColour());
  ASSERT_EQ(bmp.size(), 1086u);
  const Bytes header{'B', 'M', 0x3E, 4, 0, 0, 0, 0, 0, 0, 0x36, 4, 0, 0,        // 1086 bytes, pixels at 1078
                     40,  0,   0,    0, 2, 0, 0, 0, 2, 0, 0,    0, 1, 0, 8, 0,  // 2 x 2 bottom-up, 8 bits
                     0,   0,   0,    0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0,  // no density given
                     0,   1,   0,    0, 0, 0, 0, 0};                            // 256 colours
  EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 54), header);
  for (int i = 0; i < 256; ++i) {
    const std::size_t entry = 54 + 4 * i;
    ASSERT_EQ(bmp[entry], i);
    ASSERT_EQ(bmp[entry + 1], i);
    ASSERT_EQ(bmp[entry + 2], i);
    ASSERT_EQ(bmp[entry + 3], 0);
  }
  EXPECT_LT(bmp[1078], 40) << "dark bottom row first";
  EXPECT_GT(bmp[1082], 220);
  EXPECT_EQ(bmp[1080], 0);
  EXPECT_EQ(bmp[1081], 0);
  EXPECT_EQ(bmp[1084], 0);
  EXPECT_EQ(bmp[1085], 0);
}

// Pad bytes end every row with zeros, whatever the width.
TEST(BMPWriter, RowsArePaddedWithZeros) {
  struct Case {
    int width, components;
    std::size_t row, data, header;
  };
  for (const Case c : {Case{1, 3, 4, 3, 54}, Case{1, 1, 4, 1, 1078}, Case{4, 3, 12, 12, 54}, Case{7, 3, 24, 21, 54},
                       Case{5, 1, 8, 5, 1078}}) {
    test::TJpegSample sample;
    sample.Width = c.width;
    sample.Height = 9;
    sample.Components = c.components;
    sample.Pixel = [](int, int, std::uint8_t* p) { p[0] = p[1] = p[2] = 255; };
    if (c.components == 1) sample.Pixel = [](int, int, std::uint8_t* p) { p[0] = 255; };
    const TByteBuffer bmp = DecodeJpegToBmp(test::MakeJpeg(sample), TrueColour());
    ASSERT_EQ(bmp.size(), c.header + c.row * 9) << c.width;
    for (int y = 0; y < 9; ++y) {
      const std::size_t row = c.header + c.row * static_cast<std::size_t>(y);
      EXPECT_GT(bmp[row + c.data - 1], 240) << "white pixels, width " << c.width;
      for (std::size_t pad = c.data; pad < c.row; ++pad) {
        EXPECT_EQ(bmp[row + pad], 0) << "width " << c.width << " row " << y;
      }
    }
  }
}

TEST(BMPWriter, DensityInDotsPerCentimetreBecomesPixelsPerMetre) {
  struct Case {
    std::uint8_t unit;
    std::uint16_t x, y;
    std::uint32_t xOut, yOut;
  };
  for (const Case c : {Case{2, 28, 28, 2800, 2800}, Case{2, 30, 45, 3000, 4500}, Case{2, 65535, 1, 6553500, 100},
                       Case{1, 72, 72, 0, 0}, Case{0, 1, 1, 0, 0}}) {
    test::TJpegSample sample;
    sample.DensityUnit = c.unit;
    sample.XDensity = c.x;
    sample.YDensity = c.y;
    for (const bool grey : {false, true}) {
      sample.Components = grey ? 1 : 3;
      const TByteBuffer bmp = DecodeJpegToBmp(test::MakeJpeg(sample), TrueColour());
      EXPECT_EQ(Le32(bmp, 38), c.xOut) << int(c.unit) << " " << c.x;
      EXPECT_EQ(Le32(bmp, 42), c.yOut) << int(c.unit) << " " << c.y;
    }
  }
}

// Colours the quantiser did not choose are zero entries, up to all 256.
TEST(BMPWriter, SixteenColourTableIsFilledUpWithZeros) {
  test::TJpegSample sample;
  sample.Width = 40;
  sample.Height = 30;
  for (const bool grey : {false, true}) {
    TDecodeOptions options;
    options.NumOfColors = TNumOfColors::_16;
    options.GrayScale = grey;
    const TByteBuffer bmp = DecodeJpegToBmp(test::MakeJpeg(sample), options);
    ASSERT_EQ(bmp.size(), 1078u + 40 * 30);
    EXPECT_EQ(Le16(bmp, 28), 8u);
    EXPECT_EQ(Le32(bmp, 46), 256u);
    for (int i = 16; i < 256; ++i) {
      EXPECT_EQ(Le32(bmp, 54 + 4 * static_cast<std::size_t>(i)), 0u) << "entry " << i << (grey ? " grey" : "");
    }
    std::set<int> used;
    for (std::size_t i = 1078; i < bmp.size(); ++i) used.insert(bmp[i]);
    EXPECT_GE(used.size(), 4u);
    EXPECT_LT(*used.rbegin(), 16);
    for (const int index : used) {
      const std::size_t entry = 54 + 4 * static_cast<std::size_t>(index);
      EXPECT_EQ(bmp[entry + 3], 0);
      if (grey) {
        EXPECT_EQ(bmp[entry], bmp[entry + 1]);
        EXPECT_EQ(bmp[entry], bmp[entry + 2]);
      }
    }
  }
}

// CMYK and YCCK pictures were refused as damaged; now they decode to 24-bit rows wherever the
// reference decoder gives a BMP (true colour, not greyscale), and every other option fails as
// unsupported, not as damage.
TEST(BMPWriter, FourChannelPicturesDecodeInTrueColourAndAreUnsupportedOtherwise) {
  for (const bool ycck : {false, true}) {
    test::TJpegSample sample;
    sample.Components = 4;
    sample.Ycck = ycck;
    const Bytes jpeg = test::MakeJpeg(sample);
    int decoded = 0;
    for (const auto colours : {TNumOfColors::_16, TNumOfColors::_256, TNumOfColors::TrueColor}) {
      for (int flags = 0; flags < 16; ++flags) {
        TDecodeOptions options;
        options.NumOfColors = colours;
        options.FastProcessing = (flags & 1) != 0;
        options.GrayScale = (flags & 2) != 0;
        options.NoSmooth = (flags & 4) != 0;
        options.OnePass = (flags & 8) != 0;
        const bool decodes = colours == TNumOfColors::TrueColor && !options.GrayScale;
        try {
          const TByteBuffer bmp = DecodeJpegToBmp(jpeg, options);
          EXPECT_TRUE(decodes) << "flags " << flags;
          EXPECT_EQ(Le16(bmp, 28), 24u);
          ++decoded;
        } catch (const EJPEGException& e) {
          EXPECT_FALSE(decodes) << "flags " << flags << ": " << e.what();
          EXPECT_EQ(e.Kind(), TDecodeFailure::Unsupported) << e.what();
        }
      }
    }
    EXPECT_EQ(decoded, 8);
  }
}

// Guards against a header declaring an enormous picture: it must be refused with a reason
// before the BMP image (or anything else that size) is allocated.
TEST(BMPWriter, RefusesEnormousDeclaredSizesBeforeAllocating) {
  test::TJpegSample sample;
  Bytes jpeg = test::MakeJpeg(sample);
  test::SetDeclaredSize(jpeg, 65000, 65000);
  TDecodeOptions options = TrueColour();
  EXPECT_EQ(DecodeError(jpeg, options), "Picture of 65000 x 65000 pixels exceeds the limit of 250 megapixels");
  options.NumOfColors = TNumOfColors::_256;  // a two-pass quantiser would buffer the whole picture too
  EXPECT_EQ(DecodeError(jpeg, options), "Picture of 65000 x 65000 pixels exceeds the limit of 250 megapixels");
  options = TrueColour();
  options.MaxMegapixels = 100000;
  EXPECT_EQ(DecodeError(jpeg, options), "Picture of 65000 x 65000 pixels is too large for a BMP file");

  sample.Progressive = true;
  Bytes progressive = test::MakeJpeg(sample);
  test::SetDeclaredSize(progressive, 60000, 50000);
  EXPECT_EQ(DecodeError(progressive, TrueColour()),
            "Picture of 60000 x 50000 pixels exceeds the limit of 250 megapixels");
}

TEST(BMPWriter, TheLimitIsExactAndCountsPixels) {
  test::TJpegSample sample;
  sample.Components = 1;
  sample.Width = 1000;
  sample.Height = 1000;
  sample.Pixel = [](int x, int y, std::uint8_t* p) { p[0] = static_cast<std::uint8_t>(x ^ y); };
  TDecodeOptions options = TrueColour();
  options.MaxMegapixels = 1;
  EXPECT_EQ(DecodeJpegToBmp(test::MakeJpeg(sample), options).size(), 1078u + 1000 * 1000);
  sample.Height = 1001;
  EXPECT_EQ(DecodeError(test::MakeJpeg(sample), options),
            "Picture of 1000 x 1001 pixels exceeds the limit of 1 megapixels");
}

}  // namespace
}  // namespace tarvell
