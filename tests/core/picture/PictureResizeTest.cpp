#include "picture/PictureResize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tarvell {
namespace {

// The exact area average of region over output pixel ox, oy, channel c, in doubles.
double AreaMean(const TPixelBlock& from, const TPixelRegion& r, int outW, int outH, int ox, int oy, int c) {
  const double sx = r.Width / outW, sy = r.Height / outH;
  const double x0 = r.Left + ox * sx, x1 = x0 + sx, y0 = r.Top + oy * sy, y1 = y0 + sy;
  double sum = 0;
  for (int y = static_cast<int>(std::floor(y0)); y < std::ceil(y1); ++y)
    for (int x = static_cast<int>(std::floor(x0)); x < std::ceil(x1); ++x) {
      const double area = (std::min<double>(x + 1, x1) - std::max<double>(x, x0)) *
                          (std::min<double>(y + 1, y1) - std::max<double>(y, y0));
      sum += area * from.Pixels[static_cast<std::size_t>(y) * from.Stride + 3 * x + c];
    }
  return sum / (sx * sy);
}

// Reducing both sides averages each output pixel's exact area of the source, fractional crops
// included, within one step of rounding, writes no byte of the row padding, and keeps a flat
// colour exact.
TEST(PictureResize, ReductionIsTheAreaMeanOfTheRegion) {
  const struct {
    int w, h;
    TPixelRegion region;
    int outW, outH;
  } cases[] = {
      {45, 30, {0, 0, 45, 30}, 38, 21},          // as the 6/8 decode onto a 3840 x 2160 monitor
      {45, 30, {0, 2.37, 45, 25.31}, 38, 21},    // Fill's centred crop, at a fraction
      {40, 40, {3.5, 0.25, 30.25, 39.5}, 7, 9},  // a large reduction
      {20, 12, {0, 0, 20, 12}, 20, 12},          // no change of size
      {20, 12, {0.5, 0, 19, 12}, 19, 5},         // same width, shifted by half a pixel
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> source(static_cast<std::size_t>(c.w * 3 + 5) * c.h);
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    const TPixelBlock from{source.data(), c.w, c.h, static_cast<std::size_t>(c.w * 3 + 5)};
    const std::size_t stride = static_cast<std::size_t>(c.outW) * 3 + 7;
    std::vector<std::uint8_t> out(stride * c.outH, 0xA5);
    ASSERT_TRUE(ResamplePixels(from, c.region, {out.data(), c.outW, c.outH, stride}));
    int wrong = 0;
    for (int y = 0; y < c.outH; ++y) {
      for (int x = 0; x < c.outW * 3; ++x) {
        const double expected = AreaMean(from, c.region, c.outW, c.outH, x / 3, y, x % 3);
        if (std::abs(out[y * stride + x] - expected) > 1.0 && wrong++ < 3)
          ADD_FAILURE() << c.w << 'x' << c.h << " to " << c.outW << 'x' << c.outH << " at " << x / 3 << ',' << y << ": "
                        << int(out[y * stride + x]) << " instead of " << expected;
      }
      for (std::size_t x = c.outW * 3; x < stride; ++x) EXPECT_EQ(out[y * stride + x], 0xA5) << "padding";
    }

    std::fill(source.begin(), source.end(), 77);
    ASSERT_TRUE(ResamplePixels(from, c.region, {out.data(), c.outW, c.outH, stride}));
    for (int y = 0; y < c.outH; ++y)
      for (int x = 0; x < c.outW * 3; ++x) ASSERT_EQ(out[y * stride + x], 77) << "flat colour at " << x / 3 << ',' << y;
  }
}

// Regression: shares rounded one by one summed past the whole beyond about 90:1, the largest went
// below zero and the sums wrapped: one white pixel among 5,461 black came out 171.
TEST(PictureResize, ExtremeReductionsStayWithinAStepOfTheAreaMean) {
  const int cases[][3] = {{5461, 1, 1}, {1, 5461, 1}, {101, 1, 1}, {1, 100, 1}, {91, 91, 1}, {2, 2, 1}, {1000, 3, 3}};
  for (const auto& [w, h, outW] : cases)
    for (const int white : {0, w * h / 2, w * h - 1}) {  // at either end and midway
      std::vector<std::uint8_t> source(static_cast<std::size_t>(w) * h * 3, 0), out(outW * 3);
      std::fill_n(source.begin() + white * 3, 3, 255);
      const TPixelBlock from{source.data(), w, h, static_cast<std::size_t>(w) * 3};
      const TPixelRegion region{0, 0, static_cast<double>(w), static_cast<double>(h)};
      ASSERT_TRUE(ResamplePixels(from, region, {out.data(), outW, 1, out.size()}));
      for (int ox = 0; ox < outW; ++ox)
        EXPECT_NEAR(out[ox * 3], AreaMean(from, region, outW, 1, ox, 0, 0), 1.0) << w << 'x' << h << ", " << white;
    }
}

}  // namespace
}  // namespace tarvell
