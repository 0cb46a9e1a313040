#include "jpeg/JpgImg.h"

#include "jpeg/DecodePicture.h"
#include "picture/DecodeError.h"
#include "base/ExclusiveFile.h"
#include "picture/PictureFormat.h"

#include <algorithm>
#include <string>

namespace tarvell {

namespace {

std::vector<std::uint8_t> ReadPictureFile(TExclusiveFile& file) {
  const std::uint64_t size = file.Size();
  if (size > MaxPictureFileBytes) {
    throw EJPEGException("File of " + std::to_string(size) + " bytes is larger than the limit of " +
                             std::to_string(MaxPictureFileBytes >> 20) + " MB",
                         TDecodeFailure::Unsupported);
  }
  if (size == 0) {
    // Nothing to show: skipped like any file of a kind we do not decode, not shown as nothing.
    throw EJPEGException("Empty input file", TDecodeFailure::Unsupported);
  }
  // The kind is told by the first bytes, before the rest is read.
  std::uint8_t head[PictureSignatureSize] = {};
  const auto headSize = static_cast<std::size_t>(std::min<std::uint64_t>(size, PictureSignatureSize));
  file.ReadExactly(head, headSize);
  if (RecognisePicture(head, headSize) == TPictureFormat::Unknown) {
    throw EJPEGException(NotAPictureFileMessage(head, headSize), TDecodeFailure::Unsupported);
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::copy(head, head + headSize, bytes.begin());
  file.ReadExactly(bytes.data() + headSize, bytes.size() - headSize);
  return bytes;
}

}  // namespace

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
    case 0:
      FOptions.FastProcessing = value;
      break;
    case 1:
      FOptions.GrayScale = value;
      break;
    case 2:
      FOptions.NoSmooth = value;
      break;
    case 3:
      FOptions.OnePass = value;
      break;
    default:
      return;
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
  // The file stays open until the decode has finished; others may read it meanwhile but not
  // write it (base/ExclusiveFile.h).
  TExclusiveFile file(name);
  FJPEGStream = ReadPictureFile(file);
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
  TByteBuffer bmp = DecodePictureToBmp(FJPEGStream, FOptions, progress);
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
