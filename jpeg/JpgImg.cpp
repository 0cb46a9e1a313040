#include "jpeg/JpgImg.h"

#include "jpeg/DecodeJpeg.h"
#include "jpeg/ExclusiveFile.h"

#include <algorithm>

namespace tarvell {

void TCustomJPEGImage::SetNumOfColors(TNumOfColors value) {
  FOptions.NumOfColors = value;
  DecodePicture();
}

void TCustomJPEGImage::SetDCTMethod(TDCTMethod value) {
  FOptions.DCTMethod = value;
  DecodePicture();
}

void TCustomJPEGImage::SetDither(TDither value) {
  FOptions.Dither = value;
  DecodePicture();
}

void TCustomJPEGImage::SetOption(int index, bool value) {
  switch (index) {
    case 0: FOptions.FastProcessing = value; break;
    case 1: FOptions.GrayScale = value; break;
    case 2: FOptions.NoSmooth = value; break;
    case 3: FOptions.OnePass = value; break;
    default: return;
  }
  DecodePicture();
}

void TCustomJPEGImage::SetProgressStep(int value) noexcept {
  FProgressStep = static_cast<std::uint8_t>(std::clamp(value, 1, 100));
}

void TCustomJPEGImage::SetQuality(int value) noexcept {
  FQuality = static_cast<std::uint8_t>(std::clamp(value, 0, 100));
}

void TCustomJPEGImage::SetFileName(const std::string& name) {
  FFileName = name;
  if (name.empty()) {
    std::vector<std::uint8_t>().swap(FJPEGStream);
    DecodePicture();
    return;
  }
  // The file stays open, unshared, until the decode has finished.
  TExclusiveFile file(name);
  FJPEGStream = file.ReadAll();
  DecodePicture();
}

void TCustomJPEGImage::DecodePicture() {
  if (FLoading) {
    return;
  }
  const std::uint64_t decode = ++FDecodeCount;
  if (FJPEGStream.empty()) {
    FPicture.Clear();
    Invalidate();
    return;
  }
  const TProgressRule progress{FProgressStep, [this] { ReportProgress(); }};
  std::vector<std::uint8_t> bmp = DecodeJpegToBmp(FJPEGStream, FOptions, progress);
  if (decode != FDecodeCount) {
    return;  // a newer decode ran from inside our progress event; its picture stands
  }
  FPicture.Assign(std::move(bmp));
  Invalidate();
}

void TCustomJPEGImage::ReportProgress() {
  // A copy, so that a handler may replace itself while it runs.
  const TJPEGProgressEvent handler = FOnProgress;
  if (handler) {
    handler(*this);
  }
}

void TCustomJPEGImage::Invalidate() {
  const std::function<void()> handler = FOnInvalidate;
  if (handler) {
    handler();
  }
}

}  // namespace tarvell
