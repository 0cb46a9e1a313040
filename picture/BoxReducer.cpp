#include "picture/BoxReducer.h"

#include <algorithm>

namespace tarvell {

std::uint32_t ScaledSize(std::uint32_t size, int num) noexcept {
  const int n = std::clamp(num, 1, 8);
  return static_cast<std::uint32_t>((std::uint64_t{size} * static_cast<unsigned>(n) + 7) / 8);
}

TBoxReducer::TBoxReducer(std::uint32_t width, std::uint32_t height, std::uint32_t outWidth, std::uint32_t outHeight,
                         bool wholePicture)
    : FWidth(width),
      FHeight(height),
      // Never below 1/8: the counts and sums below are sized for at most 8 x 8 pixels.
      FOutWidth(std::clamp(outWidth, ScaledSize(width, 1), width)),
      FOutHeight(std::clamp(outHeight, ScaledSize(height, 1), height)),
      FColumnOf(width),
      FColumnCount(FOutWidth, 0),
      FOut(std::size_t{FOutWidth} * 3) {
  for (std::uint32_t x = 0; x < width; ++x) {
    FColumnOf[x] = static_cast<std::uint32_t>(std::uint64_t{x} * FOutWidth / width);
    ++FColumnCount[FColumnOf[x]];
  }
  if (wholePicture) {
    // Scaled by at least 1/8, an output pixel takes at most 64 source pixels: 64 * 255 fits 16 bits.
    FPictureSums.assign(std::size_t{FOutWidth} * FOutHeight * 3, 0);
  } else {
    FRowSums.assign(std::size_t{FOutWidth} * 3, 0);
  }
}

std::uint32_t TBoxReducer::OutRowOf(std::uint32_t y) const noexcept {
  return static_cast<std::uint32_t>(std::uint64_t{y} * FOutHeight / FHeight);
}

// The source rows y with y * outHeight / height == oy: those from ceil(oy * height / outHeight) on.
std::uint32_t TBoxReducer::SourceRowsOf(std::uint32_t oy) const noexcept {
  const auto first = [this](std::uint64_t o) { return (o * FHeight + FOutHeight - 1) / FOutHeight; };
  return static_cast<std::uint32_t>(first(std::uint64_t{oy} + 1) - first(oy));
}

bool TBoxReducer::AddRow(std::uint32_t y, const std::uint8_t* bgr) noexcept {
  if (y >= FHeight || FRowSums.empty()) {
    return false;
  }
  for (std::uint32_t x = 0; x < FWidth; ++x, bgr += 3) {
    std::uint32_t* sum = &FRowSums[std::size_t{FColumnOf[x]} * 3];
    sum[0] += bgr[0];
    sum[1] += bgr[1];
    sum[2] += bgr[2];
  }
  const std::uint32_t oy = OutRowOf(y);
  if (y + 1 < FHeight && OutRowOf(y + 1) == oy) {
    return false;
  }
  const std::uint32_t rows = SourceRowsOf(oy);
  for (std::uint32_t ox = 0; ox < FOutWidth; ++ox) {
    const std::uint32_t count = FColumnCount[ox] * rows;
    for (int c = 0; c < 3; ++c) {
      std::uint32_t& sum = FRowSums[std::size_t{ox} * 3 + c];
      FOut[std::size_t{ox} * 3 + c] = static_cast<std::uint8_t>((sum + count / 2) / count);
      sum = 0;
    }
  }
  FOutRowIndex = oy;
  return true;
}

void TBoxReducer::AddPixel(std::uint32_t x, std::uint32_t y, const std::uint8_t* bgr) noexcept {
  if (x >= FWidth || y >= FHeight || FPictureSums.empty()) {
    return;
  }
  std::uint16_t* sum = &FPictureSums[(std::size_t{OutRowOf(y)} * FOutWidth + FColumnOf[x]) * 3];
  sum[0] = static_cast<std::uint16_t>(sum[0] + bgr[0]);
  sum[1] = static_cast<std::uint16_t>(sum[1] + bgr[1]);
  sum[2] = static_cast<std::uint16_t>(sum[2] + bgr[2]);
}

void TBoxReducer::FinishRow(std::uint32_t oy) noexcept {
  if (oy >= FOutHeight || FPictureSums.empty()) {
    return;
  }
  const std::uint32_t rows = SourceRowsOf(oy);
  const std::uint16_t* sums = &FPictureSums[std::size_t{oy} * FOutWidth * 3];
  for (std::uint32_t ox = 0; ox < FOutWidth; ++ox) {
    const std::uint32_t count = FColumnCount[ox] * rows;
    for (int c = 0; c < 3; ++c) {
      FOut[std::size_t{ox} * 3 + c] = static_cast<std::uint8_t>((sums[std::size_t{ox} * 3 + c] + count / 2) / count);
    }
  }
  FOutRowIndex = oy;
}

}  // namespace tarvell
