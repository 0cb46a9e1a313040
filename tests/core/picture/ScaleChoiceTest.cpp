#include "picture/ScaleChoice.h"

#include "jpeg/DecodeJpeg.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;
using S = TWallpaperStyle;

// Without TileWallpaper a style is not tiled; tiling wins over a scaling style.
TEST(ScaleChoice, StyleFromTheDesktopSettings) {
  using O = std::optional<std::string_view>;
  const std::tuple<O, O, S> cases[] = {
      {"10", "0", S::Fill},         {"6", "0", S::Fit},  {"2", "0", S::Stretch}, {"22", "0", S::Span},
      {"0", "0", S::Center},        {"10", {}, S::Fill}, {"0", "1", S::Tile},    {"10", "1", S::Tile},
      {std::nullopt, "0", S::None}, {"7", "0", S::None}, {"", "0", S::None},     {"10 ", "0", S::None},
  };
  for (const auto& [style, tile, expected] : cases) {
    EXPECT_EQ(WallpaperStyleFromSettings(style, tile), expected) << style.value_or("-") << "," << tile.value_or("-");
  }
}

TEST(ScaleChoice, ChosenScalesForTypicalScreensAndPictures) {
  // 24 megapixels on a 1920 x 1080 desktop: 3/8 gives 2250 x 1500, 2/8 would give 1500 wide.
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 6000, 4000), 3);
  EXPECT_EQ(ChooseScaleNum(S::Stretch, 1920, 1080, 6000, 4000), 3);
  EXPECT_EQ(ChooseScaleNum(S::Fit, 1920, 1080, 6000, 4000), 3);  // 1500 high; 2/8 gives 1000
  // Exactly a quarter: 7680 x 4320 at 2/8 is 1920 x 1080.
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 7680, 4320), 2);
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 15360, 8640), 1);
  // A portrait photo (as shown, after its EXIF turn) on a landscape screen: Fill must cover
  // the width, so the picture is cropped top and bottom; Fit only needs the height.
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 3000, 4000), 6);  // 2250 wide; 5/8 gives 1875
  EXPECT_EQ(ChooseScaleNum(S::Fit, 1920, 1080, 3000, 4000), 3);   // 1500 high
  EXPECT_EQ(ChooseScaleNum(S::Stretch, 1920, 1080, 3000, 4000), 6);
  // Two 1920 x 1080 monitors side by side: Span fills the 3840 x 1080 virtual screen.
  EXPECT_EQ(ChooseScaleNum(S::Span, 3840, 1080, 6000, 4000), 6);  // 4500 wide; 5/8 gives 3750
  EXPECT_EQ(ChooseScaleNum(S::Span, 1920, 2160, 6000, 4000), 5);  // stacked: 2500 high needs 5/8
  // Pictures no larger than needed, and styles that show pixels one to one: full size.
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 1920, 1080), 8);
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 1000, 800), 8);
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1920, 1080, 2000, 1000), 8) << "too short to fill without enlarging";
  EXPECT_EQ(ChooseScaleNum(S::Fit, 1920, 1080, 2000, 1000), 8);
  for (const S style : {S::Center, S::Tile, S::None}) {
    EXPECT_EQ(ChooseScaleNum(style, 1920, 1080, 12000, 8000), 8);
  }
  for (const auto& [sw, sh, pw, ph] : {std::array{0, 1080, 6000, 4000}, std::array{1920, -1, 6000, 4000},
                                       std::array{1920, 1080, 0, 4000}, std::array{1920, 1080, 6000, -5}}) {
    EXPECT_EQ(ChooseScaleNum(S::Fill, sw, sh, pw, ph), 8);
  }
  EXPECT_EQ(ChooseScaleNum(S::Fill, 65535, 65535, 65535, 65535), 8) << "no overflow at the largest sizes";
  EXPECT_EQ(ChooseScaleNum(S::Fill, 1, 1, 65535, 65535), 1);
}

// A fraction a / b, compared by cross-multiplication.
struct TFrac {
  long long A, B;
  bool operator<=(const TFrac& o) const { return A * o.B <= o.A * B; }
};
TFrac Max(TFrac x, TFrac y) { return x <= y ? y : x; }
TFrac Min(TFrac x, TFrac y) { return x <= y ? x : y; }

