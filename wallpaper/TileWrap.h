// A virtual-screen bitmap shown by tiling instead of spanning (systems without Span): tiles
// start at the primary monitor's top-left corner, so screen point x, y shows the bitmap's
// pixel x mod width, y mod height. A monitor left of or above the primary has negative
// coordinates, which wrap to the bitmap's far side.
#pragma once

#include "base/DefaultInitAllocator.h"
#include "wallpaper/MonitorComposer.h"

namespace tarvell {

struct TBitmapPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TBitmapPoint&, const TBitmapPoint&) = default;
};

// The bitmap pixel that tiling shows at screen point x, y of screen (the virtual screen,
// which is also the bitmap's size).
TBitmapPoint TiledBitmapPoint(int x, int y, const TScreenRect& screen) noexcept;

// Moves every pixel of a composed bitmap (24-bit, bottom-up, as ComposeMonitorPictures gives
// for screen) to where tiling from the primary's corner shows it at its own screen point.
void WrapForTiling(TByteBuffer& bmp, const TScreenRect& screen);

}  // namespace tarvell
