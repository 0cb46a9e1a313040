// Rows of decoded pixels turned into the BMP's blue, green, red, transparent parts composed
// over the background colour. The rounding is that of a composition in exact arithmetic,
// rounded once to the nearest 8-bit value, so that every decoder gives the same bytes.
#pragma once

#include "picture/ScaleChoice.h"

#include <cstdint>

namespace tarvell {

// count pixels of red, green, blue.
void RgbToBgr(const std::uint8_t* rgb, std::uint32_t count, std::uint8_t* bgr) noexcept;
// count pixels of red, green, blue, alpha (8 bits each).
void Rgba8OverBackground(const std::uint8_t* rgba, std::uint32_t count, TRgbColour background,
                         std::uint8_t* bgr) noexcept;
// count pixels of red, green, blue, alpha (16 bits each, in the machine's byte order), composed
// at 16 bits and then rounded to 8.
void Rgba16OverBackground(const std::uint16_t* rgba, std::uint32_t count, TRgbColour background,
                          std::uint8_t* bgr) noexcept;
// count pixels of blue, green, red, alpha (8 bits each); bgr may be rgba itself (it writes behind
// where it reads).
void Bgra8OverBackground(const std::uint8_t* bgra, std::uint32_t count, TRgbColour background,
                         std::uint8_t* bgr) noexcept;

}  // namespace tarvell
