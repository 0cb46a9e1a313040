// The desktop's wallpaper style and the size of the virtual screen (all monitors), read afresh
// for each change, so that the picture is decoded only as large as the desktop shows it.
#pragma once

#include <windows.h>

#include "picture/ScaleChoice.h"
#include "wallpaper/StyleValues.h"

namespace tarvell {

// HKEY_CURRENT_USER "Control Panel\Desktop": WallpaperStyle and TileWallpaper, REG_SZ.
inline constexpr const char DesktopSettingsKey[] = "Control Panel\\Desktop";

// The style from HKEY_CURRENT_USER\Control Panel\Desktop, the virtual screen's size in
// physical pixels (ReadMonitorLayout) and the desktop's colour (COLOR_DESKTOP).
// Missing or unreadable values give the style None, which decodes at full size.
TWallpaperFit ReadWallpaperFit();

// The same, from another key (tests).
TWallpaperFit ReadWallpaperFit(HKEY root, const char* keyPath);

// How a bitmap that covers the whole virtual screen (a picture for each monitor) is set:
// Span where the system has it (Windows 8, version 6.2, and later); before that Tile, the
// parts placed where tiling from the primary monitor's corner shows them (wallpaper/TileWrap.h).
enum class TVirtualScreenMode : unsigned char { Span, Tile };
TVirtualScreenMode VirtualScreenModeFor(unsigned major, unsigned minor) noexcept;
// The mode for the running system.
TVirtualScreenMode SystemVirtualScreenMode();

// Writes WallpaperStyle "22" and TileWallpaper "0" for Span, "0" and "1" for Tile; false
// when a value could not be written.
bool WriteVirtualScreenStyle(TVirtualScreenMode mode, HKEY root, const char* keyPath);

// Writes the values that read back as style (None writes nothing); false when a value could
// not be written.
bool WriteWallpaperStyle(TWallpaperStyle style, HKEY root, const char* keyPath);

// WallpaperStyle and TileWallpaper as the key holds them; nothing for a missing value (or one
// that is not a short text).
TStyleValues ReadStyleValues(HKEY root, const char* keyPath);

// Puts back the user's values once the desktop shows a single picture again: each as it was,
// a missing one deleted. False when a value could not be written or deleted.
bool PutBackStyleValues(const TStyleValues& values, HKEY root, const char* keyPath);

}  // namespace tarvell
