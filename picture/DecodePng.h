// One decode of an in-memory PNG file into a BMP file image, through libspng.
#pragma once

#include "picture/RowProgress.h"
#include "picture/DecodeOptions.h"
#include "base/DefaultInitAllocator.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvell {

// The orientation of the PNG file's eXIf chunk, wherever it lies before IEND; 1 without one.
int PngExifOrientation(const std::uint8_t* png, std::size_t size) noexcept;

// Decodes source (a PNG file: palette, grey or colour, 1 to 16 bits, interlaced or not) into
// 24-bit rows, transparency composed over options.Fit.Background, 16-bit samples rounded to 8,
// turned as its eXIf orientation says. An animated PNG shows its first frame: the still image,
// or, when that is no part of the animation, the first frame's own data if it covers the picture.
// When options.Fit shows the picture smaller, rows are reduced as they are decoded, so that
// only the reduced bitmap and a row or two are held (an interlaced picture keeps a 16-bit sum
// per colour of each reduced pixel as well).
// A file cut short or corrupt is Damaged; an unknown critical chunk or one over the size cap
// is Unsupported; the library running out of memory throws std::bad_alloc.
TByteBuffer DecodePngToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                           const TProgressRule& progress = {});

}  // namespace tarvell
