#include "wallpaper/MonitorComposer.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvell {
namespace {

struct TRgb {
  std::uint8_t R, G, B;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

std::ostream& operator<<(std::ostream& os, const TRgb& c) { return os << int(c.R) << ',' << int(c.G) << ',' << int(c.B); }

constexpr TRgb Red{200, 0, 0}, Green{0, 150, 0}, Blue{0, 0, 220}, White{255, 255, 255}, Desk{10, 20, 30};
constexpr TRgbColour DeskColour{10, 20, 30};

// A picture whose top half is one colour and bottom half another, so that a part turned
// upside down or shifted shows.
TByteBuffer TwoTone(int w, int h, TRgb top, TRgb bottom) {
  const TBmpLayout layout = ComputeBmpLayout(w, h, 3, DefaultMaxMegapixels);
  TByteBuffer bmp(layout.FileSize, 0);
  WriteBmpHeaders(layout, {}, bmp.data(), bmp.size());
  for (int y = 0; y < h; ++y) {
    const TRgb c = y < h / 2 ? top : bottom;  // y from the top
    std::uint8_t* row = bmp.data() + layout.HeaderSize + (h - 1 - y) * layout.RowWidth;
    for (int x = 0; x < w; ++x) {
      row[3 * x] = c.B;
      row[3 * x + 1] = c.G;
      row[3 * x + 2] = c.R;
    }
  }
  return bmp;
}

// The composed bitmap read back at virtual-screen coordinates.
struct TComposed {
  TByteBuffer Bmp;
  TScreenRect Screen;
  TBmpInfo Info;

