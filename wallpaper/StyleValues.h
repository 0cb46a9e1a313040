// The desktop's WallpaperStyle and TileWallpaper values as the user had them, kept while Span or
// Tile stands in for them and put back with the next single picture. A value the key did not
// hold at all is nothing, and is put back by deleting it.
#pragma once

#include "picture/ScaleChoice.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvell {

struct TStyleValues {
  std::optional<std::string> WallpaperStyle;
  std::optional<std::string> TileWallpaper;

  TStyleValues() = default;
  TStyleValues(std::optional<std::string> style, std::optional<std::string> tile)
      : WallpaperStyle(std::move(style)), TileWallpaper(std::move(tile)) {}
  // The values the desktop writes for a style; None holds neither.
  TStyleValues(TWallpaperStyle style) {  // NOLINT(google-explicit-constructor): a style is its values
    switch (style) {
      case TWallpaperStyle::Center:
        *this = {"0", "0"};
        break;
      case TWallpaperStyle::Tile:
        *this = {"0", "1"};
        break;
      case TWallpaperStyle::Stretch:
        *this = {"2", "0"};
        break;
      case TWallpaperStyle::Fit:
        *this = {"6", "0"};
        break;
      case TWallpaperStyle::Fill:
        *this = {"10", "0"};
        break;
      case TWallpaperStyle::Span:
        *this = {"22", "0"};
        break;
      case TWallpaperStyle::None:
        break;
    }
  }

  // The style a picture is fitted by under these values.
  TWallpaperStyle Style() const noexcept {
    return WallpaperStyleFromSettings(WallpaperStyle ? std::optional<std::string_view>(*WallpaperStyle) : std::nullopt,
                                      TileWallpaper ? std::optional<std::string_view>(*TileWallpaper) : std::nullopt);
  }

  friend bool operator==(const TStyleValues&, const TStyleValues&) = default;
};

}  // namespace tarvell
