// The decoding options of the picture control: the colour, DCT and dithering choices apply to
// JPEG only; the fit and the size cap to every kind.
#pragma once

#include "picture/BMPLayout.h"
#include "picture/ScaleChoice.h"

#include <cstdint>

namespace tarvell {

enum class TNumOfColors : std::uint8_t { _16, _256, TrueColor };
enum class TDCTMethod : std::uint8_t { Integ, FastInteg, FloatingPoint };
enum class TDither : std::uint8_t { None, FS, Ordered };

struct TDecodeOptions {
  TNumOfColors NumOfColors = TNumOfColors::_256;
  TDCTMethod DCTMethod = TDCTMethod::Integ;
  TDither Dither = TDither::FS;
  bool FastProcessing = false;
  bool GrayScale = false;
  bool NoSmooth = false;
  bool OnePass = false;
  // 24-bit rows from a greyscale JPEG too, for callers that take no other (the composition of
  // several monitors); otherwise it decodes to 8-bit grey levels.
  bool ColourRows = false;
  std::uint32_t MaxMegapixels = DefaultMaxMegapixels;
  // The wallpaper style and screen the picture is decoded for; by default none, full size.
  TWallpaperFit Fit;
};

}  // namespace tarvell
