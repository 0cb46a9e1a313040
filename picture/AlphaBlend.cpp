#include "picture/AlphaBlend.h"

namespace tarvell {

namespace {

inline std::uint8_t Over8(unsigned colour, unsigned alpha, unsigned background) noexcept {
  return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

inline std::uint8_t Over16(std::uint32_t colour, std::uint32_t alpha, std::uint32_t background) noexcept {
  const std::uint64_t sum = std::uint64_t{colour} * alpha + std::uint64_t{background} * (65535 - alpha);
  const auto value = static_cast<std::uint32_t>((sum + 32767) / 65535);
  return static_cast<std::uint8_t>((value + 128) / 257);
}

}  // namespace

void RgbToBgr(const std::uint8_t* rgb, std::uint32_t count, std::uint8_t* bgr) noexcept {
  for (std::uint32_t i = 0; i < count; ++i, rgb += 3, bgr += 3) {
    const std::uint8_t red = rgb[0];
    bgr[1] = rgb[1];
    bgr[0] = rgb[2];
    bgr[2] = red;
  }
}

void Rgba8OverBackground(const std::uint8_t* rgba, std::uint32_t count, TRgbColour background,
                         std::uint8_t* bgr) noexcept {
  for (std::uint32_t i = 0; i < count; ++i, rgba += 4, bgr += 3) {
    const unsigned alpha = rgba[3];
    bgr[0] = Over8(rgba[2], alpha, background.Blue);
    bgr[1] = Over8(rgba[1], alpha, background.Green);
    bgr[2] = Over8(rgba[0], alpha, background.Red);
  }
}

void Rgba16OverBackground(const std::uint16_t* rgba, std::uint32_t count, TRgbColour background,
                          std::uint8_t* bgr) noexcept {
  for (std::uint32_t i = 0; i < count; ++i, rgba += 4, bgr += 3) {
    const std::uint32_t alpha = rgba[3];
    bgr[0] = Over16(rgba[2], alpha, background.Blue * 257u);
    bgr[1] = Over16(rgba[1], alpha, background.Green * 257u);
    bgr[2] = Over16(rgba[0], alpha, background.Red * 257u);
  }
}

void Bgra8OverBackground(const std::uint8_t* bgra, std::uint32_t count, TRgbColour background,
                         std::uint8_t* bgr) noexcept {
  for (std::uint32_t i = 0; i < count; ++i, bgra += 4, bgr += 3) {
    const unsigned alpha = bgra[3];
    const std::uint8_t blue = Over8(bgra[0], alpha, background.Blue);
    const std::uint8_t green = Over8(bgra[1], alpha, background.Green);
    const std::uint8_t red = Over8(bgra[2], alpha, background.Red);
    bgr[0] = blue;
    bgr[1] = green;
    bgr[2] = red;
  }
}

}  // namespace tarvell
