#include "picture/BmpCanvas.h"

#include "picture/DecodeError.h"
#include "picture/ExifOrientation.h"
#include "picture/RowPlacement.h"

#include <cstring>
#include <string>

namespace tarvell {

namespace {

std::string SizeText(std::uint64_t width, std::uint64_t height) {
  return "Picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::uint32_t maxMegapixels) {
  // Both factors are below 2^32, so the product cannot wrap.
  if (width * height > std::uint64_t{maxMegapixels} * 1'000'000u) {
    throw EJPEGException(
        SizeText(width, height) + " exceeds the limit of " + std::to_string(maxMegapixels) + " megapixels",
        TDecodeFailure::Unsupported);
  }
}

TBmpCanvas::TBmpCanvas(TByteBuffer& output, std::uint32_t width, std::uint32_t height, int orientation,
                       std::uint32_t maxMegapixels)
    : FOutput(output),
      FWidth(width),
      FHeight(height),
      FOrientation(orientation >= 1 && orientation <= 8 ? orientation : UprightOrientation) {
  const bool swap = OrientationSwapsAxes(FOrientation);
  FLayout = ComputeBmpLayout(swap ? height : width, swap ? width : height, 3, maxMegapixels);
  if (FLayout.Fit == TBmpFit::TooManyPixels) {
    CheckPictureSize(width, height, maxMegapixels);
  }
  if (FLayout.Fit != TBmpFit::Fits) {
    throw EJPEGException(SizeText(FLayout.Width, FLayout.Height) + " is too large for a BMP file",
                         TDecodeFailure::Unsupported);
  }
}

void TBmpCanvas::Start() {
  FOutput.resize(static_cast<std::size_t>(FLayout.FileSize));
  const auto pad = static_cast<std::size_t>(FLayout.RowWidth - FLayout.DataWidth);
  for (std::uint64_t row = 0; pad != 0 && row < FLayout.Height; ++row) {
    std::memset(FOutput.data() + FLayout.HeaderSize + FLayout.RowWidth * row + FLayout.DataWidth, 0, pad);
  }
}

std::uint8_t* TBmpCanvas::RowInPlace(std::uint32_t y) noexcept {
  if (FOrientation != UprightOrientation || y >= FHeight) {
    return nullptr;
  }
  return FOutput.data() + FLayout.HeaderSize + FLayout.RowWidth * (FLayout.Height - 1 - y);
}

void TBmpCanvas::PutRow(std::uint32_t y, const std::uint8_t* bgr) noexcept {
  if (y >= FHeight) {
    return;
  }
  const TRowPlacement place = PlaceRow(FLayout, FOrientation, FOutput.data(), y, FWidth, FHeight);
  std::uint8_t* out = place.First;
  if (place.Step == 3) {
    std::memcpy(out, bgr, std::size_t{FWidth} * 3);
    return;
  }
  for (std::uint32_t x = 0; x < FWidth; ++x, bgr += 3, out += place.Step) {
    out[0] = bgr[0];
    out[1] = bgr[1];
    out[2] = bgr[2];
  }
}

void TBmpCanvas::PutPixel(std::uint32_t x, std::uint32_t y, const std::uint8_t* bgr) noexcept {
  if (x >= FWidth || y >= FHeight) {
    return;
  }
  const TRowPlacement place = PlaceRow(FLayout, FOrientation, FOutput.data(), y, FWidth, FHeight);
  std::uint8_t* out = place.First + static_cast<std::ptrdiff_t>(x) * place.Step;
  out[0] = bgr[0];
  out[1] = bgr[1];
  out[2] = bgr[2];
}

void TBmpCanvas::Finish() {
  if (FOutput.size() < FLayout.FileSize || !WriteBmpHeaders(FLayout, {}, FOutput.data(), FOutput.size())) {
    throw EJPEGException("Output file write error --- out of disk space?");
  }
}

}  // namespace tarvell
