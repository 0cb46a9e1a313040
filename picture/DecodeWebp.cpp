#include "picture/DecodeWebp.h"

#include "picture/AlphaBlend.h"
#include "picture/BmpCanvas.h"
#include "picture/BoxReducer.h"
#include "picture/DecodeError.h"
#include "picture/ExifOrientation.h"
#include "picture/RowProgress.h"
#include "picture/ScaleChoice.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace tarvell {

namespace {

struct TDemuxFree {
  void operator()(WebPDemuxer* demux) const noexcept { WebPDemuxDelete(demux); }
};

struct TIteratorRelease {
  void operator()(WebPIterator* iter) const noexcept { WebPDemuxReleaseIterator(iter); }
};

[[noreturn]] void Fail(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
      throw std::bad_alloc();
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      throw EJPEGException("WebP: unsupported feature", TDecodeFailure::Unsupported);
    case VP8_STATUS_NOT_ENOUGH_DATA:
      throw EJPEGException("WebP: premature end of file");
    default:
      throw EJPEGException("WebP: corrupt data (status " + std::to_string(static_cast<int>(status)) + ")");
  }
}

// Decodes a frame of width x height pixels with the config's scaling into rgba, top-down, in
// blue, green, red, alpha: the way for turned pictures and frames smaller than the canvas.
void DecodeToBuffer(const WebPData& frame, WebPDecoderConfig& config, std::uint32_t width, std::uint32_t height,
                    std::vector<std::uint8_t>& bgra) {
  bgra.resize(std::size_t{width} * height * 4);
  config.output.colorspace = MODE_BGRA;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = bgra.data();
  config.output.u.RGBA.stride = static_cast<int>(width * 4);
  config.output.u.RGBA.size = bgra.size();
  const VP8StatusCode status = WebPDecode(frame.bytes, frame.size, &config);
  if (status != VP8_STATUS_OK) Fail(status);
}

using TDemux = std::unique_ptr<WebPDemuxer, TDemuxFree>;

TDemux OpenContainer(const std::vector<std::uint8_t>& source) {
  const WebPData whole{source.data(), source.size()};
  TDemux demux(WebPDemux(&whole));
  if (!demux) {
    throw EJPEGException("WebP: damaged or cut short container");
  }
  return demux;
}

// The orientation of the EXIF chunk, upright when there is none.
int ReadOrientation(WebPDemuxer* demux) noexcept {
  int orientation = UprightOrientation;
  WebPChunkIterator exif{};
  if (WebPDemuxGetChunk(demux, "EXIF", 1, &exif)) {
    orientation = ReadTiffOrientation(exif.chunk.bytes, exif.chunk.size);
    WebPDemuxReleaseChunkIterator(&exif);
  }
  return orientation;
}

// Reads the first frame's features into config and checks them against the frame's place.
void ReadFrameFeatures(const WebPIterator& iter, WebPDecoderConfig& config) {
  if (!WebPInitDecoderConfig(&config)) {
    throw EJPEGException("WebP: library version mismatch", TDecodeFailure::Unsupported);
  }
  const VP8StatusCode status = WebPGetFeatures(iter.fragment.bytes, iter.fragment.size, &config.input);
  if (status != VP8_STATUS_OK) Fail(status);
  if (iter.width <= 0 || iter.height <= 0 || config.input.width != iter.width || config.input.height != iter.height) {
    throw EJPEGException("WebP: frame size differs from its header");
  }
}

// A first frame that leaves part of the canvas transparent: the canvas at full size over the
// background, the frame at its place.
void ComposeFrameOnCanvas(const WebPIterator& iter, WebPDecoderConfig& config, std::uint32_t canvasWidth,
                          std::uint32_t canvasHeight, int orientation, const TDecodeOptions& options,
                          TByteBuffer& bmp) {
  const auto frameWidth = static_cast<std::uint32_t>(iter.width);
  const auto frameHeight = static_cast<std::uint32_t>(iter.height);
  if (iter.x_offset < 0 || iter.y_offset < 0 || iter.x_offset + frameWidth > canvasWidth ||
      iter.y_offset + frameHeight > canvasHeight) {
    throw EJPEGException("WebP: frame outside the canvas");
  }
  TRgbColour background = options.Fit.Background;
  TBmpCanvas canvas(bmp, canvasWidth, canvasHeight, orientation, options.MaxMegapixels);
  std::vector<std::uint8_t> bgra;
  DecodeToBuffer(iter.fragment, config, frameWidth, frameHeight, bgra);
  canvas.Start();
  std::vector<std::uint8_t> row(std::size_t{canvasWidth} * 3);
  for (std::uint32_t y = 0; y < canvasHeight; ++y) {
    for (std::uint32_t x = 0; x < canvasWidth; ++x) {
      row[3 * x] = background.Blue;
      row[3 * x + 1] = background.Green;
      row[3 * x + 2] = background.Red;
    }
    const auto fy = static_cast<std::int64_t>(y) - iter.y_offset;
    if (fy >= 0 && fy < iter.height) {
      Bgra8OverBackground(&bgra[std::size_t(fy) * frameWidth * 4], frameWidth, background,
                          &row[std::size_t(iter.x_offset) * 3]);
    }
    canvas.PutRow(y, row.data());
  }
  canvas.Finish();
}

// A turned picture: decoded into a buffer, then put row by row where the turn takes it.
void DecodeTurned(const WebPData& frame, WebPDecoderConfig& config, TRgbColour background, TBmpCanvas& canvas,
                  std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> bgra;
  DecodeToBuffer(frame, config, width, height, bgra);
  canvas.Start();
  std::vector<std::uint8_t> row(std::size_t{width} * 3);
  for (std::uint32_t y = 0; y < height; ++y) {
    Bgra8OverBackground(&bgra[std::size_t{y} * width * 4], width, background, row.data());
    canvas.PutRow(y, row.data());
  }
}

