// A picture for each monitor on the desktop: the monitors read, the parts composed and fitted
// by the user's style, the bitmap written and set with Span (or Tile before Windows 8).
#pragma once

#include <windows.h>

#include "desktop/MonitorLayout.h"
#include "desktop/WallpaperStyle.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

// Where the wallpaper goes and what the system tells about it; the program passes the
// system's own, a test its own.
struct TMonitorDesktop {
  TMonitorLayout Layout;
  TVirtualScreenMode Mode = TVirtualScreenMode::Span;
  // The key that holds WallpaperStyle and TileWallpaper.
  HKEY Root = HKEY_CURRENT_USER;
  std::string KeyPath = DesktopSettingsKey;
  std::string WallpaperPath;
  std::function<void(const std::string& path)> SetWallpaper;
};

// The monitors as they are now, the running system's mode, its desktop key and wallpaper setter.
TMonitorDesktop SystemMonitorDesktop(const std::string& wallpaperPath);

// Composes paths onto the monitors (the primary takes the first), writes the bitmap to the
// wallpaper path, sets Span or Tile in the key and then the wallpaper. replacedStyle is the
// user's values that Span or Tile stands in for (a missing one as nothing): read from the key
// the first time, kept while the key still holds ours, so that a single picture can put them back. Throws as
// ComposeMonitorWallpaper and WriteWallpaperBytes do; nothing is set then.
void SetMonitorPictures(const std::vector<std::string>& paths, const TMonitorDesktop& desktop,
                        std::optional<TStyleValues>& replacedStyle);

}  // namespace tarvell
