#include "desktop/MonitorPictures.h"

#include "desktop/Wallpaper.h"
#include "wallpaper/MonitorWallpaper.h"
#include "wallpaper/TileWrap.h"

#include <algorithm>

namespace tarvell {

TMonitorDesktop SystemMonitorDesktop(const std::string& wallpaperPath) {
  TMonitorDesktop desktop;
  desktop.Layout = ReadMonitorLayout();
  desktop.Mode = SystemVirtualScreenMode();
  desktop.WallpaperPath = wallpaperPath;
  desktop.SetWallpaper = SetDesktopWallpaper;
  return desktop;
}

std::exception_ptr SetMonitorPictures(const std::vector<std::string>& paths, const TMonitorDesktop& desktop,
                                      TStyleKeeper& styles) {
  std::vector<TScreenRect> monitors;
  std::vector<TMonitorPicture> parts;
  // A moment with no monitor listed (one being switched) still has the virtual screen: it is
  // the one monitor then.
  const std::vector<RECT> listed =
      desktop.Layout.Monitors.empty() ? std::vector<RECT>{desktop.Layout.VirtualScreen} : desktop.Layout.Monitors;
  for (const RECT& r : listed) {
    monitors.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    parts.push_back({monitors.back(), nullptr});
  }
  // The primary monitor (whose corner is 0, 0) takes the first picture, the current one.
  std::stable_partition(monitors.begin(), monitors.end(),
                        [](const TScreenRect& m) { return m.Left == 0 && m.Top == 0; });
  // Span (or Tile) is ours once set; the parts keep the style the user had chosen before.
  const TWallpaperFit fit = styles.FitInForce();
  TMonitorWallpaper composed = ComposeMonitorWallpaper(paths, monitors, fit.Style, fit.Background);
  if (composed.PrimaryFailure) return composed.PrimaryFailure;
  TByteBuffer& bmp = composed.Bmp;
  if (desktop.Mode == TVirtualScreenMode::Tile) WrapForTiling(bmp, VirtualScreenOf(parts));
  WriteWallpaperBytes(bmp, desktop.WallpaperPath);
  styles.Replace(desktop.Mode);
  desktop.SetWallpaper(desktop.WallpaperPath);
  return nullptr;
}

}  // namespace tarvell
