// One decode of an in-memory WebP file into a BMP file image, through libwebp.
#pragma once

#include "picture/RowProgress.h"
#include "picture/DecodeOptions.h"
#include "base/DefaultInitAllocator.h"

#include <cstdint>
#include <vector>

namespace tarvell {

// Decodes source (a WebP file, lossy or lossless, still or animated) into 24-bit rows:
// an animation shows its first frame, transparency is composed over options.Fit.Background,
// the EXIF chunk's orientation turns it. When options.Fit shows the picture smaller the
// library decodes it at that size. A still, upright picture is decoded straight into the
// bitmap (one with transparency into a bitmap a third larger, composed in place).
// A file cut short or corrupt is Damaged; a feature the library refuses or a picture over
// the size cap is Unsupported; the library running out of memory throws std::bad_alloc.
TByteBuffer DecodeWebpToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                            const TProgressRule& progress = {});

}  // namespace tarvell