  TRgb At(int vx, int vy) const {
    const std::uint8_t* p = Bmp.data() + BmpFileHeaderSize + Info.PixelsAt +
                            (Info.Height - 1 - (vy - Screen.Top)) * Info.Stride + (vx - Screen.Left) * 3;
    return {p[2], p[1], p[0]};
  }
};

TComposed Compose(const std::vector<TMonitorPicture>& parts, TWallpaperStyle style) {
  TComposed c{ComposeMonitorPictures(parts, style, DeskColour), VirtualScreenOf(parts), {}};
  const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(c.Bmp.data(), c.Bmp.size()));
  EXPECT_TRUE(info && info->BitsPerPixel == 24 && info->BottomUp());
  if (info) c.Info = *info;
  EXPECT_EQ(c.Info.Width, c.Screen.Width);
  EXPECT_EQ(c.Info.Height, c.Screen.Height);
  return c;
}

// An area that must be one colour, at least `margin` pixels inside its edges (where a
// resampling filter blends two colours of a picture).
struct TArea {
  TScreenRect Rect;
  TRgb Colour;
  int Margin = 0;
};

void ExpectAreas(const TComposed& c, const std::vector<TArea>& areas, const char* what) {
  for (const auto& a : areas) {
    int wrong = 0;
    for (int y = a.Rect.Top + a.Margin; y < a.Rect.Top + a.Rect.Height - a.Margin; ++y)
      for (int x = a.Rect.Left + a.Margin; x < a.Rect.Left + a.Rect.Width - a.Margin; ++x)
        if (c.At(x, y) != a.Colour && wrong++ == 0)
          ADD_FAILURE() << what << ": at " << x << ',' << y << " " << c.At(x, y) << " instead of " << a.Colour;
  }
}

// The primary 64 x 48 wide monitor at 0, 0 with a wide picture (red over green, 32 x 16); a
// 30 x 40 portrait monitor left of it (negative origin) with a tall one (blue over white, 20 x 40).
TEST(MonitorComposer, EachStyleFitsEachMonitorsOwnPicture) {
  const TByteBuffer wide = TwoTone(32, 16, Red, Green), tall = TwoTone(20, 40, Blue, White);
  const std::vector<TMonitorPicture> parts = {{{0, 0, 64, 48}, &wide}, {{-30, 8, 30, 40}, &tall}};
  struct Case {
    TWallpaperStyle Style;
    std::vector<TArea> Areas;
  };
  const std::vector<TArea> unscaled = {
      // 32 x 16 in the middle of 64 x 48, 20 x 40 in the middle of 30 x 40; the rest bare.
      {{16, 16, 32, 8}, Red}, {{16, 24, 32, 8}, Green}, {{0, 0, 64, 16}, Desk}, {{0, 32, 64, 16}, Desk},
      {{0, 16, 16, 16}, Desk}, {{48, 16, 16, 16}, Desk}, {{-25, 8, 20, 20}, Blue}, {{-25, 28, 20, 20}, White},
      {{-30, 8, 5, 40}, Desk}, {{-5, 8, 5, 40}, Desk}, {{-30, 0, 30, 8}, Desk}};
  const Case cases[] = {
      {TWallpaperStyle::Stretch,
       {{{0, 0, 64, 24}, Red, 4}, {{0, 24, 64, 24}, Green, 4}, {{-30, 8, 30, 20}, Blue, 3},
        {{-30, 28, 30, 20}, White, 3}, {{-30, 0, 30, 8}, Desk}}},
      // Doubled to 64 x 32 with bars above and below; the tall one fits at its own size.
      {TWallpaperStyle::Fit,
       {{{0, 8, 64, 16}, Red, 5}, {{0, 24, 64, 16}, Green, 5}, {{0, 0, 64, 8}, Desk}, {{0, 40, 64, 8}, Desk},
        {{-25, 8, 20, 20}, Blue, 1}, {{-25, 28, 20, 20}, White, 1}, {{-30, 8, 5, 40}, Desk}, {{-5, 8, 5, 40}, Desk}}},
      // Tripled and cropped at the sides; the tall one enlarged 1.5 times and cropped above and below.
      {TWallpaperStyle::Fill,
       {{{0, 0, 64, 24}, Red, 7}, {{0, 24, 64, 24}, Green, 7}, {{-30, 8, 30, 20}, Blue, 4},
        {{-30, 28, 30, 20}, White, 4}, {{-30, 0, 30, 8}, Desk}}},
      {TWallpaperStyle::Center, unscaled},
      // Tile is centred on each monitor, never repeated across the virtual screen.
      {TWallpaperStyle::Tile, unscaled},
  };
  for (const auto& c : cases) {
    const TComposed composed = Compose(parts, c.Style);
    EXPECT_EQ(composed.Screen, (TScreenRect{-30, 0, 94, 48}));
    ExpectAreas(composed, c.Areas, ("style " + std::to_string(int(c.Style))).c_str());
  }
}

TEST(MonitorComposer, LayoutsStackedSideBySideAndThreeMonitors) {
  const TByteBuffer a = TwoTone(40, 30, Red, Red), b = TwoTone(16, 12, Green, Green), c = TwoTone(50, 10, Blue, Blue);
  struct Case {
    const char* Name;
    std::vector<TMonitorPicture> Parts;
    std::vector<TArea> Areas;
  };
  const Case cases[] = {
      {"stacked, second above", {{{0, 0, 40, 30}, &a}, {{5, -20, 30, 20}, &b}},
       {{{0, 0, 40, 30}, Red}, {{5, -20, 30, 20}, Green}, {{0, -20, 5, 20}, Desk}, {{35, -20, 5, 20}, Desk}}},
      {"side by side, mixed sizes", {{{0, 0, 40, 30}, &a}, {{40, 0, 20, 40}, &c}},
       {{{0, 0, 40, 30}, Red}, {{40, 0, 20, 40}, Blue}, {{0, 30, 40, 10}, Desk}}},
      {"three, one above and left", {{{0, 0, 40, 30}, &a}, {{40, 10, 20, 20}, &b}, {{-20, -30, 20, 30}, &c}},
       {{{0, 0, 40, 30}, Red}, {{40, 10, 20, 20}, Green}, {{-20, -30, 20, 30}, Blue}, {{-20, 0, 20, 30}, Desk},
        {{0, -30, 60, 30}, Desk}, {{40, 0, 20, 10}, Desk}}},
      // A monitor without a picture (its decode failed) shows the desktop colour.
      {"a monitor without picture", {{{0, 0, 40, 30}, &a}, {{40, 0, 20, 30}, nullptr}},
       {{{0, 0, 40, 30}, Red}, {{40, 0, 20, 30}, Desk}}},
  };
  for (const auto& k : cases) ExpectAreas(Compose(k.Parts, TWallpaperStyle::Stretch), k.Areas, k.Name);
}

TEST(MonitorComposer, EachMonitorDecodesForItsOwnSize) {
  const TScreenRect m{-1920, 0, 1920, 1080};
  const auto fit = MonitorDecodeFit(TWallpaperStyle::Fill, m, DeskColour);
  EXPECT_EQ(fit.Style, TWallpaperStyle::Fill);
  EXPECT_EQ(fit.ScreenWidth, 1920);
  EXPECT_EQ(fit.ScreenHeight, 1080);
  // Tile is centred per monitor: never scaled, so decoded at full size like Center.
  EXPECT_EQ(MonitorDecodeFit(TWallpaperStyle::Tile, m, DeskColour).Style, TWallpaperStyle::Center);
  // No monitor: nothing to compose, said so instead of an empty bitmap.
  EXPECT_THROW(ComposeMonitorPictures({}, TWallpaperStyle::Fill, DeskColour), EJPEGException);
}

}  // namespace
}  // namespace tarvell
