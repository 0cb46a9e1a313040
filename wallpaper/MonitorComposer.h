// One wallpaper bitmap for several monitors, each with its own picture: a 24-bit bottom-up
// BMP file image that covers the virtual screen, every monitor's part fitted by the desktop's
// wallpaper style on that monitor alone. All sizes are physical pixels.
#pragma once

#include "base/DefaultInitAllocator.h"
#include "picture/ScaleChoice.h"

#include <span>

namespace tarvell {

// A rectangle of the virtual screen; Left and Top may be negative (left of or above the
// primary monitor, whose top-left corner is 0, 0).
struct TScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

// A monitor and the picture decoded for it: a 24-bit BMP file image as DecodePictureToBmp
// gives, or null when it has none (its part shows the desktop colour).
struct TMonitorPicture {
  TScreenRect Monitor;
  const TByteBuffer* Bmp = nullptr;
};

// What a monitor's picture is decoded for: the style on that monitor's size, so the decode
// scales down no further than its part needs. Tile is centred per monitor, so it decodes
// like Center.
TWallpaperFit MonitorDecodeFit(TWallpaperStyle style, const TScreenRect& monitor, TRgbColour desktop) noexcept;

// The smallest rectangle holding every monitor; empty for none.
TScreenRect VirtualScreenOf(std::span<const TMonitorPicture> parts) noexcept;

// Composes the parts onto the virtual screen in the desktop colour: Fill crops the picture
// to cover its monitor, Fit shows all of it with bars, Stretch ignores its proportions,
// Center, Tile and None place it unscaled in the monitor's middle (cropped when larger), and
// Span fills each monitor as Fill does. Throws EJPEGException (Unsupported) when the virtual
// screen is too large for a bitmap, std::bad_alloc when memory runs out.
TByteBuffer ComposeMonitorPictures(std::span<const TMonitorPicture> parts, TWallpaperStyle style, TRgbColour desktop);

// The same one part at a time, so that only one decoded picture need be held: the bitmap of
// screen in the desktop colour, then each part drawn onto it (a part outside screen is left out).
TByteBuffer StartMonitorCanvas(const TScreenRect& screen, TRgbColour desktop);
void DrawMonitorPicture(TByteBuffer& canvas, const TScreenRect& screen, const TMonitorPicture& part,
                        TWallpaperStyle style);

}  // namespace tarvell
