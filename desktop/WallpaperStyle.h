// The desktop's wallpaper style and the size of the virtual screen (all monitors), read afresh
// for each change, so that the picture is decoded only as large as the desktop shows it.
#pragma once

#include <windows.h>

#include "jpeg/ScaleChoice.h"

namespace tarvell {

// HKEY_CURRENT_USER "Control Panel\Desktop": WallpaperStyle and TileWallpaper, REG_SZ.
inline constexpr const char DesktopSettingsKey[] = "Control Panel\\Desktop";

// The style from HKEY_CURRENT_USER\Control Panel\Desktop, the virtual screen's size in
// physical pixels (ReadMonitorLayout) and the desktop's colour (COLOR_DESKTOP).
// Missing or unreadable values give the style None, which decodes at full size.
TWallpaperFit ReadWallpaperFit();

// The same, from another key (tests).
TWallpaperFit ReadWallpaperFit(HKEY root, const char* keyPath);

}  // namespace tarvell
