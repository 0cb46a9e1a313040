#include "wallpaper/BlurFill.h"

#include "picture/BMPLayout.h"
#include "picture/DecodeError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace tarvell {
namespace {

constexpr int Header = BmpFileHeaderSize + BmpInfoHeaderSize;

// A picture of fine stripes (no colour below 60): the same mean everywhere, and detail that
// a weak blur would leave.
TByteBuffer Stripes(int w, int h) {
  const TBmpLayout layout = ComputeBmpLayout(w, h, 3, DefaultMaxMegapixels);
  TByteBuffer bmp(layout.FileSize, 0);
  WriteBmpHeaders(layout, {}, bmp.data(), bmp.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) bmp[Header + y * layout.RowWidth + x * 3 + c] = 60 + (x * 37 + y * 91 + c) % 7 * 30;
  return bmp;
}

// Channel c of pixel (x, y), counted from the top, of a w x h bitmap.
int At(const TByteBuffer& bmp, int w, int h, int x, int y, int c) {
  return bmp[Header + (h - 1 - y) * ((w * 3 + 3) / 4 * 4) + x * 3 + c];
}

TEST(BlurFill, NeededWhenTheShapesDifferByMoreThanATenth) {
  struct {
    int Pw, Ph, Mw, Mh;
    bool Needed;
  } const cases[] = {
      {1920, 1080, 1920, 1080, false}, {3000, 4000, 2560, 1440, true},  {1100, 1000, 1000, 1000, false},
      {1101, 1000, 1000, 1000, true},  {1000, 1100, 1000, 1000, false}, {1000, 1101, 1000, 1000, true},
      {0, 10, 10, 10, false},          {10, 10, 10, -1, false},         {2000000000, 1, 1, 2000000000, true}};
  for (const auto& t : cases)
    EXPECT_EQ(NeedsBlurFill(t.Pw, t.Ph, t.Mw, t.Mh), t.Needed) << t.Pw << 'x' << t.Ph << " on " << t.Mw << 'x' << t.Mh;
}

// The picture lies exactly where Fit puts it; the rest is filled and, where the monitor is
// large enough for a real blur, smooth and darker than the picture's mean.
TEST(BlurFill, FitsThePictureWholeOnABlurredDarkerCover) {
  struct {
    int Pw, Ph, Mw, Mh;
    bool Large;
  } const cases[] = {{300, 400, 640, 360, true}, {640, 200, 300, 480, true}, {1, 50, 64, 36, false},
                     {50, 1, 36, 64, false},     {40, 30, 1, 300, false},    {40, 30, 300, 1, false},
                     {1, 1, 1, 1, false},        {7, 3, 2, 2, false}};
  const TRgbColour desk{0, 0, 0};
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << t.Pw << 'x' << t.Ph << " on " << t.Mw << 'x' << t.Mh);
    const TByteBuffer picture = Stripes(t.Pw, t.Ph);
    const TMonitorPicture part{{0, 0, t.Mw, t.Mh}, &picture};
    const TByteBuffer fit = ComposeMonitorPictures({&part, 1}, TWallpaperStyle::Fit, desk);
    const TByteBuffer blur = ComposeBlurFill(picture, t.Mw, t.Mh);
    ASSERT_EQ(blur.size(), fit.size());
    long barPixels = 0, barSum = 0, roughest = 0;
    for (int y = 0; y < t.Mh; ++y)
      for (int x = 0; x < t.Mw; ++x) {
        const bool bar =
            At(fit, t.Mw, t.Mh, x, y, 0) + At(fit, t.Mw, t.Mh, x, y, 1) + At(fit, t.Mw, t.Mh, x, y, 2) == 0;
        barPixels += bar;
        for (int c = 0; c < 3; ++c) {
          const int v = At(blur, t.Mw, t.Mh, x, y, c);
          if (!bar) {
            ASSERT_EQ(v, At(fit, t.Mw, t.Mh, x, y, c)) << x << ',' << y;
            continue;
          }
          ASSERT_GT(v, 0) << x << ',' << y;
          barSum += v;
          if (x > 0 && At(fit, t.Mw, t.Mh, x - 1, y, 0) == 0)
            roughest = std::max<long>(roughest, std::abs(v - At(blur, t.Mw, t.Mh, x - 1, y, c)));
        }
      }
    EXPECT_EQ(barPixels > 0, NeedsBlurFill(t.Pw, t.Ph, t.Mw, t.Mh));
    // The stripes' mean is 150; darkened to 0.8 it is 120.
    if (t.Large) {
      EXPECT_NEAR(barSum / (barPixels * 3.0), 120, 15);
      EXPECT_LE(roughest, 3);
    }
  }
}

// On a canvas of several monitors, a part is drawn as a monitor alone would show it and
// nothing around it is touched; a part off the screen draws nothing.
TEST(BlurFill, DrawsOnlyItsMonitorsPartOfTheCanvas) {
  const TByteBuffer picture = Stripes(90, 160);
  const TByteBuffer alone = ComposeBlurFill(picture, 64, 36);
  const TScreenRect screen{-64, -10, 164, 100};
  TByteBuffer canvas = StartMonitorCanvas(screen, {1, 2, 3});
  const TByteBuffer empty = canvas;
  DrawBlurFillPart(canvas, screen, {{-64, 100, 64, 36}, &picture});
  EXPECT_EQ(canvas, empty);
  DrawBlurFillPart(canvas, screen, {{-64, 50, 64, 36}, &picture});
  for (int y = 0; y < screen.Height; ++y)
    for (int x = 0; x < screen.Width; ++x) {
      const bool inside = x < 64 && y >= 60 && y < 96;
      for (int c = 0; c < 3; ++c)
        ASSERT_EQ(At(canvas, 164, 100, x, y, c), inside ? At(alone, 64, 36, x, y - 60, c) : 3 - c) << x << ',' << y;
    }
}

TEST(BlurFill, RefusesSizesNoBitmapHoldsAndPicturesOfOtherRows) {
  const TByteBuffer picture = Stripes(4, 4);
  TByteBuffer grey(ComputeBmpLayout(4, 4, 1, DefaultMaxMegapixels).FileSize, 0);
  WriteBmpHeaders(ComputeBmpLayout(4, 4, 1, DefaultMaxMegapixels), {}, grey.data(), grey.size());
  const std::tuple<const TByteBuffer*, int, int> cases[] = {
      {&picture, 0, 10}, {&picture, 10, -1}, {&picture, 100000, 100000}, {&grey, 10, 10}};
  for (const auto& [bmp, w, h] : cases) {
    try {
      ComposeBlurFill(*bmp, w, h);
      ADD_FAILURE() << w << 'x' << h << " composed";
    } catch (const EJPEGException& e) {
      EXPECT_EQ(e.Kind(), TDecodeFailure::Unsupported);
    }
  }
}

}  // namespace
}  // namespace tarvell