// How much the desktop enlarges a bitmap of w x h for the style; the chosen decode must not
// be enlarged more than the full-size one is, or than 1 where the full size is reduced.
bool Covers(S style, int sw, int sh, long long w, long long h, int fullW, int fullH) {
  const TFrac one{1, 1};
  const TFrac x{sw, w}, y{sh, h}, fullX{sw, fullW}, fullY{sh, fullH};
  switch (style) {
    case S::Fit:
      return Min(x, y) <= Max(Min(fullX, fullY), one);
    case S::Fill:
    case S::Span:
      return Max(x, y) <= Max(Max(fullX, fullY), one);
    case S::Stretch:
      return x <= Max(fullX, one) && y <= Max(fullY, one);
    default:
      return w == fullW && h == fullH;
  }
}

// The choice is the smallest scale whose libjpeg output (ceil(size * N / 8)) covers the screen
// as the style shows it, over many screens and pictures.
TEST(ScaleChoice, ChoiceIsTheSmallestScaleThatCovers) {
  int checked = 0;
  for (const S style : {S::Fit, S::Fill, S::Span, S::Stretch, S::Center}) {
    for (const auto& [sw, sh] : {std::pair{1024, 768}, std::pair{1920, 1080}, std::pair{1080, 1920},
                                 std::pair{5760, 1080}, std::pair{2560, 2880}}) {
      for (int pw = 300; pw <= 12000; pw += 977) {
        for (int ph = 200; ph <= 9000; ph += 1231) {
          const int n = ChooseScaleNum(style, sw, sh, pw, ph);
          ASSERT_GE(n, 1);
          ASSERT_LE(n, 8);
          auto out = [](int size, int num) { return (static_cast<long long>(size) * num + 7) / 8; };
          EXPECT_TRUE(Covers(style, sw, sh, out(pw, n), out(ph, n), pw, ph))
              << int(style) << " " << sw << "x" << sh << " " << pw << "x" << ph << " N=" << n;
          if (n > 1) {
            EXPECT_FALSE(Covers(style, sw, sh, out(pw, n - 1), out(ph, n - 1), pw, ph))
                << int(style) << " " << sw << "x" << sh << " " << pw << "x" << ph << " N=" << n
                << " is not the smallest";
          }
          ++checked;
        }
      }
    }
  }
  EXPECT_EQ(checked, 5 * 5 * 12 * 8);
}

// A decode for a scaling style gives the reference decoder's bytes at the chosen scale, turned
// as EXIF says after scaling; the default fit decodes at full size.
TEST(ScaleChoice, ScaledDecodeAgreesWithTheReferenceDecoder) {
  const fs::path dir = test::TestDir();
  test::TJpegSample sample;
  sample.Width = 403;
  sample.Height = 301;
  const Bytes jpeg = test::MakeJpeg(sample);
  const fs::path file = dir / "p.jpg";
  test::WriteFile(file, jpeg);
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  EXPECT_EQ(test::Le32(DecodeJpegToBmp(jpeg, options), 18), 403u);
  options.Fit = {S::Center, 100, 100};
  EXPECT_EQ(test::Le32(DecodeJpegToBmp(jpeg, options), 18), 403u);
  for (const auto& [fit, num] :
       {std::pair{TWallpaperFit{S::Fill, 100, 60}, 2}, std::pair{TWallpaperFit{S::Fit, 160, 90}, 3},
        std::pair{TWallpaperFit{S::Stretch, 350, 10}, 7}, std::pair{TWallpaperFit{S::Span, 40, 30}, 1}}) {
    options.Fit = fit;
    ASSERT_EQ(ChooseScaleNum(fit.Style, fit.ScreenWidth, fit.ScreenHeight, 403, 301), num);
    const TByteBuffer ours = DecodeJpegToBmp(jpeg, options);
    const fs::path reference = dir / ("ref" + std::to_string(num) + ".bmp");
    ASSERT_EQ(test::RunDjpeg("-scale " + std::to_string(num) + "/8", file, reference), 0);
    EXPECT_EQ(test::AsBytes(ours), test::ReadFile(reference)) << "N=" << num;
  }
  // Turned a quarter: the choice sees a 301 x 403 picture, which needs 4/8 to fill 150 x 200.
  test::TJpegSample turned = sample;
  turned.Markers.push_back({JPEG_APP0 + 1, test::OrientationExif(6)});
  options.Fit = {S::Fill, 150, 200};
  ASSERT_EQ(ChooseScaleNum(S::Fill, 150, 200, 301, 403), 4);
  ASSERT_EQ(ChooseScaleNum(S::Fill, 150, 200, 403, 301), 6) << "unturned, the choice would differ";
  const TByteBuffer ours = DecodeJpegToBmp(test::MakeJpeg(turned), options);
  EXPECT_EQ(test::Le32(ours, 18), (301u * 4 + 7) / 8);
  EXPECT_EQ(test::Le32(ours, 22), (403u * 4 + 7) / 8);
}

}  // namespace
}  // namespace tarvell
