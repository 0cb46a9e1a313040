// One decode of an in-memory JPEG file into a complete BMP file image, through the bridge.
#pragma once

#include "picture/DecodeOptions.h"
#include "picture/RowProgress.h"
#include "base/DefaultInitAllocator.h"
#include "jpeg/JpegLib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvell {

// Sets the decompression parameters from the options, in an order where a later line
// overrides an earlier one (FastProcessing overrides DCTMethod and Dither).
void ApplyOptions(j_decompress_ptr cinfo, const TDecodeOptions& options) noexcept;

// The refusal of a file that does not start like a JPEG file, quoting its first three bytes
// (or as many as it has): enough to tell the common kinds of picture file apart.
std::string NotAJpegFileMessage(const std::uint8_t* bytes, std::size_t size);

// Decodes source (the bytes of a JPEG file, not empty) into a BMP file image, turned as its
// EXIF orientation says and scaled down for options.Fit.
// Every libjpeg error, every warning that costs picture data (see RaisingErrorManager.h) and
// every bridge error throws EJPEGException with the library's formatted text and the
// failure's kind, except that the library running out of memory throws std::bad_alloc, as
// our own allocations do. Exceptions thrown by onStep pass through unchanged. The
// decompression object is released on every way out.
TByteBuffer DecodeJpegToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                            const TProgressRule& progress = {});

}  // namespace tarvell
