// The wallpaper bitmap for a picture on each monitor, from the picture files: each decoded at
// the scale its own monitor needs, then composed over the virtual screen (MonitorComposer.h).
#pragma once

#include "base/DefaultInitAllocator.h"
#include "wallpaper/MonitorComposer.h"

#include <exception>
#include <string>
#include <vector>

namespace tarvell {

struct TMonitorWallpaper {
  TByteBuffer Bmp;
  std::exception_ptr PrimaryFailure;  // what the first monitor's decode threw; no bitmap then
};

// monitors[i] shows paths[i % paths.size()]. The first monitor's picture is the current one:
// when it cannot be read or decoded there is no wallpaper, and the caller learns why. Another
// picture that fails leaves its monitor in the desktop colour; the others still show. Throws
// like ComposeMonitorPictures, and EJPEGException (Unsupported) when there is no path at all.
TMonitorWallpaper ComposeMonitorWallpaper(const std::vector<std::string>& paths,
                                          const std::vector<TScreenRect>& monitors, TWallpaperStyle style,
                                          TRgbColour desktop);

}  // namespace tarvell
