// The body shared by the PNG and WebP fuzz targets: the input is taken as the file's bytes and
// decoded for a wallpaper fit and background chosen by its last two bytes. Every input must end
// in a picture or in EJPEGException; anything else (out of memory included, for the cap keeps
// every allocation small) (a crash, a sanitizer report, another exception, a leak) is a finding.
#pragma once

#include "picture/DecodeOptions.h"
#include "base/DefaultInitAllocator.h"
#include "picture/DecodeError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

template <class Decode>
int FuzzOneDecode(const std::uint8_t* data, std::size_t size, Decode decode) {
  using namespace tarvell;
  TDecodeOptions options;
  // Keeps each run small: a header may claim up to the cap, and the bitmap is sized from it.
  options.MaxMegapixels = 4;
  const std::uint8_t fit = size > 1 ? data[size - 2] : 0;
  const std::uint8_t colour = size > 0 ? data[size - 1] : 0;
  options.Fit =
      TWallpaperFit(static_cast<TWallpaperStyle>(fit % 7), 1 + (fit >> 3), 1 + (fit >> 4),
                    TRgbColour{colour, static_cast<std::uint8_t>(colour * 3), static_cast<std::uint8_t>(~colour)});
  const std::vector<std::uint8_t> source(data, data + size);
  try {
    const TByteBuffer bmp = decode(source, options);
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') std::abort();
  } catch (const EJPEGException&) {}
  return 0;
}
