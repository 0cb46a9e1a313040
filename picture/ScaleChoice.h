// How large a picture must be decoded for the desktop's wallpaper style: libjpeg can decode at
// N/8 of the full size for far less time and memory, and Windows scales the bitmap anyway.
// Platform-free; desktop/WallpaperStyle reads the style and the screen size on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvell {

// The desktop's wallpaper styles. None stands for a missing or unknown setting.
enum class TWallpaperStyle : unsigned char { None, Center, Tile, Stretch, Fit, Fill, Span };

// A colour as red, green and blue.
struct TRgbColour {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// What the wallpaper bitmap will be shown on: the style, the (virtual) screen in pixels and
// the desktop's background colour, which shows through a picture's transparent parts.
// The default, no style, decodes at full size over black.
struct TWallpaperFit {
  TWallpaperFit() = default;
  TWallpaperFit(TWallpaperStyle style, int screenWidth, int screenHeight, TRgbColour background = {}) noexcept
      : Style(style), ScreenWidth(screenWidth), ScreenHeight(screenHeight), Background(background) {}

  TWallpaperStyle Style = TWallpaperStyle::None;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  TRgbColour Background;
};

// The style from the two string values of HKCU\Control Panel\Desktop, either of which may be
// missing: WallpaperStyle "0" Center, "2" Stretch, "6" Fit, "10" Fill, "22" Span; any of them
// with TileWallpaper "1" tiles. Anything else is None.
TWallpaperStyle WallpaperStyleFromSettings(std::optional<std::string_view> wallpaperStyle,
                                           std::optional<std::string_view> tileWallpaper) noexcept;

// N of the scale N/8 (1..8) to decode a picture of pictureW x pictureH (as shown, after any
// EXIF turn) for the style on a screen of screenW x screenH: the smallest N whose result is
// still at least as large as the part of the picture that the style shows, so that nothing on
// the screen is enlarged from fewer pixels than a full-size decode gives. 8 (full size) for
// Center, Tile and None, for sizes that are not positive, and for pictures not larger than needed.
int ChooseScaleNum(TWallpaperStyle style, int screenW, int screenH, int pictureW, int pictureH) noexcept;

}  // namespace tarvell
