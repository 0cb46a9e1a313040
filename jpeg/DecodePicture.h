// The one way in for every picture: the file's bytes, whatever their kind, decoded into the
// same bottom-up BMP file image with the same failures (EJPEGException, Damaged or
// Unsupported) and the same size cap, checked before anything large is allocated.
#pragma once

#include "jpeg/DecodeJpeg.h"
#include "picture/DecodeOptions.h"
#include "base/DefaultInitAllocator.h"

#include <cstdint>
#include <vector>

namespace tarvell {

// Decodes a JPEG, PNG or WebP file, told apart by its first bytes, turned as its EXIF
// orientation says and scaled down for options.Fit; transparent parts are composed over
// options.Fit.Background. The JPEG-only options (colours, DCT, dithering, smoothing) do not
// apply to the others, which always give 24-bit rows. Anything else is refused as
// Unsupported. Throws like DecodeJpegToBmp.
TByteBuffer DecodePictureToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                               const TProgressRule& progress = {});

}  // namespace tarvell
