// The wallpaper bitmap for a picture on each monitor, from the picture files: each decoded at
// the scale its own monitor needs, then composed over the virtual screen (MonitorComposer.h).
#pragma once

#include "base/DefaultInitAllocator.h"
#include "wallpaper/MonitorComposer.h"

#include <string>
#include <vector>

namespace tarvell {

// monitors[i] shows paths[i % paths.size()]. A picture that cannot be read or decoded leaves
// its monitor in the desktop colour; the others still show. Throws like
// ComposeMonitorPictures, and EJPEGException (Unsupported) when there is no path at all.
TByteBuffer ComposeMonitorWallpaper(const std::vector<std::string>& paths, const std::vector<TScreenRect>& monitors,
                                    TWallpaperStyle style, TRgbColour desktop);

}  // namespace tarvell
