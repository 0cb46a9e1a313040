// Which of the system's notices may mean a larger screen than the wallpaper was decoded for.
#pragma once

#include <windows.h>

namespace tarvell {

// WM_DISPLAYCHANGE (a monitor added, removed or resized), and WM_SETTINGCHANGE for the
// desktop's wallpaper: another program's SPI_SETDESKWALLPAPER, or the desktop's settings key
// (the wallpaper style), named in the notice's text. Other setting changes are not.
bool MayChangeWallpaperSize(UINT msg, WPARAM wp, LPARAM lp) noexcept;

}  // namespace tarvell