// Straight into the bitmap: blue, green, red rows, bottom-up, at the bitmap's row stride.
void DecodeOpaqueInPlace(const WebPData& frame, WebPDecoderConfig& config, TBmpCanvas& canvas, TByteBuffer& bmp) {
  const TBmpLayout& layout = canvas.Layout();
  canvas.Start();
  config.output.colorspace = MODE_BGR;
  config.options.flip = 1;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = bmp.data() + layout.HeaderSize;
  config.output.u.RGBA.stride = static_cast<int>(layout.RowWidth);
  config.output.u.RGBA.size = static_cast<std::size_t>(layout.RowWidth * layout.Height);
  const VP8StatusCode status = WebPDecode(frame.bytes, frame.size, &config);
  if (status != VP8_STATUS_OK) Fail(status);
}

// Blue, green, red, alpha rows, bottom-up, 4 bytes a pixel from the pixel data's start; then
// each row composed to 3 bytes a pixel at its own place, which never lies behind what is still
// to be read.
void DecodeTranslucentInPlace(const WebPData& frame, WebPDecoderConfig& config, TRgbColour background,
                              const TBmpLayout& layout, std::uint32_t width, std::uint32_t height, TByteBuffer& bmp) {
  const std::uint64_t rgbaBytes = std::uint64_t{width} * height * 4;
  bmp.resize(static_cast<std::size_t>(std::max<std::uint64_t>(layout.FileSize, layout.HeaderSize + rgbaBytes)));
  config.output.colorspace = MODE_BGRA;
  config.options.flip = 1;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = bmp.data() + layout.HeaderSize;
  config.output.u.RGBA.stride = static_cast<int>(width * 4);
  config.output.u.RGBA.size = static_cast<std::size_t>(rgbaBytes);
  const VP8StatusCode status = WebPDecode(frame.bytes, frame.size, &config);
  if (status != VP8_STATUS_OK) Fail(status);
  std::uint8_t* pixels = bmp.data() + layout.HeaderSize;
  const auto pad = static_cast<std::size_t>(layout.RowWidth - layout.DataWidth);
  for (std::uint64_t i = 0; i < height; ++i) {
    std::uint8_t* out = pixels + i * layout.RowWidth;
    Bgra8OverBackground(pixels + i * width * 4, width, background, out);
    std::memset(out + layout.DataWidth, 0, pad);
  }
  bmp.resize(static_cast<std::size_t>(layout.FileSize));
}

// The whole canvas in one frame, at the scale the wallpaper style shows it.
void DecodeScaledFrame(const WebPIterator& iter, WebPDecoderConfig& config, int orientation,
                       const TDecodeOptions& options, TByteBuffer& bmp) {
  const auto frameWidth = static_cast<std::uint32_t>(iter.width);
  const auto frameHeight = static_cast<std::uint32_t>(iter.height);
  const TWallpaperFit& fit = options.Fit;
  const bool swap = OrientationSwapsAxes(orientation);
  const auto clampInt = [](std::uint32_t v) { return static_cast<int>(std::min<std::uint32_t>(v, 65535)); };
  const int num = ChooseScaleNum(fit.Style, fit.ScreenWidth, fit.ScreenHeight,
                                 clampInt(swap ? frameHeight : frameWidth), clampInt(swap ? frameWidth : frameHeight));
  const std::uint32_t width = ScaledSize(frameWidth, num);
  const std::uint32_t height = ScaledSize(frameHeight, num);
  if (num < 8) {
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(width);
    config.options.scaled_height = static_cast<int>(height);
  }
  TBmpCanvas canvas(bmp, width, height, orientation, options.MaxMegapixels);
  const bool alpha = iter.has_alpha != 0 || config.input.has_alpha != 0;
  if (orientation != UprightOrientation) {
    DecodeTurned(iter.fragment, config, fit.Background, canvas, width, height);
  } else if (!alpha) {
    DecodeOpaqueInPlace(iter.fragment, config, canvas, bmp);
  } else {
    DecodeTranslucentInPlace(iter.fragment, config, fit.Background, canvas.Layout(), width, height, bmp);
  }
  canvas.Finish();
}

}  // namespace

TByteBuffer DecodeWebpToBmp(const std::vector<std::uint8_t>& source, const TDecodeOptions& options,
                            const TProgressRule& progress) {
  const TDemux demux = OpenContainer(source);
  const std::uint32_t canvasWidth = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
  const std::uint32_t canvasHeight = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
  CheckPictureSize(canvasWidth, canvasHeight, options.MaxMegapixels);
  const int orientation = ReadOrientation(demux.get());

  WebPIterator iter{};
  if (!WebPDemuxGetFrame(demux.get(), 1, &iter)) {
    throw EJPEGException("WebP: no picture in the file");
  }
  const std::unique_ptr<WebPIterator, TIteratorRelease> frameRelease(&iter);
  WebPDecoderConfig config;
  ReadFrameFeatures(iter, config);
  const bool wholeCanvas = iter.x_offset == 0 && iter.y_offset == 0 &&
                           static_cast<std::uint32_t>(iter.width) == canvasWidth &&
                           static_cast<std::uint32_t>(iter.height) == canvasHeight;
  TByteBuffer bmp;
  if (wholeCanvas) {
    DecodeScaledFrame(iter, config, orientation, options, bmp);
  } else {
    ComposeFrameOnCanvas(iter, config, canvasWidth, canvasHeight, orientation, options, bmp);
  }
  TRowProgress(progress).Rows(1, 1);
  return bmp;
}

}  // namespace tarvell
