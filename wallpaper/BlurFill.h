// "Blurred edges": a picture whose shape is far from its monitor's is fitted whole, and the
// rest of the monitor shows an enlarged, blurred and darkened copy of the same picture in
// place of the desktop colour's bars. The copy is made small first (about a hundred pixels on
// its shorter side), blurred there and enlarged smoothly, so it costs little beside the fitted
// picture itself; a picture decoded for Fit (MonitorDecodeFit) is all it needs.
// Platform-free; all sizes are physical pixels.
#pragma once

#include "base/DefaultInitAllocator.h"
#include "picture/PictureResize.h"
#include "wallpaper/MonitorComposer.h"

namespace tarvell {

// Whether a picture of pictureW x pictureH fitted on a monitor of monitorW x monitorH leaves
// bars worth filling: its shape differs from the monitor's by more than a tenth (one aspect
// ratio over the other above 1.1, either way). False for sizes that are not positive.
bool NeedsBlurFill(int pictureW, int pictureH, int monitorW, int monitorH) noexcept;

// Draws picture into the whole of region (24-bit blocks stored bottom-up as in a BMP, not
// overlapping): the picture fitted whole and centred where the Fit style puts it, the rest the
// blurred cover. Throws std::bad_alloc when memory runs out.
void DrawBlurFill(const TPixelBlock& picture, const TPixelBlock& region);

// The monitor-sized 24-bit bottom-up BMP file image of a picture (as DecodePictureToBmp gives
// with 24-bit rows) with blurred edges. Throws EJPEGException (Unsupported) for a size that
// is not positive or too large for a bitmap, or a picture of other rows, before allocating.
TByteBuffer ComposeBlurFill(const TByteBuffer& picture, int monitorW, int monitorH);

// The same on one monitor's part of a canvas from StartMonitorCanvas, as DrawMonitorPicture
// draws it; a part without a picture, or outside screen, is left as it is.
void DrawBlurFillPart(TByteBuffer& canvas, const TScreenRect& screen, const TMonitorPicture& part);

}  // namespace tarvell
