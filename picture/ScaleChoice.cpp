#include "picture/ScaleChoice.h"

#include <cstdint>

namespace tarvell {

TWallpaperStyle WallpaperStyleFromSettings(std::optional<std::string_view> wallpaperStyle,
                                           std::optional<std::string_view> tileWallpaper) noexcept {
  if (!wallpaperStyle) {
    return TWallpaperStyle::None;
  }
  TWallpaperStyle style = TWallpaperStyle::None;
  if (*wallpaperStyle == "0")
    style = TWallpaperStyle::Center;
  else if (*wallpaperStyle == "2")
    style = TWallpaperStyle::Stretch;
  else if (*wallpaperStyle == "6")
    style = TWallpaperStyle::Fit;
  else if (*wallpaperStyle == "10")
    style = TWallpaperStyle::Fill;
  else if (*wallpaperStyle == "22")
    style = TWallpaperStyle::Span;
  if (style != TWallpaperStyle::None && tileWallpaper && *tileWallpaper == "1") {
    return TWallpaperStyle::Tile;
  }
  return style;
}

int ChooseScaleNum(TWallpaperStyle style, int screenW, int screenH, int pictureW, int pictureH) noexcept {
  constexpr int FullScale = 8;
  if (screenW <= 0 || screenH <= 0 || pictureW <= 0 || pictureH <= 0) {
    return FullScale;
  }
  const std::int64_t sw = screenW;
  const std::int64_t sh = screenH;
  const std::int64_t pw = pictureW;
  const std::int64_t ph = pictureH;
  // The factor by which the style scales the picture on the screen, as the fraction
  // need = num / den; the decoded size N/8 must be at least that.
  std::int64_t num = 0;
  std::int64_t den = 1;
  // sw / pw compared with sh / ph without division: sw * ph against sh * pw.
  const bool widthBinds = sw * ph >= sh * pw;  // the screen is relatively wider than the picture
  switch (style) {
    case TWallpaperStyle::Fit:
      // The whole picture inside the screen: the smaller of the two factors.
      if (widthBinds) {
        num = sh;
        den = ph;
      } else {
        num = sw;
        den = pw;
      }
      break;
    case TWallpaperStyle::Fill:
    case TWallpaperStyle::Span:
      // The screen covered, the overhang cropped: the larger factor.
    case TWallpaperStyle::Stretch:
      // Each axis to the screen's: the larger factor keeps both axes at least as fine.
      if (widthBinds) {
        num = sw;
        den = pw;
      } else {
        num = sh;
        den = ph;
      }
      break;
    case TWallpaperStyle::None:
    case TWallpaperStyle::Center:
    case TWallpaperStyle::Tile:
      return FullScale;
  }
  // Smallest N with N / 8 >= num / den, that is N * den >= 8 * num.
  for (int n = 1; n < FullScale; ++n) {
    if (n * den >= FullScale * num) {
      return n;
    }
  }
  return FullScale;
}

}  // namespace tarvell
