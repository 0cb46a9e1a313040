// The picture control's decode core: a copy of a JPEG, PNG or WebP file in memory, the decoding
// options, and the decoded picture as a BMP file image. Every change of an option decodes
// the copy again at once, so the picture always matches the options. Painting the picture
// belongs to the window layer, which calls OnInvalidate's target to repaint.
#pragma once

#include "picture/DecodeOptions.h"
#include "picture/Picture.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvell {

class TCustomJPEGImage;

// Files larger than this are refused (EJPEGException, Unsupported) without being read: far
// above any photograph, and reading it whole would freeze the program for seconds.
constexpr std::uint64_t MaxPictureFileBytes = std::uint64_t{256} << 20;

// The progress event: the control itself is the sender; it carries no percentage.
using TJPEGProgressEvent = std::function<void(TCustomJPEGImage& Sender)>;

class TCustomJPEGImage {
public:
  TCustomJPEGImage() = default;
  virtual ~TCustomJPEGImage() = default;
  TCustomJPEGImage(const TCustomJPEGImage&) = delete;
  TCustomJPEGImage& operator=(const TCustomJPEGImage&) = delete;

  // Options that decode again. Each writer stores the value first, then decodes; it raises
  // what the decode raises (EJPEGException) with the value already stored.
  TNumOfColors NumOfColors() const noexcept { return FOptions.NumOfColors; }
  void SetNumOfColors(TNumOfColors value);
  TDCTMethod DCTMethod() const noexcept { return FOptions.DCTMethod; }
  void SetDCTMethod(TDCTMethod value);
  TDither Dither() const noexcept { return FOptions.Dither; }
  void SetDither(TDither value);
  bool FastProcessing() const noexcept { return FOptions.FastProcessing; }
  void SetFastProcessing(bool value) { SetOption(0, value); }
  bool GrayScale() const noexcept { return FOptions.GrayScale; }
  void SetGrayScale(bool value) { SetOption(1, value); }
  bool NoSmooth() const noexcept { return FOptions.NoSmooth; }
  void SetNoSmooth(bool value) { SetOption(2, value); }
  bool OnePass() const noexcept { return FOptions.OnePass; }
  void SetOnePass(bool value) { SetOption(3, value); }

  // Plain values.
  // Percent steps between progress events, 1..100; values outside are clamped (0 would
  // divide by zero).
  int ProgressStep() const noexcept { return FProgressStep; }
  void SetProgressStep(int value) noexcept;
  const TJPEGProgressEvent& OnProgress() const noexcept { return FOnProgress; }
  void SetOnProgress(TJPEGProgressEvent handler) { FOnProgress = std::move(handler); }
  // Stored and published, but no part of decoding: the control never compresses.
  int Quality() const noexcept { return FQuality; }
  void SetQuality(int value) noexcept;
  bool Progressive() const noexcept { return FProgressive; }
  void SetProgressive(bool value) noexcept { FProgressive = value; }
  // Pictures of more pixels than this (in millions) are refused with EJPEGException before
  // anything is allocated for them. Kept within 1..1000000; the default accepts 250 megapixels.
  std::uint32_t MaxMegapixels() const noexcept { return FOptions.MaxMegapixels; }
  void SetMaxMegapixels(std::uint32_t value) noexcept { FOptions.MaxMegapixels = std::clamp(value, 1u, 1'000'000u); }

  // The wallpaper style and screen that the next decodes are for: a scaling style decodes at
  // the smallest N/8 of the full size that still covers what the screen shows. Only stored,
  // nothing decodes: set it right before FileName. The default decodes at full size.
  const TWallpaperFit& WallpaperFit() const noexcept { return FOptions.Fit; }
  void SetWallpaperFit(const TWallpaperFit& fit) noexcept { FOptions.Fit = fit; }

  // While the properties are being read from a stored layout, writers only store their
  // values; nothing decodes, not even when loading ends.
  bool Loading() const noexcept { return FLoading; }
  void SetLoading(bool value) noexcept { FLoading = value; }

  // Called where the control wants a repaint: after a successful decode and after emptying.
  void SetOnInvalidate(std::function<void()> handler) { FOnInvalidate = std::move(handler); }

  // The decoded picture; empty when there is no file or nothing decoded yet.
  const TPicture& Picture() const noexcept { return FPicture; }
  TPicture& Picture() noexcept { return FPicture; }

protected:
  const std::string& FileName() const noexcept { return FFileName; }
  // Stores the name, copies the whole file into memory (an empty name empties the copy) and
  // decodes. EFOpenError or EReadError leave the previous copy and picture in place, and so
  // does EJPEGException (Unsupported) for a file of no bytes, one over MaxPictureFileBytes or
  // one that does not start like a JPEG, PNG or WebP file: none of them is read whole.
  void SetFileName(const std::string& name);

  // The in-memory copy of the file, as loaded by SetFileName.
  const std::vector<std::uint8_t>& JPEGStream() const noexcept { return FJPEGStream; }
  // Replaces the in-memory copy without decoding; for callers that have the bytes already.
  void SetJPEGStream(std::vector<std::uint8_t> bytes) noexcept { FJPEGStream = std::move(bytes); }

  // Decodes the in-memory copy under the current options into Picture.
  void DecodePicture();

private:
  // The one writer of the four Boolean options: 0 FastProcessing, 1 GrayScale, 2 NoSmooth, 3 OnePass.
  void SetOption(int index, bool value);
  void ReportProgress();
  void Invalidate();

  TDecodeOptions FOptions;
  std::uint8_t FProgressStep = 10;
  TJPEGProgressEvent FOnProgress;
  std::uint8_t FQuality = 75;
  bool FProgressive = false;
  bool FLoading = false;
  std::function<void()> FOnInvalidate;
  std::string FFileName;
  std::vector<std::uint8_t> FJPEGStream;
  TPicture FPicture;
  // Counts decodes, so that a decode started from inside another one's progress event
  // (an option changed by the handler) wins over the outer, older one.
  std::uint64_t FDecodeCount = 0;
};

// The control with FileName published.
class TJPEGImage : public TCustomJPEGImage {
public:
  using TCustomJPEGImage::FileName;
  using TCustomJPEGImage::SetFileName;
};

}  // namespace tarvell
