#include "jpeg/PictureResize.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>

namespace tarvell {

namespace {

stbir_filter FilterFor(double from, int to) noexcept { return to < from ? STBIR_FILTER_BOX : STBIR_FILTER_CATMULLROM; }

}  // namespace

bool ResamplePixels(const TPixelBlock& from, const TPixelRegion& region, const TPixelBlock& to) noexcept {
  if (from.Width <= 0 || from.Height <= 0 || to.Width <= 0 || to.Height <= 0 || region.Width <= 0 ||
      region.Height <= 0)
    return false;
  // Plain averages of the stored values: a picture's flat areas keep their exact colour.
  return stbir_resize_region(from.Pixels, from.Width, from.Height, static_cast<int>(from.Stride), to.Pixels, to.Width,
                             to.Height, static_cast<int>(to.Stride), STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE, 0,
                             STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, FilterFor(region.Width, to.Width),
                             FilterFor(region.Height, to.Height), STBIR_COLORSPACE_LINEAR, nullptr,
                             static_cast<float>(region.Left / from.Width), static_cast<float>(region.Top / from.Height),
                             static_cast<float>((region.Left + region.Width) / from.Width),
                             static_cast<float>((region.Top + region.Height) / from.Height)) != 0;
}

}  // namespace tarvell
