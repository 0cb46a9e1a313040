// A picture for each monitor on the desktop: the monitors read, the parts composed and fitted
// by the user's style, the bitmap written and set with Span (or Tile before Windows 8).
#pragma once

#include <windows.h>

#include "desktop/MonitorLayout.h"
#include "desktop/StyleKeeper.h"
#include "desktop/WallpaperStyle.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tarvell {

// Where the wallpaper goes and what the system tells about it; the program passes the
// system's own, a test its own.
struct TMonitorDesktop {
  TMonitorLayout Layout;
  TVirtualScreenMode Mode = TVirtualScreenMode::Span;
  std::string WallpaperPath;
  std::function<void(const std::string& path)> SetWallpaper;
};

// The monitors as they are now, the running system's mode and wallpaper setter.
TMonitorDesktop SystemMonitorDesktop(const std::string& wallpaperPath);

// Composes paths onto the monitors (the primary takes the first) fitted by the style in force
// (styles.FitInForce: the user's, not our Span or Tile), writes the bitmap to the wallpaper
// path, has styles keep the user's values and set Span or Tile, and then sets the wallpaper.
// Returns what the primary monitor's decode threw, and writes and sets nothing then; null once
// set. Throws as ComposeMonitorWallpaper and WriteWallpaperBytes do; nothing is set then.
std::exception_ptr SetMonitorPictures(const std::vector<std::string>& paths, const TMonitorDesktop& desktop,
                                      TStyleKeeper& styles);

}  // namespace tarvell
